#pragma once
// The orderly end of speech: engines released, the espeak-ng worker stopped
// and joined, the desktop voice's connection closed, the transcript closed.

// Registers ShutdownSpeech with the program's shutdown hooks (once).
void RegisterSpeechShutdownOnce();
// Safe to call more than once; speech can be started again afterwards.
void ShutdownSpeech();
