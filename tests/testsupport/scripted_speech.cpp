#include "testsupport/scripted_speech.h"

#include "shell/cp1250.h"
#include "speech/gui_post.h"
#include "speech/speech_engines.h"
#include "speech/stream_voice.h"

#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace {
const QUuid kScriptedNamespace(QStringLiteral("{6d3c1a52-3f0e-4c55-9f2a-2f1b7c0e9a11}"));

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// An attribute's value: 0 gives the lowest, the all-ones value the highest,
// anything else is clamped into the range.
struct AttributeValue {
    ScriptedAttribute range;
    uint32_t value = 0;
    void Set(uint32_t v, uint32_t allOnes) {
        if (v == 0)
            value = range.low;
        else if (v == allOnes)
            value = range.high;
        else
            value = std::clamp(v, range.low, range.high);
    }
};

class ScriptedAudioDestination : public IAudioMultiMediaDevice {
public:
    AudioMixer* Mixer() override { return nullptr; }
};
} // namespace

class ScriptedChosenEngine : public ITTSCentralA,
                             public ITTSAttributesA,
                             public std::enable_shared_from_this<ScriptedChosenEngine> {
public:
    ScriptedChosenEngine(ScriptedSpeech& script, const ScriptedMode& mode)
        : m_script(script), m_mode(mode) {
        m_speed.range = mode.speed;
        m_speed.value = mode.speed.initial;
        m_pitch.range = mode.pitch;
        m_pitch.value = mode.pitch.initial;
        m_volume.range = mode.volume;
        m_volume.value = mode.volume.initial;
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { FinishUtterance(); });
    }

    HRESULT TextData(const QByteArray& text) override {
        m_script.log << QStringLiteral("TextData %1 speed=%2 pitch=%3 volume=%4")
                            .arg(Quoted(FromCp1250(text)))
                            .arg(m_speed.value)
                            .arg(m_pitch.value)
                            .arg(m_volume.value);
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("TextData"))) return hr;
        m_pending.push_back(m_script.duration(FromCp1250(text)));
        if (!m_active) {
            m_active = true;
            Post(true);
            StartNext();
        }
        return S_OK;
    }

    HRESULT AudioReset() override {
        m_script.log << QStringLiteral("AudioReset");
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("AudioReset"))) return hr;
        m_timer.stop();
        m_pending.clear();
        m_holding = false;
        if (m_active) {
            m_active = false;
            Post(false);
        }
        return S_OK;
    }

    HRESULT Inject(const QByteArray& tag) override {
        m_script.log << QStringLiteral("Inject %1").arg(Quoted(QString::fromLatin1(tag)));
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Inject"))) return hr;
        static const QRegularExpression form(QStringLiteral("^\\\\(Spd|Pit|Vol)=(\\d+)\\\\$"));
        QRegularExpressionMatch m = form.match(QString::fromLatin1(tag));
        if (!m.hasMatch()) return S_OK;
        const uint32_t v = m.captured(2).toUInt();
        if (m.captured(1) == QLatin1String("Spd"))
            m_speed.Set(v, 0xFFFFFFFFu);
        else if (m.captured(1) == QLatin1String("Pit"))
            m_pitch.Set(v, 0xFFFFu);
        else
            m_volume.Set(v, 0xFFFFFFFFu);
        return S_OK;
    }

    HRESULT Register(std::shared_ptr<ITTSNotifySinkA> sink, DWORD* key) override {
        const DWORD k = m_nextKey++;
        m_script.log << QStringLiteral("Register key=%1").arg(k);
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Register"))) return hr;
        m_sinks[k] = std::move(sink);
        *key = k;
        return S_OK;
    }

    HRESULT UnRegister(DWORD key) override {
        m_script.log << QStringLiteral("UnRegister key=%1").arg(key);
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("UnRegister"))) return hr;
        return m_sinks.erase(key) ? S_OK : E_INVALIDARG;
    }

    HRESULT QueryAttributes(std::shared_ptr<ITTSAttributesA>* attributes) override {
        m_script.log << QStringLiteral("QueryAttributes");
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("QueryAttributes"))) return hr;
        *attributes = std::shared_ptr<ITTSAttributesA>(shared_from_this(), this);
        return S_OK;
    }

    HRESULT PitchGet(WORD* v) override {
        return Get(QStringLiteral("PitchGet"), m_pitch,
                   [v](uint32_t x) { *v = static_cast<WORD>(x); });
    }
    HRESULT PitchSet(WORD v) override {
        return Set(QStringLiteral("PitchSet"), m_pitch, v, 0xFFFFu);
    }
    HRESULT SpeedGet(DWORD* v) override {
        return Get(QStringLiteral("SpeedGet"), m_speed, [v](uint32_t x) { *v = x; });
    }
    HRESULT SpeedSet(DWORD v) override {
        return Set(QStringLiteral("SpeedSet"), m_speed, v, 0xFFFFFFFFu);
    }
    HRESULT VolumeGet(DWORD* v) override {
        return Get(QStringLiteral("VolumeGet"), m_volume, [v](uint32_t x) { *v = x; });
    }
    HRESULT VolumeSet(DWORD v) override {
        return Set(QStringLiteral("VolumeSet"), m_volume, v, 0xFFFFFFFFu);
    }

    void FinishUtterance() {
        if (m_pending.empty()) return;
        m_holding = false;
        m_pending.pop_front();
        if (!m_pending.empty()) {
            StartNext();
            return;
        }
        if (m_active) {
            m_active = false;
            Post(false);
        }
    }

    uint32_t Speed() const { return m_speed.value; }
    uint32_t Pitch() const { return m_pitch.value; }
    uint32_t Volume() const { return m_volume.value; }

