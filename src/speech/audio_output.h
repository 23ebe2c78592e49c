#pragma once
// The program's one audio device: SDL playing the process-wide mixer Audio().
// Speech opens it on first use; sound cues use the same device.
class SoundDevice;

// The device (created closed on first call).
SoundDevice& AudioOutput();
// Opens it unless it is open already (falls back to the dummy driver).
void OpenAudioOutput();
// Closes it; idempotent. Part of the program's orderly end.
void CloseAudioOutput();
