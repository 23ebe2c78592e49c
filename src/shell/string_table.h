#pragma once
// The compiled-in table of interface texts: one block of UTF-8 texts per
// language base, index 0 being the language's own name.
#include <cstddef>

struct StringBlock {
    int base;
    const char* const* texts;
    std::size_t count;
};

extern const StringBlock kStringBlocks[];
extern const std::size_t kStringBlockCount;
