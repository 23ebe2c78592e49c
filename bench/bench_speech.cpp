// Speech latency and cost, measured on this machine:
//   1. TextData of a one-word text -> first audible sample leaving the mixer;
//   2. AudioReset -> the mixer's output silent;
//   3. the GUI thread's CPU time during a SpeakAndWait of a five-second text.
// The mixer is rendered by a thread paced like the audio device (256 frames at
// 48 kHz); the third measurement uses the program's real audio output.
// Usage: bench_speech [runs]   (default 50)
#include "shell/cp1250.h"
#include "shell/settings.h"
#include "speech/audio_mixer.h"
#include "speech/espeak_engine.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/speech_shutdown.h"
#include "speech/tts_notify_sink.h"
#include "speech/tts_result.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kPeriod = 256;
constexpr float kAudible = 0.01f;

// Renders the mixer in real time and stamps the periods that sound.
class PacedOutput {
public:
    explicit PacedOutput(AudioMixer& mixer) : m_mixer(mixer), m_thread([this] { Run(); }) {}
    ~PacedOutput() {
        m_stop = true;
        m_thread.join();
    }
    // Time of the first period after `since` whose samples are audible (or silent).
    Clock::time_point WaitFor(bool audible, Clock::time_point since) {
        for (;;) {
            {
                std::lock_guard<std::mutex> g(m_lock);
                for (const auto& [t, loud] : m_periods)
                    if (t > since && loud == audible) return t;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    void Forget() {
        std::lock_guard<std::mutex> g(m_lock);
        m_periods.clear();
    }

private:
    void Run() {
        std::vector<float> out(kPeriod);
        const auto step =
            std::chrono::nanoseconds(1'000'000'000LL * kPeriod / AudioMixer::kDefaultRate);
        Clock::time_point next = Clock::now();
        while (!m_stop) {
            m_mixer.Render(out.data(), kPeriod);
            bool loud = false;
            for (float s : out)
                loud = loud || std::fabs(s) > kAudible;
            {
                std::lock_guard<std::mutex> g(m_lock);
                m_periods.emplace_back(Clock::now(), loud);
                if (m_periods.size() > 4000)
                    m_periods.erase(m_periods.begin(), m_periods.begin() + 2000);
            }
            next += step;
            std::this_thread::sleep_until(next);
        }
    }
    AudioMixer& m_mixer;
    std::mutex m_lock;
    std::vector<std::pair<Clock::time_point, bool>> m_periods;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

struct Stats {
    double median, p95;
};

Stats Summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    auto at = [&](double q) {
        return v[std::min(v.size() - 1, static_cast<size_t>(q * (v.size() - 1) + 0.5))];
    };
    return {at(0.5), at(0.95)};
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

EspeakVoiceInfo Czech() {
    for (const EspeakVoiceInfo& v : EspeakWorker::Instance().Voices())
        if (v.language == QLatin1String("cs")) return v;
    return EspeakWorker::Instance().Voices().front();
}

void MeasureLatencies(int runs) {
    AudioMixer mixer;
    auto destination = std::make_shared<MixerAudioDestination>(mixer);
    auto engine = std::make_shared<EspeakEngine>(Czech(), destination);
    PacedOutput output(mixer);
    std::vector<double> start, stop;
    const QByteArray word = ToCp1250(QStringLiteral("tečka"));
    const QByteArray sentence =
        ToCp1250(QString::fromUtf8("Toto je delší věta pro měření zastavení řeči."));
    for (int i = 0; i < runs + 3; ++i) { // the first runs warm the caches up
        engine->AudioReset();
        EspeakWorker::Instance().WaitIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        output.Forget();
        Clock::time_point t0 = Clock::now();
        engine->TextData(word);
        Clock::time_point t1 = output.WaitFor(true, t0);
        if (i >= 3) start.push_back(Ms(t1 - t0));

        engine->AudioReset();
        engine->TextData(sentence);
        output.WaitFor(true, Clock::now());
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        t0 = Clock::now();
        engine->AudioReset();
        t1 = output.WaitFor(false, t0);
        if (i >= 3) stop.push_back(Ms(t1 - t0));
        QCoreApplication::processEvents();
    }
    const double periodMs = 1000.0 * kPeriod / AudioMixer::kDefaultRate;
    Stats s = Summarise(start);
    std::printf(
        "TextData of one word -> first audible sample: median %.2f ms, p95 %.2f ms (%d runs)\n",
        s.median, s.p95, runs);
    s = Summarise(stop);
    std::printf("AudioReset -> silence: median %.2f ms, p95 %.2f ms (one period = %.2f ms)\n",
                s.median, s.p95, periodMs);
}

void MeasureWaitCost(int runs) {
    InitSpeechEngine();
    SpeechEngineState& e = SpeechEngines();
    if (!e.enumerator) {
        std::printf("no espeak-ng voices: wait cost not measured\n");
        return;
    }
    e.sink = std::make_shared<TTTSNotifySink>();
    TTSMODEINFOA mode;
    e.enumerator->Reset();
    e.enumerator->Next(1, &mode, nullptr);
    CheckResult(e.enumerator->Select(mode.gModeID, &e.engine, e.audioDestination));
    CheckResult(e.engine->Register(e.sink, &e.sinkKey));
    Speech().SpeechReady = true;
    Settings().voiceallowed = true;
    Settings().sapi5 = false;
    const QString text = QString::fromUtf8(
        "Toto je text, který trvá přibližně pět sekund, a měří se při něm čas procesoru.");
    std::vector<double> percent, seconds;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = ThreadCpuSeconds();
        const Clock::time_point t0 = Clock::now();
        SpeakAndWait(text);
        const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
        const double cpu = ThreadCpuSeconds() - cpu0;
        percent.push_back(100.0 * cpu / wall);
        seconds.push_back(wall);
    }
    const Stats p = Summarise(percent);
    const Stats w = Summarise(seconds);
    std::printf("GUI thread CPU during SpeakAndWait of a %.1f s text: median %.3f %%, p95 %.3f %% "
                "(%d runs)\n",
                w.median, p.median, p.p95, runs);
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    if (!EspeakWorker::Instance().Start()) {
        std::fprintf(stderr, "espeak-ng is not usable\n");
        return 1;
    }
    MeasureLatencies(runs);
    MeasureWaitCost(runs);
    ShutdownSpeech();
    return 0;
}
