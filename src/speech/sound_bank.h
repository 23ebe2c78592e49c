#pragma once
// The sound bank file "sounds.dat": named mono waves, little-endian. The
// layout is described in resources/sounds-format.md.
//
// Plain C++ without Qt: the build-time generator in tools/ writes banks with
// the same code that the program reads them with.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace soundbank {

constexpr char kMagic[8] = {'V', 'L', 'T', 'S', 'N', 'D', 'B', 'K'};
constexpr uint16_t kVersion = 1;
constexpr size_t kHeaderSize = 16;
constexpr size_t kMaxNameLength = 255;
constexpr uint32_t kMinSampleRate = 1;
constexpr uint32_t kMaxSampleRate = 384000;
// Larger files are refused before they are read.
constexpr uint64_t kMaxFileSize = 64ull * 1024 * 1024;

enum class SampleFormat : uint16_t {
    Pcm16 = 1,   // signed 16-bit integers, full scale 32768
    Float32 = 3, // IEEE 754 single precision in [-1, 1]
};

struct Wave {
    std::string name;
    uint32_t sampleRate = 0;
    SampleFormat format = SampleFormat::Float32;
    std::vector<float> samples; // in [-1, 1] whatever the stored format
};

// What is wrong with a bank's bytes, in words for the user.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file's bytes for the waves; throws FormatError for a wave that the
// format cannot hold (empty or unprintable name, rate out of range, no samples).
std::vector<uint8_t> Encode(const std::vector<Wave>& waves);

// The waves of a bank, in file order. Every length and count is checked
// against the size before anything is read; throws FormatError.
std::vector<Wave> Decode(const uint8_t* data, size_t size);

} // namespace soundbank
