#pragma once
// What the sound bank holds: the note waves of the chords, the beep and the
// clicks, synthesised from fixed recipes so every build writes the same bytes.
#include "speech/sound_bank.h"

#include <vector>

// Samples in one period of a note wave: played at 64 x f samples per second
// it sounds at f Hz.
constexpr int kNotePeriod = 64;
constexpr int kChannels = 8;
constexpr int kNoteSets = 10;
constexpr int kClicks = 16;

std::vector<soundbank::Wave> BuildSoundBank();
