#pragma once
// Reading an engine attribute's current value and its range. Engines report
// only the current value; the extremes are found by setting 0 (the lowest)
// and the type's all-ones value (the highest), reading each back, and
// restoring the current value.
#include "speech/tts_interfaces.h"

#include <optional>

struct AttributeRange {
    uint32_t current = 0;
    uint32_t lowest = 0;
    uint32_t highest = 0;
};

// Empty when the engine lacks the attribute: its getter, or the first setter
// call (which writes back the value just read), fails. Failures of the later
// calls are not examined; a value that could not be read stays the current one.
std::optional<AttributeRange> ReadSpeedRange(ITTSAttributesA& attributes);
std::optional<AttributeRange> ReadPitchRange(ITTSAttributesA& attributes);
std::optional<AttributeRange> ReadVolumeRange(ITTSAttributesA& attributes);

// The volume level the program works with: bits 8 to 15 of the value's low
// word, 0 to 255.
uint32_t VolumeLevel(uint32_t volume);
