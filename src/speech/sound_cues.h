#pragma once
// Device-like sound cues: chords of notes, the beep and the clicks, all
// governed by the veltrasounds and sndvolume settings.
#include <cstdint>
#include <vector>

struct SoundCueState {
    // True while PlayNotes waits for its timer.
    bool NotesPlaying = false;
    // Set and duration of the last PlayNotes call, used for out-of-range values.
    uint8_t LastNoteSet = 1;
    int LastNoteDuration = 1;
};

SoundCueState& SoundCues();

// Plays the notes together for the duration (ms) with the note set; returns
// when they have been stopped (the timer expired or a key ended the chord).
void PlayNotes(const std::vector<double>& notes, double duration, double set);
void PlayBeep();
void PlayClick(double n);
// Forgets the remembered note set and duration (set and duration 1); part of
// the runtime's reset before each run.
void ResetNoteMemory();
