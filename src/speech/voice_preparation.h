#pragma once
// Getting the chosen voice ready before the built-in program runs.

// Runs at Program/Start, before the program, when the chosen-voice engine
// (not the desktop voice) is in use.
void PrepareVoiceForStart();
