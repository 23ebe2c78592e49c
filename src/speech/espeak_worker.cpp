#include "speech/espeak_worker.h"

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <future>
#include <mutex>
#include <thread>

namespace {
// Samples at or below this magnitude count as the silence before speech.
constexpr int kSilenceThreshold = 64;
// espeak-ng hands over audio in buffers of this many milliseconds: short
// buffers let the first sound and an abort happen sooner.
constexpr int kBufferMs = 20;

struct SynthRun {
    const EspeakWorker::SampleSink* sink = nullptr;
    const std::atomic<bool>* stopping = nullptr;
    bool trimming = true;
    bool aborted = false;
};
thread_local SynthRun* t_run = nullptr;

int SynthCallback(short* wav, int count, espeak_EVENT*) {
    SynthRun* run = t_run;
    if (!run || run->aborted) return 1;
    if (run->stopping->load()) {
        run->aborted = true;
        return 1;
    }
    if (!wav || count <= 0) return 0;
    const int16_t* samples = wav;
    if (run->trimming) {
        int first = 0;
        while (first < count && std::abs(samples[first]) <= kSilenceThreshold)
            ++first;
        if (first == count) return 0;
        run->trimming = false;
        samples += first;
        count -= first;
    }
    if (!(*run->sink)(samples, count)) {
        run->aborted = true;
        return 1;
    }
    return 0;
}

std::vector<EspeakVoiceInfo> ListEspeakVoices() {
    std::vector<EspeakVoiceInfo> out;
    const espeak_VOICE** list = espeak_ListVoices(nullptr);
    for (int i = 0; list && list[i]; ++i) {
        const espeak_VOICE* v = list[i];
        if (!v->identifier || !v->name) continue;
        QByteArray id(v->identifier);
        if (id.startsWith("mb/")) continue; // mbrola voices need data that is not installed
        // languages: a priority byte, then a zero-terminated name; the first counts.
        QString language =
            v->languages && v->languages[0] ? QString::fromUtf8(v->languages + 1) : QString();
        out.push_back(EspeakVoiceInfo{QString::fromUtf8(v->name), id, language});
    }
    return out;
}

int LanguageRank(const QString& language) {
    auto is = [&](const char* code) {
        return language == QLatin1String(code) ||
               language.startsWith(QLatin1String(code) + QLatin1Char('-'));
    };
    if (is("cs")) return 0;
    if (is("sk")) return 1;
    if (is("en")) return 2;
    return 3;
}
} // namespace

std::vector<EspeakVoiceInfo> OrderVoices(const std::vector<EspeakVoiceInfo>& voices) {
    std::vector<EspeakVoiceInfo> out = voices;
    std::stable_sort(out.begin(), out.end(),
                     [](const EspeakVoiceInfo& a, const EspeakVoiceInfo& b) {
                         return LanguageRank(a.language) < LanguageRank(b.language);
                     });
    return out;
}

struct EspeakWorker::Impl {
    mutable std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    std::thread thread;
    std::atomic<bool> stopping{false};
    bool running = false;
    int sampleRate = 0;
    std::vector<EspeakVoiceInfo> voices;
    // Worker thread only: what espeak-ng is set to now.
    EspeakSynthParams applied;
    bool voiceApplied = false;

