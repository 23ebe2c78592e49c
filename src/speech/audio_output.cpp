#include "speech/audio_output.h"

#include "speech/audio_mixer.h"
#include "speech/sound_device.h"
#include "speech/speech_transcript.h"

SoundDevice& AudioOutput() {
    // Never destroyed: closing is explicit, and no static destructor may race
    // the audio thread.
    static SoundDevice* device = new SoundDevice(Audio());
    return *device;
}

void OpenAudioOutput() {
    SoundDevice& device = AudioOutput();
    if (device.IsOpen()) return;
    device.Open();
    // The device says so on standard error itself; the transcript notes it too
    // unless the dummy driver was asked for.
    const QString driver = device.DriverName();
    const bool asked = qEnvironmentVariable("SDL_AUDIODRIVER") == driver;
    if ((driver == QLatin1String("dummy") || driver == QLatin1String("clock")) && !asked)
        TranscribeSpeech(
            QStringLiteral("audio"), QStringLiteral("note"),
            QStringLiteral("no sound device; playing silently through %1").arg(driver));
}

void CloseAudioOutput() {
    AudioOutput().Close();
}
