#pragma once
// Getting the chosen voice ready before the built-in program runs.

class TForm4;

// Runs at Program/Start, before the program, when the chosen-voice engine
// (not the desktop voice) is in use. With the voice allowed it applies the
// stored voice, pitch, speed and volume; on a first run, or when the stored
// voice is gone, it selects the listed voice with the engine's own values and
// stores it. With no voice at all it does nothing: the program runs silently.
void PrepareVoiceForStart();
// The same on a given voice dialog (the program's is Windows().form4).
void PrepareVoiceForStart(TForm4& dialog);