    void Run(std::promise<bool> ready) {
        // espeak-ng is initialised once per process and never terminated: a
        // second initialisation after espeak_Terminate hangs in the next
        // terminate. Only one worker thread exists at a time, so the calls
        // stay on one thread at a time.
        static const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kBufferMs, nullptr,
                                                  espeakINITIALIZE_DONT_EXIT);
        if (rate <= 0) {
            ready.set_value(false);
            return;
        }
        espeak_SetSynthCallback(SynthCallback);
        {
            std::lock_guard<std::mutex> g(lock);
            sampleRate = rate;
            voices = OrderVoices(ListEspeakVoices());
        }
        voiceApplied = false;
        ready.set_value(true);
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock<std::mutex> g(lock);
                wake.wait(g, [&] { return stopping.load() || !jobs.empty(); });
                if (stopping.load()) break;
                job = std::move(jobs.front());
                jobs.pop_front();
            }
            job();
        }
    }

    void Apply(const EspeakSynthParams& p) {
        if (!voiceApplied || p.voiceIdentifier != applied.voiceIdentifier) {
            // Selecting a voice resets rate, pitch and volume: set them all again.
            if (espeak_SetVoiceByName(p.voiceIdentifier.constData()) != EE_OK) {
                espeak_VOICE wanted{};
                QByteArray language = p.voiceIdentifier.mid(p.voiceIdentifier.lastIndexOf('/') + 1);
                wanted.languages = language.constData();
                espeak_SetVoiceByProperties(&wanted);
            }
            voiceApplied = true;
            applied.voiceIdentifier = p.voiceIdentifier;
            applied.rate = applied.pitch = applied.volume = -1;
        }
        if (p.rate != applied.rate) espeak_SetParameter(espeakRATE, p.rate, 0);
        if (p.pitch != applied.pitch) espeak_SetParameter(espeakPITCH, p.pitch, 0);
        if (p.volume != applied.volume) espeak_SetParameter(espeakVOLUME, p.volume, 0);
        applied.rate = p.rate;
        applied.pitch = p.pitch;
        applied.volume = p.volume;
    }
};

EspeakWorker::EspeakWorker() : d(new Impl) {}

// The process-wide worker is never destroyed: the program's end stops it
// through its shutdown hook, and a static destructor must not race a thread.
EspeakWorker::~EspeakWorker() = default;

EspeakWorker& EspeakWorker::Instance() {
    static EspeakWorker* worker = new EspeakWorker;
    return *worker;
}

bool EspeakWorker::Start() {
    std::unique_lock<std::mutex> g(d->lock);
    if (d->running) return true;
    if (d->thread.joinable()) {
        g.unlock();
        d->thread.join(); // a start that failed earlier
        g.lock();
    }
    d->stopping = false;
    d->jobs.clear();
    std::promise<bool> ready;
    std::future<bool> result = ready.get_future();
    d->thread = std::thread([this, p = std::move(ready)]() mutable { d->Run(std::move(p)); });
    g.unlock();
    const bool ok = result.get();
    g.lock();
    d->running = ok;
    return ok;
}

void EspeakWorker::Stop() {
    {
        std::lock_guard<std::mutex> g(d->lock);
        d->stopping = true;
        d->running = false;
        d->jobs.clear();
        d->sampleRate = 0;
    }
    d->wake.notify_all();
    if (d->thread.joinable()) d->thread.join();
}

bool EspeakWorker::Running() const {
    std::lock_guard<std::mutex> g(d->lock);
    return d->running;
}

int EspeakWorker::SampleRate() const {
    std::lock_guard<std::mutex> g(d->lock);
    return d->sampleRate;
}

std::vector<EspeakVoiceInfo> EspeakWorker::Voices() const {
    std::lock_guard<std::mutex> g(d->lock);
    return d->voices;
}

void EspeakWorker::Post(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> g(d->lock);
        if (!d->running) return;
        d->jobs.push_back(std::move(job));
    }
    d->wake.notify_one();
}

void EspeakWorker::WaitIdle() {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    {
        std::lock_guard<std::mutex> g(d->lock);
        if (!d->running) return;
        d->jobs.push_back([done] { done->set_value(); });
    }
    d->wake.notify_one();
    finished.wait();
}

bool EspeakWorker::Synthesize(const QByteArray& utf8, bool ssml, const EspeakSynthParams& params,
                              const SampleSink& sink) {
    d->Apply(params);
    SynthRun run;
    run.sink = &sink;
    run.stopping = &d->stopping;
    t_run = &run;
    const unsigned flags = espeakCHARS_UTF8 | (ssml ? espeakSSML : 0u);
    // QByteArray keeps a terminating zero after its data: the size passed counts it.
    const espeak_ERROR result = espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1,
                                             0, POS_CHARACTER, 0, flags, nullptr, nullptr);
    t_run = nullptr;
    return result == EE_OK || run.aborted;
}