private:
    void StartNext() {
        const int ms = m_pending.front();
        if (ms == ScriptedSpeech::kHold)
            m_holding = true;
        else
            m_timer.start(ms);
    }

    // Posts AudioStart or AudioStop to the sinks registered when it is
    // posted, as the real engine does: a sink unregistered (or an engine
    // released) afterwards still hears the notification.
    void Post(bool start) {
        m_script.log << (start ? QStringLiteral("-> AudioStart") : QStringLiteral("-> AudioStop"));
        auto sinks = m_sinks;
        PostToGuiThread([sinks, start] {
            for (auto& [key, sink] : sinks)
                start ? sink->AudioStart(0) : sink->AudioStop(0);
        });
    }

    template <typename F> HRESULT Get(const QString& name, const AttributeValue& a, F out) {
        m_script.log << name;
        if (HRESULT hr = m_script.FailureFor(name)) return hr;
        if (!a.range.implemented) return E_NOTIMPL;
        out(a.value);
        return S_OK;
    }

    HRESULT Set(const QString& name, AttributeValue& a, uint32_t v, uint32_t allOnes) {
        m_script.log << QStringLiteral("%1 %2").arg(name).arg(v);
        if (HRESULT hr = m_script.FailureFor(name)) return hr;
        if (!a.range.implemented) return E_NOTIMPL;
        a.Set(v, allOnes);
        return S_OK;
    }

    ScriptedSpeech& m_script;
    ScriptedMode m_mode;
    AttributeValue m_speed, m_pitch, m_volume;
    std::map<DWORD, std::shared_ptr<ITTSNotifySinkA>> m_sinks;
    DWORD m_nextKey = 1;
    std::deque<int> m_pending; // durations of the queued utterances, the playing one first
    bool m_active = false;
    bool m_holding = false;
    QTimer m_timer;
};

namespace {
class ScriptedEnumerator : public ITTSEnumA {
public:
    explicit ScriptedEnumerator(ScriptedSpeech& script) : m_script(script) {}

    HRESULT Reset() override {
        m_script.log << QStringLiteral("Reset");
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Reset"))) return hr;
        m_index = 0;
        return S_OK;
    }

    HRESULT Next(uint32_t count, TTSMODEINFOA* modes, uint32_t* fetched) override {
        m_script.log << QStringLiteral("Next");
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Next"))) return hr;
        uint32_t n = 0;
        while (n < count && m_index < m_script.modes.size()) {
            const ScriptedMode& mode = m_script.modes[m_index++];
            modes[n++] = TTSMODEINFOA{mode.id, mode.name, QStringLiteral("cs")};
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }

    HRESULT Select(const GUID& modeId, std::shared_ptr<ITTSCentralA>* engine,
                   std::shared_ptr<IAudioMultiMediaDevice>) override {
        auto it = std::find_if(m_script.modes.begin(), m_script.modes.end(),
                               [&](const ScriptedMode& m) { return m.id == modeId; });
        m_script.log << QStringLiteral("Select %1")
                            .arg(it == m_script.modes.end() ? modeId.toString() : it->name);
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Select"))) return hr;
        if (it == m_script.modes.end()) return E_INVALIDARG;
        auto made = std::make_shared<ScriptedChosenEngine>(m_script, *it);
        m_script.lastEngine = made;
        *engine = made;
        return S_OK;
    }

private:
    ScriptedSpeech& m_script;
    size_t m_index = 0;
};

class ScriptedVoiceBackend : public VoiceBackend {
public:
    explicit ScriptedVoiceBackend(ScriptedSpeech& script) : m_script(script) {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Finish(); });
        m_script.finishStream = [this] { Finish(); };
    }
    ~ScriptedVoiceBackend() override { m_script.finishStream = nullptr; }

