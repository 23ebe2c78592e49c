#include "speech/desktop_voice.h"
#include "speech/espeak_enumerator.h"
#include "speech/mixer_audio_destination.h"
#include "speech/speech_engines.h"

#include <QLocale>

SpeechEngineFactory RealSpeechEngineFactory() {
    SpeechEngineFactory factory;
    factory.createAudioDestination = []() -> std::shared_ptr<IAudioMultiMediaDevice> {
        return ProgramAudioDestination();
    };
    factory.createEnumerator = [] { return CreateEspeakEnumerator(); };
    factory.createVoice = []() -> std::shared_ptr<ISpeechVoice> {
        DesktopVoiceOptions options;
        options.destination = ProgramAudioDestination();
        options.localeName = QLocale::system().name();
        return CreateDesktopVoice(std::move(options));
    };
    return factory;
}
