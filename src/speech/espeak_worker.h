#pragma once
// The one thread that makes every libespeak-ng call (the library is not
// thread-safe), process-wide. It starts on first use, initialises espeak-ng
// in synchronous mode and runs jobs in the order they were posted.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// One espeak-ng voice as the program lists it.
struct EspeakVoiceInfo {
    QString name;          // "Czech"
    QByteArray identifier; // "zlw/cs": selects the voice
    QString language;      // "cs": its first language
};

// What a synthesis uses; values already in espeak-ng's ranges.
struct EspeakSynthParams {
    QByteArray voiceIdentifier;
    int rate = 175;   // words per minute, 80..450
    int pitch = 50;   // 0..100
    int volume = 100; // 0..100
};

class EspeakWorker {
public:
    static EspeakWorker& Instance();

    // Starts the thread and initialises espeak-ng (once; again after Stop).
    // Returns whether espeak-ng and its data are usable.
    bool Start();
    // Stops and joins the thread after the job in progress; queued jobs are
    // dropped. Synthesis in progress is aborted.
    void Stop();
    bool Running() const;

    // espeak-ng's output rate (22050), 0 when not usable.
    int SampleRate() const;
    // The voices without the mbrola ones, in the program's order: Czech
    // first, then Slovak, then English, then the rest in espeak-ng's order.
    std::vector<EspeakVoiceInfo> Voices() const;

    // Runs job on the worker thread, after the jobs posted before it.
    // Dropped when the worker is not running.
    void Post(std::function<void()> job);
    // Returns once every job posted before the call has run (at once when
    // the worker is not running). For tests and measurements.
    void WaitIdle();

    // Worker thread only: synthesises UTF-8 text with the parameters and
    // hands the samples to sink in chunks, with the leading silence trimmed.
    // sink returns false to abort at once. Returns false when espeak-ng
    // refused the text.
    using SampleSink = std::function<bool(const int16_t* samples, int count)>;
    bool Synthesize(const QByteArray& utf8, bool ssml, const EspeakSynthParams& params,
                    const SampleSink& sink);

    EspeakWorker(const EspeakWorker&) = delete;
    EspeakWorker& operator=(const EspeakWorker&) = delete;

private:
    EspeakWorker();
    ~EspeakWorker();
    struct Impl;
    Impl* d;
};

// Orders espeak-ng's voice list as the program lists it (exposed for tests).
std::vector<EspeakVoiceInfo> OrderVoices(const std::vector<EspeakVoiceInfo>& voices);
