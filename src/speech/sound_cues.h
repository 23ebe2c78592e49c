#pragma once
// Device-like sound cues: chords of notes, the beep and the clicks, all
// governed by the veltrasounds and sndvolume settings.
#include <cstdint>
#include <vector>

class QTimer;
class WaveList;

struct SoundCueState {
    // True while PlayNotes waits for its timer.
    bool NotesPlaying = false;
    // Set and duration of the last PlayNotes call, used for out-of-range values.
    uint8_t LastNoteSet = 1;
    int LastNoteDuration = 1;
    // What the cues play on and time with: the main window's wave list and
    // Timer (bound by its start-up, unbound when it releases its sound
    // objects). Unbound, the cues remember their values but neither sound
    // nor wait.
    WaveList* waves = nullptr;
    QTimer* timer = nullptr;
};

// The process-wide state; tests reset it with SoundCues() = SoundCueState().
SoundCueState& SoundCues();

// Loads the sound bank "sounds.dat" of the current directory into the bound
// wave list. A missing file shows "<string 42> sounds.dat" and ends the
// process; a damaged one raises an error naming the file and the fault.
void LoadSoundBank();

// Plays the notes together for the duration (ms) with the note set; returns
// when they have been stopped (the timer expired, a key ended the chord, or
// the main window released its sound objects while it closed).
void PlayNotes(const std::vector<double>& notes, double duration, double set);
void PlayBeep();
void PlayClick(double n);
// Forgets the remembered note set and duration (set and duration 1); part of
// the runtime's reset before each run.
void ResetNoteMemory();
