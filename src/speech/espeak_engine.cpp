#include "speech/espeak_engine.h"

#include "shell/cp1250.h"
#include "speech/audio_mixer.h"
#include "speech/gui_post.h"
#include "speech/mixer_audio_destination.h"
#include "speech/speech_transcript.h"

#include <QRegularExpression>

#include <algorithm>

namespace {
uint32_t Extreme(uint32_t v, uint32_t allOnes, uint32_t low, uint32_t high) {
    if (v == 0) return low;
    if (v == allOnes) return high;
    return std::clamp(v, low, high);
}

// Bits 8 to 15 carry the level; a value beyond them is the highest level.
uint32_t LevelOfVolume(uint32_t volume) {
    return std::min<uint32_t>(volume >> 8, 255);
}
} // namespace

int EspeakVolumeForLevel(uint32_t level) {
    return static_cast<int>((std::min<uint32_t>(level, 255) * 100 + 127) / 255);
}

EspeakEngine::EspeakEngine(EspeakVoiceInfo voice,
                           std::shared_ptr<MixerAudioDestination> destination, QString backendName)
    : m_voice(std::move(voice)), m_destination(std::move(destination)),
      m_backendName(std::move(backendName)) {
    m_synth.voiceIdentifier = m_voice.identifier;
    m_synth.rate = static_cast<int>(m_speed);
    m_synth.pitch = static_cast<int>(m_pitch);
    m_synth.volume = EspeakVolumeForLevel(m_volumeLevel);
}

EspeakEngine::~EspeakEngine() {
    bool hadAudio;
    {
        std::lock_guard<std::mutex> g(m_lock);
        ++m_generation;
        hadAudio = m_active || m_outstanding > 0;
    }
    // A released engine falls silent.
    if (hadAudio) m_destination->ClearSpeech(this);
    m_destination->Forget(this);
}

HRESULT EspeakEngine::TextData(const QByteArray& text) {
    // The text may carry its terminating zero (and anything after it).
    const qsizetype end = text.indexOf('\0');
    const QString decoded = FromCp1250(end < 0 ? text : text.left(end));
    TranscribeSpeech(m_backendName, QStringLiteral("speak"), decoded);
    Item item;
    item.isText = true;
    item.utf8 = decoded.toUtf8();
    QueueText(std::move(item));
    return S_OK;
}

void EspeakEngine::SpeakUtterance(const QString& text, bool ssml, std::function<void()> done) {
    TranscribeSpeech(m_backendName, QStringLiteral("speak"), text);
    Item item;
    item.isText = true;
    item.utf8 = text.toUtf8();
    item.ssml = ssml;
    item.done = std::move(done);
    QueueText(std::move(item));
}

void EspeakEngine::QueueText(Item item) {
    std::lock_guard<std::mutex> g(m_lock);
    m_queue.push_back(std::move(item));
    ++m_outstanding;
    if (!m_active) {
        m_active = true;
        // Posted before TextData returns, so the caller's first pump sees it.
        PostNotificationLocked(true);
    }
    ScheduleDrainLocked();
}

void EspeakEngine::QueueParam(Param param, uint32_t value) {
    std::lock_guard<std::mutex> g(m_lock);
    Item item;
    item.param = param;
    item.value = value;
    m_queue.push_back(std::move(item));
    ScheduleDrainLocked();
}

void EspeakEngine::ScheduleDrainLocked() {
    if (m_drainScheduled) return;
    m_drainScheduled = true;
    std::weak_ptr<EspeakEngine> weak = weak_from_this();
    EspeakWorker::Instance().Post([weak] {
        if (auto engine = weak.lock()) engine->Drain();
    });
}

void EspeakEngine::Drain() {
    EspeakWorker& worker = EspeakWorker::Instance();
    AudioMixer& mixer = *m_destination->Mixer();
    const int rate = worker.SampleRate();
    for (;;) {
        Item item;
        uint64_t generation;
        {
            std::lock_guard<std::mutex> g(m_lock);
            if (m_queue.empty()) {
                m_drainScheduled = false;
                return;
            }
            item = std::move(m_queue.front());
            m_queue.pop_front();
            generation = m_generation;
        }
        if (!item.isText) {
            switch (item.param) {
            case Param::Speed:
                m_synth.rate = static_cast<int>(item.value);
                break;
            case Param::Pitch:
                m_synth.pitch = static_cast<int>(item.value);
                break;
            case Param::Volume:
                m_synth.volume = EspeakVolumeForLevel(item.value);
                break;
            }
            continue;
        }
        // Samples of a text that a reset dropped never reach the mixer: the
        // check and the queueing happen under the lock that the reset takes.
        worker.Synthesize(item.utf8, item.ssml, m_synth, [&](const int16_t* samples, int count) {
            std::lock_guard<std::mutex> g(m_lock);
            if (generation != m_generation) return false;
            mixer.QueueSpeech(samples, static_cast<size_t>(count), rate);
            return true;
        });
        std::lock_guard<std::mutex> g(m_lock);
        if (generation != m_generation) continue;
        std::weak_ptr<EspeakEngine> weak = weak_from_this();
        m_destination->QueueMarker(this, [weak, generation, done = std::move(item.done)] {
            if (auto engine = weak.lock()) engine->UtterancePlayed(generation, done);
        });
    }
}

