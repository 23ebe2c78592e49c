#include "speech/espeak_enumerator.h"

#include "speech/espeak_engine.h"
#include "speech/mixer_audio_destination.h"

namespace {
const QUuid kEspeakModeNamespace(QStringLiteral("{0b8f5e3a-6c2d-4f1e-9a47-3d5c8e21b6f0}"));
}

GUID EspeakModeId(const QByteArray& identifier) {
    return QUuid::createUuidV5(kEspeakModeNamespace, identifier);
}

EspeakEnumerator::EspeakEnumerator(std::vector<EspeakVoiceInfo> voices)
    : m_voices(std::move(voices)) {}

HRESULT EspeakEnumerator::Reset() {
    m_index = 0;
    return S_OK;
}

HRESULT EspeakEnumerator::Next(uint32_t count, TTSMODEINFOA* modes, uint32_t* fetched) {
    if (count > 0 && !modes) return E_POINTER;
    uint32_t n = 0;
    while (n < count && m_index < m_voices.size()) {
        const EspeakVoiceInfo& v = m_voices[m_index++];
        modes[n++] = TTSMODEINFOA{EspeakModeId(v.identifier), v.name, v.language};
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT EspeakEnumerator::Select(const GUID& modeId, std::shared_ptr<ITTSCentralA>* engine,
                                 std::shared_ptr<IAudioMultiMediaDevice> destination) {
    if (!engine) return E_POINTER;
    auto mixerDestination = std::dynamic_pointer_cast<MixerAudioDestination>(destination);
    if (!mixerDestination) return E_INVALIDARG;
    for (const EspeakVoiceInfo& v : m_voices) {
        if (EspeakModeId(v.identifier) == modeId) {
            *engine = std::make_shared<EspeakEngine>(v, mixerDestination);
            return S_OK;
        }
    }
    return E_INVALIDARG;
}

std::shared_ptr<ITTSEnumA> CreateEspeakEnumerator() {
    EspeakWorker& worker = EspeakWorker::Instance();
    if (!worker.Start()) return nullptr;
    std::vector<EspeakVoiceInfo> voices = worker.Voices();
    if (voices.empty()) return nullptr;
    return std::make_shared<EspeakEnumerator>(std::move(voices));
}