    void Begin(const QString& text, bool, Done done) override {
        m_script.log << QStringLiteral("Begin %1").arg(Quoted(text));
        m_done = std::move(done);
        const int ms = m_script.duration(text);
        if (ms != ScriptedSpeech::kHold) m_timer.start(ms);
    }

    void Cancel() override {
        m_script.log << QStringLiteral("Cancel");
        m_timer.stop();
        m_done = nullptr;
    }

private:
    void Finish() {
        m_timer.stop();
        if (auto done = std::exchange(m_done, nullptr)) done();
    }

    ScriptedSpeech& m_script;
    QTimer m_timer;
    Done m_done;
};

class ScriptedVoice : public StreamVoice {
public:
    ScriptedVoice(ScriptedSpeech& script)
        : StreamVoice(std::make_unique<ScriptedVoiceBackend>(script)), m_script(script) {}

    HRESULT SetEventInterests(long interests) override {
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("EventInterests"))) return hr;
        return StreamVoice::SetEventInterests(interests);
    }

    // The handlers are wrapped so the log shows each event as it is delivered.
    void SetStreamHandlers(StreamEvent onStartStream, StreamEvent onEndStream) override {
        ScriptedSpeech* script = &m_script;
        StreamVoice::SetStreamHandlers(
            [script, onStartStream](long n, long long pos) {
                script->log << QStringLiteral("-> StartStream %1").arg(n);
                if (onStartStream) onStartStream(n, pos);
            },
            [script, onEndStream](long n, long long pos) {
                script->log << QStringLiteral("-> EndStream %1").arg(n);
                if (onEndStream) onEndStream(n, pos);
            });
    }

    HRESULT Speak(const QString& text, long flags, long* streamNumber) override {
        m_script.log << QStringLiteral("Speak %1 flags=%2").arg(Quoted(text)).arg(flags);
        if (HRESULT hr = m_script.FailureFor(QStringLiteral("Speak"))) return hr;
        return StreamVoice::Speak(text, flags, streamNumber);
    }

private:
    ScriptedSpeech& m_script;
};
} // namespace

ScriptedMode ScriptedSpeech::Mode(const QString& name) {
    ScriptedMode mode;
    mode.name = name;
    mode.id = QUuid::createUuidV5(kScriptedNamespace, name);
    return mode;
}

ScriptedSpeech::ScriptedSpeech() {
    modes = {Mode(QStringLiteral("Jakub")), Mode(QStringLiteral("Eliska")),
             Mode(QStringLiteral("Tom"))};
    ReleaseSpeechEngines();
    SetSpeechEngineFactory(SpeechEngineFactory{
        [this]() -> std::shared_ptr<IAudioMultiMediaDevice> {
            if (failAudioDestination) return nullptr;
            return std::make_shared<ScriptedAudioDestination>();
        },
        [this]() -> std::shared_ptr<ITTSEnumA> {
            if (failEnumerator) return nullptr;
            return std::make_shared<ScriptedEnumerator>(*this);
        },
        [this]() -> std::shared_ptr<ISpeechVoice> {
            if (failVoice) return nullptr;
            return std::make_shared<ScriptedVoice>(*this);
        },
    });
}

ScriptedSpeech::~ScriptedSpeech() {
    ReleaseSpeechEngines();
    SetSpeechEngineFactory(SpeechEngineFactory{});
}

QStringList ScriptedSpeech::Calls(const QString& prefix) const {
    QStringList out;
    for (const QString& entry : log)
        if (entry.startsWith(prefix)) out << entry;
    return out;
}

HRESULT ScriptedSpeech::FailureFor(const QString& call) const {
    auto it = failures.find(call);
    return it == failures.end() ? S_OK : it->second;
}

void ScriptedSpeech::FinishUtterance() {
    if (auto engine = lastEngine.lock()) engine->FinishUtterance();
}

void ScriptedSpeech::FinishStream() {
    if (finishStream) finishStream();
}

uint32_t ScriptedSpeech::Speed() const {
    auto engine = lastEngine.lock();
    return engine ? engine->Speed() : 0;
}

uint32_t ScriptedSpeech::Pitch() const {
    auto engine = lastEngine.lock();
    return engine ? engine->Pitch() : 0;
}

uint32_t ScriptedSpeech::Volume() const {
    auto engine = lastEngine.lock();
    return engine ? engine->Volume() : 0;
}
