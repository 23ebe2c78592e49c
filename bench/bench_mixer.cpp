// The audio mixer's cost: an eight-note chord of looped 64-sample waves plus
// a continuous speech stream at espeak-ng's 22050 Hz (with a marker every
// word), rendered in device periods of 256 frames at 48 kHz. Reports the CPU
// time per second of audio, as a fraction of one core, and the time of one
// period's render.
#include "speech/audio_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 256;
constexpr int kSpeechRate = 22050;
constexpr double kAudioSeconds = 120;

double ThreadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::shared_ptr<const WaveData> NoteWave()
{
    auto w = std::make_shared<WaveData>();
    w->sampleRate = 64 * 375;
    for (int i = 0; i < 64; ++i) {
        const double x = 2 * M_PI * i / 64;
        w->samples.push_back(static_cast<float>(0.3 * std::sin(x) + 0.1 * std::sin(3 * x)));
    }
    return w;
}

// Queues `seconds` of speech-like audio in word-sized chunks, each followed by a marker.
void QueueSpeech(AudioMixer& mixer, double seconds, uint64_t& marker)
{
    const int word = kSpeechRate / 4;
    std::vector<int16_t> chunk(static_cast<size_t>(word));
    for (int i = 0; i < word; ++i)
        chunk[static_cast<size_t>(i)] = static_cast<int16_t>(8000 * std::sin(i * 0.07));
    for (double queued = 0; queued < seconds; queued += 0.25) {
        mixer.QueueSpeech(chunk.data(), chunk.size(), kSpeechRate);
        mixer.QueueSpeechMarker(++marker);
    }
}

double Percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<size_t>(p * static_cast<double>(v.size() - 1))];
}

} // namespace

int main()
{
    AudioMixer mixer(kRate);
    uint64_t markersPassed = 0;
    mixer.SetSpeechMarkerCallback([&](uint64_t) { ++markersPassed; });
    const auto wave = NoteWave();
    const double notes[8] = {262, 330, 392, 523, 659, 784, 1047, 2000};
    for (double note : notes)
        mixer.PlayWave(wave, 64 * note, -600, true);

    uint64_t marker = 0;
    std::vector<float> buffer(kPeriod);
    const int periods = static_cast<int>(kAudioSeconds * kRate / kPeriod);
    std::vector<double> periodMicros;
    periodMicros.reserve(static_cast<size_t>(periods));

    // Speech is queued ahead in ten-second batches, as a fast synthesiser would.
    double speechQueued = 0;
    const double cpuStart = ThreadCpuSeconds();
    double queueCpu = 0;
    for (int p = 0; p < periods; ++p) {
        const double audioNow = static_cast<double>(p) * kPeriod / kRate;
        if (speechQueued - audioNow < 5) {
            const double q0 = ThreadCpuSeconds();
            QueueSpeech(mixer, 10, marker);
            queueCpu += ThreadCpuSeconds() - q0;
            speechQueued += 10;
        }
        const double t0 = WallSeconds();
        mixer.Render(buffer.data(), kPeriod);
        periodMicros.push_back((WallSeconds() - t0) * 1e6);
    }
    const double cpu = ThreadCpuSeconds() - cpuStart - queueCpu;

    const double perSecond = cpu / kAudioSeconds;
    std::printf("mixer: eight-note chord + 22050 Hz speech, %d-frame periods at %d Hz, %.0f s of audio\n",
                kPeriod, kRate, kAudioSeconds);
    std::printf("  CPU per second of audio: %.3f ms = %.5f of one core (%.3f %%)\n", perSecond * 1e3,
                perSecond, perSecond * 100);
    std::printf("  one period's render: median %.2f us, p95 %.2f us, max %.2f us (period lasts %.0f us)\n",
                Percentile(periodMicros, 0.5), Percentile(periodMicros, 0.95),
                *std::max_element(periodMicros.begin(), periodMicros.end()),
                1e6 * kPeriod / kRate);
    std::printf("  speech markers passed: %llu of %llu queued\n",
                static_cast<unsigned long long>(markersPassed), static_cast<unsigned long long>(marker));
    return 0;
}
