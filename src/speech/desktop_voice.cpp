#include "speech/desktop_voice.h"

#include "speech/espeak_engine.h"
#include "speech/mixer_audio_destination.h"

EspeakVoiceBackend::EspeakVoiceBackend(std::shared_ptr<EspeakEngine> engine)
    : m_engine(std::move(engine)) {}

void EspeakVoiceBackend::Begin(const QString& text, bool xml, Done done) {
    m_engine->SpeakUtterance(text, xml, std::move(done));
}

void EspeakVoiceBackend::Cancel() {
    m_engine->Silence();
}

EspeakVoiceInfo LocaleVoice(const std::vector<EspeakVoiceInfo>& voices, const QString& localeName) {
    auto find = [&](const QString& tag, bool orDialect) -> const EspeakVoiceInfo* {
        for (const EspeakVoiceInfo& v : voices)
            if (v.language == tag || (orDialect && v.language.startsWith(tag + QLatin1Char('-'))))
                return &v;
        return nullptr;
    };
    // "cs_CZ.UTF-8" -> "cs-cz", then "cs".
    const QString full = localeName.section(QLatin1Char('.'), 0, 0)
                             .section(QLatin1Char('@'), 0, 0)
                             .replace(QLatin1Char('_'), QLatin1Char('-'))
                             .toLower();
    const QString language = full.section(QLatin1Char('-'), 0, 0);
    const bool named =
        !language.isEmpty() && language != QLatin1String("c") && language != QLatin1String("posix");
    const EspeakVoiceInfo* v = nullptr;
    if (named && full != language) v = find(full, false);
    if (!v && named) v = find(language, true);
    if (!v) v = find(QStringLiteral("en"), true);
    if (v) return *v;
    return voices.empty() ? EspeakVoiceInfo{} : voices.front();
}

std::unique_ptr<VoiceBackend> CreateEspeakVoiceBackend(const DesktopVoiceOptions& options) {
    EspeakWorker& worker = EspeakWorker::Instance();
    if (!options.destination || !worker.Start()) return nullptr;
    const EspeakVoiceInfo voice = LocaleVoice(worker.Voices(), options.localeName);
    if (voice.identifier.isEmpty()) return nullptr;
    auto engine = std::make_shared<EspeakEngine>(voice, options.destination,
                                                 QStringLiteral("espeak-ng desktop"));
    return std::make_unique<EspeakVoiceBackend>(std::move(engine));
}

std::shared_ptr<StreamVoice> CreateDesktopVoice(DesktopVoiceOptions options) {
    auto voice = std::make_shared<StreamVoice>(nullptr);
    voice->SetTranscriptName(QStringLiteral("desktop voice"));
    if (!options.useSpeechd) {
        voice->ReplaceBackend(CreateEspeakVoiceBackend(options));
        return voice;
    }
    std::weak_ptr<StreamVoice> weak = voice;
    auto fallBack = [weak, options](bool connected) {
        if (auto v = weak.lock())
            // A daemon never reached has spoken nothing: speak the current stream again.
            v->ReplaceBackend(CreateEspeakVoiceBackend(options), !connected);
    };
    voice->ReplaceBackend(std::make_unique<SpeechdBackend>(options.speechd, fallBack));
    return voice;
}
