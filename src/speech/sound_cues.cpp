#include "speech/sound_cues.h"

namespace {
SoundCueState g_cues;
}

SoundCueState& SoundCues() { return g_cues; }

void PlayNotes(const std::vector<double>&, double, double) {}
void PlayBeep() {}
void PlayClick(double) {}

void ResetNoteMemory()
{
    g_cues.LastNoteSet = 1;
    g_cues.LastNoteDuration = 1;
}