void EspeakEngine::UtterancePlayed(uint64_t generation, const std::function<void()>& done) {
    {
        std::lock_guard<std::mutex> g(m_lock);
        if (generation != m_generation) return;
        if (m_outstanding > 0) --m_outstanding;
        if (m_outstanding == 0 && m_active) {
            m_active = false;
            PostNotificationLocked(false);
        }
    }
    if (done) done();
}

void EspeakEngine::PostNotificationLocked(bool start) {
    // The sinks registered now receive it, even if the engine is gone by then.
    std::vector<std::shared_ptr<ITTSNotifySinkA>> sinks;
    for (auto& [key, sink] : m_sinks)
        sinks.push_back(sink);
    if (sinks.empty()) return;
    PostToGuiThread([sinks = std::move(sinks), start] {
        for (const auto& sink : sinks)
            start ? sink->AudioStart(0) : sink->AudioStop(0);
    });
}

HRESULT EspeakEngine::AudioReset() {
    TranscribeSpeech(m_backendName, QStringLiteral("stop"));
    Silence();
    return S_OK;
}

void EspeakEngine::Silence() {
    bool hadAudio;
    {
        std::lock_guard<std::mutex> g(m_lock);
        ++m_generation;
        hadAudio = m_active || m_outstanding > 0;
        // Texts go; tags stay, so that values injected before the reset still apply.
        std::erase_if(m_queue, [](const Item& item) { return item.isText; });
        m_outstanding = 0;
        if (m_active) {
            m_active = false;
            PostNotificationLocked(false);
        }
    }
    if (hadAudio) m_destination->ClearSpeech(this);
}

HRESULT EspeakEngine::Inject(const QByteArray& tag) {
    // The tag may carry its terminating zero (and anything after it).
    const qsizetype end = tag.indexOf('\0');
    const QString text = QString::fromLatin1(end < 0 ? tag : tag.left(end));
    TranscribeSpeech(m_backendName, QStringLiteral("tag"), text);
    static const QRegularExpression form(QStringLiteral("^\\\\(Spd|Pit|Vol)=(\\d+)\\\\\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return S_OK; // unknown tags are ignored, as engines do
    bool ok = false;
    const qulonglong parsed = m.captured(2).toULongLong(&ok);
    const uint32_t value =
        ok ? static_cast<uint32_t>(std::min<qulonglong>(parsed, 0xFFFFFFFFull)) : 0xFFFFFFFFu;
    const QString name = m.captured(1).toLower();
    if (name == QLatin1String("spd")) return SpeedSet(value);
    if (name == QLatin1String("pit"))
        return PitchSet(static_cast<WORD>(std::min<uint32_t>(value, 0xFFFF)));
    return VolumeSet(value);
}

HRESULT EspeakEngine::Register(std::shared_ptr<ITTSNotifySinkA> sink, DWORD* key) {
    if (!sink || !key) return E_POINTER;
    std::lock_guard<std::mutex> g(m_lock);
    *key = m_nextKey++;
    m_sinks[*key] = std::move(sink);
    return S_OK;
}

HRESULT EspeakEngine::UnRegister(DWORD key) {
    std::lock_guard<std::mutex> g(m_lock);
    return m_sinks.erase(key) ? S_OK : E_INVALIDARG;
}

HRESULT EspeakEngine::QueryAttributes(std::shared_ptr<ITTSAttributesA>* attributes) {
    if (!attributes) return E_POINTER;
    *attributes = std::shared_ptr<ITTSAttributesA>(shared_from_this(), this);
    return S_OK;
}

HRESULT EspeakEngine::PitchGet(WORD* pitch) {
    if (!pitch) return E_POINTER;
    *pitch = static_cast<WORD>(m_pitch);
    return S_OK;
}

HRESULT EspeakEngine::PitchSet(WORD pitch) {
    m_pitch = Extreme(pitch, 0xFFFF, kPitchMin, kPitchMax);
    QueueParam(Param::Pitch, m_pitch);
    return S_OK;
}

HRESULT EspeakEngine::SpeedGet(DWORD* speed) {
    if (!speed) return E_POINTER;
    *speed = m_speed;
    return S_OK;
}

HRESULT EspeakEngine::SpeedSet(DWORD speed) {
    m_speed = Extreme(speed, 0xFFFFFFFFu, kSpeedMin, kSpeedMax);
    QueueParam(Param::Speed, m_speed);
    return S_OK;
}

HRESULT EspeakEngine::VolumeGet(DWORD* volume) {
    if (!volume) return E_POINTER;
    *volume = m_volumeLevel << 8;
    return S_OK;
}

HRESULT EspeakEngine::VolumeSet(DWORD volume) {
    m_volumeLevel = LevelOfVolume(volume);
    QueueParam(Param::Volume, m_volumeLevel);
    return S_OK;
}
