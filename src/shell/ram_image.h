#pragma once
// The emulated device's 64 KiB memory, kept between sessions in "ram.dat".
#include <QString>
#include <array>
#include <cstdint>

constexpr int kRamSize = 65536;
// The byte that, when 1, keeps the screen review window closed.
constexpr int kReviewLockAddress = 50730;

std::array<uint8_t, kRamSize>& RamImage();
void ClearRamImage();

// Loads up to 65536 bytes from "ram.dat" in the current directory; a missing
// file leaves the image as it is. Raises FileError on a read error.
void LoadRamImage();
// Writes all 65536 bytes to "ram.dat", replacing it whole (never leaving a
// truncated file). Raises FileError on failure; the old file then stays.
void SaveRamImage();
// The byte at the integer part of the address (which must lie in 0..65535).
uint8_t Peek(double address);

inline const QString kRamFileName = QStringLiteral("ram.dat");
