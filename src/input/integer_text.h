#pragma once
// Integers written in data files: optional leading spaces, an optional sign,
// then decimal digits or hexadecimal digits after "$" or "0x". Nothing may
// follow the digits. Values must fit a 32-bit integer (hexadecimal up to
// 0xFFFFFFFF, read as the two's complement value).
#include <QString>

#include <cstdint>
#include <optional>

std::optional<int32_t> ParseInteger(const QString& text);

// ParseInteger, raising VeltraError "'<text>' is not a valid integer value"
// when the text is not such an integer.
int32_t StrToInt(const QString& text);
