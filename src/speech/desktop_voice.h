#pragma once
// The desktop voice: speech-dispatcher when its daemon answers, otherwise
// espeak-ng with the default voice of the user's locale, behind one voice
// object (a StreamVoice), so its streams, events and purge behave the same
// whichever speaks.
#include "speech/espeak_worker.h"
#include "speech/speechd_backend.h"
#include "speech/stream_voice.h"

#include <memory>

class EspeakEngine;
class MixerAudioDestination;

struct DesktopVoiceOptions {
    // Try speech-dispatcher first; false goes straight to espeak-ng.
    bool useSpeechd = true;
    SpeechdOptions speechd;
    // Where the espeak-ng fallback plays.
    std::shared_ptr<MixerAudioDestination> destination;
    // The locale whose language picks the espeak-ng voice ("cs_CZ").
    QString localeName;
};

// Speaks each stream as one espeak-ng utterance.
class EspeakVoiceBackend : public VoiceBackend {
public:
    explicit EspeakVoiceBackend(std::shared_ptr<EspeakEngine> engine);
    void Begin(const QString& text, bool xml, Done done) override;
    void Cancel() override;

private:
    std::shared_ptr<EspeakEngine> m_engine;
};

// The voice for a locale: the voice of its language and country ("en-gb"
// for en_GB), else the first listed voice of its language, else the first
// English one, else the first of all. Empty identifier when none.
EspeakVoiceInfo LocaleVoice(const std::vector<EspeakVoiceInfo>& voices, const QString& localeName);

// The espeak-ng back-end for the options; null when espeak-ng is missing.
std::unique_ptr<VoiceBackend> CreateEspeakVoiceBackend(const DesktopVoiceOptions& options);

std::shared_ptr<StreamVoice> CreateDesktopVoice(DesktopVoiceOptions options);
