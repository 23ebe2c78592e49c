#include "speech/audio_output.h"

#include "speech/audio_mixer.h"
#include "speech/sound_device.h"

SoundDevice& AudioOutput()
{
    // Never destroyed: closing is explicit, and no static destructor may race
    // the audio thread.
    static SoundDevice* device = new SoundDevice(Audio());
    return *device;
}

void OpenAudioOutput() { AudioOutput().Open(); }

void CloseAudioOutput() { AudioOutput().Close(); }
