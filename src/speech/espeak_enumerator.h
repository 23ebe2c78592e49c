#pragma once
// The voice modes of espeak-ng: one mode per voice (mbrola voices left out),
// Czech first, then Slovak, then English, then the rest. A mode's gModeID is
// derived from the voice's identifier, so it is the same in every run.
#include "speech/espeak_worker.h"
#include "speech/tts_interfaces.h"

#include <vector>

class EspeakEnumerator : public ITTSEnumA {
public:
    explicit EspeakEnumerator(std::vector<EspeakVoiceInfo> voices);

    HRESULT Reset() override;
    HRESULT Next(uint32_t count, TTSMODEINFOA* modes, uint32_t* fetched) override;
    // The destination must be a MixerAudioDestination.
    HRESULT Select(const GUID& modeId, std::shared_ptr<ITTSCentralA>* engine,
                   std::shared_ptr<IAudioMultiMediaDevice> destination) override;

private:
    std::vector<EspeakVoiceInfo> m_voices;
    size_t m_index = 0;
};

// The stable mode id of an espeak-ng voice.
GUID EspeakModeId(const QByteArray& identifier);

// An enumerator over the voices of the process-wide espeak-ng worker
// (started here); null when espeak-ng or its data is missing or lists no voice.
std::shared_ptr<ITTSEnumA> CreateEspeakEnumerator();
