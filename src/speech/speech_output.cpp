#include "speech/speech_output.h"

#include "shell/cp1250.h"
#include "shell/settings.h"
#include "speech/speech_engines.h"
#include "speech/speech_shutdown.h"
#include "speech/tts_notify_sink.h"
#include "speech/tts_result.h"

#include <QCoreApplication>

namespace {
SpeechState g_speech;

template <typename T>
std::shared_ptr<T> MakeQuietly(const std::function<std::shared_ptr<T>()>& make) {
    if (!make) return nullptr;
    try {
        return make();
    } catch (...) {
        return nullptr;
    }
}

// TextData of the chosen-voice engine held now (a handler may replace it later).
void ChosenVoiceTextData(const QString& text) {
    std::shared_ptr<ITTSCentralA> engine = SpeechEngines().engine;
    CheckResult(engine->TextData(ToCp1250(text)));
}
} // namespace

SpeechState& Speech() {
    return g_speech;
}

void WaitWhile(const std::function<bool()>& condition) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (condition())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WaitWhileSet(const bool& flag) {
    WaitWhile([&flag] { return flag; });
}

void InitSpeechEngine() {
    RegisterSpeechShutdownOnce();
    SpeechEngineState& s = SpeechEngines();
    s.engine.reset();
    s.attributes.reset();
    s.enumerator.reset();
    s.audioDestination.reset();
    s.selectedMode.reset();

    const SpeechEngineFactory factory = CurrentSpeechEngineFactory();
    s.audioDestination = MakeQuietly(factory.createAudioDestination);
    if (!s.audioDestination) return;
    s.enumerator = MakeQuietly(factory.createEnumerator);
}

bool VoiceEnumeratorExists() {
    return SpeechEngines().enumerator != nullptr;
}

void SpeakAndWait(const QString& text) {
    if (Settings().sapi5) {
        if (text.isEmpty()) return;
        Speech().Sapi5Busy = true;
        DesktopVoiceSpeak(text, SVSFlagsAsync);
        WaitWhileSet(Speech().Sapi5Busy);
        return;
    }
    if (!Settings().voiceallowed) return;
    ChosenVoiceSpeakAndWait(text);
}

void SpeakNoWait(const QString& text) {
    if (Settings().sapi5) {
        DesktopVoiceSpeak(text, SVSFlagsAsync);
        return;
    }
    if (!Settings().voiceallowed || text.isEmpty() || !SpeechEngines().engine) return;
    ChosenVoiceTextData(text);
}

void StopSpeech() {
    if (Settings().sapi5) {
        DesktopVoiceSpeak(QString(), SVSFPurgeBeforeSpeak);
        return;
    }
    if (Speech().SpeechReady && Speech().TtsAudioActive && SpeechEngines().engine) {
        std::shared_ptr<ITTSCentralA> engine = SpeechEngines().engine;
        CheckResult(engine->AudioReset());
    }
}

void ChosenVoiceSpeakAndWait(const QString& text) {
    if (text.isEmpty() || !SpeechEngines().engine) return;
    ChosenVoiceTextData(text);
    WaitWhileSet(Speech().TtsAudioActive);
}

void DesktopVoiceSpeak(const QString& text, int flags) {
    std::shared_ptr<ISpeechVoice> voice = SpeechEngines().voice5;
    if (!voice) {
        // No desktop voice could be made: nothing will ever end a stream.
        Speech().Sapi5Busy = false;
        return;
    }
    CheckResult(voice->Speak(text, flags));
}

void SetUpVoiceDialogSpeech() {
    SpeechEngineState& s = SpeechEngines();
    if (!s.voice5) {
        const SpeechEngineFactory factory = CurrentSpeechEngineFactory();
        s.voice5 = MakeQuietly(factory.createVoice);
    }
    if (s.voice5) {
        s.voice5->SetStreamHandlers(voice5StartStream, voice5EndStream);
        if (Failed(s.voice5->SetEventInterests(SVEAllEvents))) s.voice5.reset();
    }
    if (!s.voice5) qWarning("The desktop voice is not available; it stays silent.");
    s.sink = std::make_shared<TTTSNotifySink>();
}

void voice5StartStream(long, long long) {
    Speech().Sapi5Busy = true;
}

void voice5EndStream(long, long long) {
    Speech().Sapi5Busy = false;
}
