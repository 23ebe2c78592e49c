#include "speech/audio_mixer.h"
#include "testsupport/signal_measures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>
#include <vector>

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 256;

std::shared_ptr<const WaveData> SineWave(int length = 64)
{
    auto w = std::make_shared<WaveData>();
    w->sampleRate = 22050;
    for (int i = 0; i < length; ++i)
        w->samples.push_back(static_cast<float>(std::sin(2 * std::numbers::pi * i / length)));
    return w;
}

std::shared_ptr<const WaveData> ConstantWave(float value, int length, int rate = kRate)
{
    auto w = std::make_shared<WaveData>();
    w->sampleRate = rate;
    w->samples.assign(static_cast<size_t>(length), value);
    return w;
}

} // namespace

// A 64-sample period played at 64 x f samples per second sounds at f Hz.
struct PitchCase {
    const char* name;
    double note;
};

class NotePitch : public ::testing::TestWithParam<PitchCase> {};

TEST_P(NotePitch, SoundsAtTheNoteInHertz)
{
    AudioMixer mixer(kRate);
    const double note = GetParam().note;
    mixer.PlayWave(SineWave(), 64 * note, 0, true);
    const double measured = FrequencyByZeroCrossings(RenderFrames(mixer, kRate), kRate);
    EXPECT_NEAR(measured, note, note * 0.01);
}

INSTANTIATE_TEST_SUITE_P(Notes, NotePitch,
                         ::testing::Values(PitchCase{"A440", 440}, PitchCase{"Rising400", 400},
                                           PitchCase{"CapitalTone2000", 2000},
                                           PitchCase{"Low100", 100}),
                         [](const auto& info) { return std::string(info.param.name); });

// Attenuation in hundredths of a decibel: gain 10^(v/2000).
struct VolumeCase {
    const char* name;
    int volume;
    float gain;
};

class WaveVolume : public ::testing::TestWithParam<VolumeCase> {};

TEST_P(WaveVolume, ScalesTheWaveByTheAttenuation)
{
    AudioMixer mixer(kRate);
    mixer.PlayWave(ConstantWave(0.5f, 4 * kPeriod), kRate, GetParam().volume, false);
    const std::vector<float> out = RenderFrames(mixer, kPeriod);
    for (float v : out)
        ASSERT_NEAR(v, 0.5f * GetParam().gain, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(
    Attenuations, WaveVolume,
    ::testing::Values(VolumeCase{"Full", 0, 1.0f}, VolumeCase{"Minus6dB", -600, 0.501187f},
                      VolumeCase{"Minus20dB", -2000, 0.1f}, VolumeCase{"Minus60dB", -6000, 0.001f},
                      VolumeCase{"Silence", -10000, 0.0f}, VolumeCase{"BelowSilence", -20000, 0.0f},
                      VolumeCase{"AboveFullClamps", 500, 1.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveVoices, OneShotEndsAfterItsSamplesAndLoopedRepeatsUntilStopped)
{
    AudioMixer mixer(kRate);
    const int oneShot = mixer.PlayWave(ConstantWave(0.25f, 100), kRate, 0, false);
    const int looped = mixer.PlayWave(ConstantWave(0.5f, 100), kRate, 0, true);

    std::vector<float> out = RenderFrames(mixer, kPeriod);
    EXPECT_NEAR(out[0], 0.75f, 1e-5f);
    EXPECT_NEAR(out[98], 0.75f, 1e-5f);
    // Past the last sample the one-shot is gone; the looped voice wraps.
    EXPECT_NEAR(out[100], 0.5f, 1e-5f);
    EXPECT_NEAR(out[kPeriod - 1], 0.5f, 1e-5f);
    EXPECT_FALSE(mixer.VoicePlaying(oneShot));
    EXPECT_TRUE(mixer.VoicePlaying(looped));

    mixer.StopVoice(looped);
    EXPECT_FALSE(mixer.VoicePlaying(looped));
    EXPECT_EQ(Peak(RenderFrames(mixer, kPeriod)), 0.0f);
}

TEST(WaveVoices, MixTogetherAndClipAtFullScale)
{
    AudioMixer mixer(kRate);
    for (int i = 0; i < 8; ++i)
        mixer.PlayWave(ConstantWave(0.2f, kPeriod), kRate, 0, true);
    const std::vector<float> out = RenderFrames(mixer, kPeriod);
    EXPECT_EQ(out.front(), 1.0f);
    EXPECT_EQ(out.back(), 1.0f);
}

TEST(WaveVoices, RateAndVolumeChangeWhilePlaying)
{
    AudioMixer mixer(kRate);
    const int voice = mixer.PlayWave(SineWave(), 64 * 440.0, 0, true);
    RenderFrames(mixer, kPeriod);
    mixer.SetVoiceRate(voice, 64 * 880.0);
    mixer.SetVoiceVolume(voice, -2000);
    const std::vector<float> out = RenderFrames(mixer, kRate / 2);
    EXPECT_NEAR(FrequencyByZeroCrossings(out, kRate), 880.0, 8.8);
    EXPECT_NEAR(Peak(out), 0.1f, 0.005f);
}

struct BadWaveCase {
    const char* name;
    bool emptyWave;
    double rate;
    bool looped;
};

class UnplayableWave : public ::testing::TestWithParam<BadWaveCase> {};

TEST_P(UnplayableWave, StaysSilentAndNeverBlocksAOneShotWait)
{
    const BadWaveCase& c = GetParam();
    AudioMixer mixer(kRate);
    auto wave = c.emptyWave ? std::make_shared<WaveData>() : ConstantWave(0.5f, 64);
    const int voice = mixer.PlayWave(wave, c.rate, 0, c.looped);
    EXPECT_GT(voice, 0);
    EXPECT_EQ(Peak(RenderFrames(mixer, kPeriod)), 0.0f);
    EXPECT_EQ(mixer.VoicePlaying(voice), c.looped && !c.emptyWave);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnplayableWave,
    ::testing::Values(BadWaveCase{"EmptyWave", true, 48000, false},
                      BadWaveCase{"EmptyLoopedWave", true, 48000, true},
                      BadWaveCase{"ZeroRateOneShot", false, 0, false},
                      BadWaveCase{"NegativeRateOneShot", false, -320, false},
                      BadWaveCase{"NegativeRateLooped", false, -320, true},
                      BadWaveCase{"NotANumberRateLooped", false, std::nan(""), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WaveVoices, WaitReturnsWhenTheRenderingThreadFinishesTheVoice)
{
    AudioMixer mixer(kRate);
    const int voice = mixer.PlayWave(ConstantWave(0.1f, kRate / 10), kRate, 0, false);
    std::atomic<bool> stop{false};
    std::thread device([&] {
        std::vector<float> buffer(kPeriod);
        while (!stop)
            mixer.Render(buffer.data(), kPeriod);
    });
    const bool ended = mixer.WaitVoice(voice, std::chrono::seconds(60));
    stop = true;
    device.join();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(mixer.VoicePlaying(voice));
}

TEST(WaveVoices, WaitGivesUpWhenNothingRenders)
{
    AudioMixer mixer(kRate);
    const int voice = mixer.PlayWave(ConstantWave(0.1f, 64), kRate, 0, false);
    EXPECT_FALSE(mixer.WaitVoice(voice, std::chrono::milliseconds(20)));
    EXPECT_TRUE(mixer.VoicePlaying(voice));
}

TEST(WaveVoices, ManyMoreVoicesThanSlotsKeepTheNewestPlaying)
{
    AudioMixer mixer(kRate);
    std::vector<int> voices;
    for (int i = 0; i < 200; ++i)
        voices.push_back(mixer.PlayWave(ConstantWave(0.001f, 64), kRate, 0, true));
    EXPECT_TRUE(mixer.VoicePlaying(voices.back()));
    EXPECT_FALSE(mixer.VoicePlaying(voices.front()));
}

// --- speech

TEST(Speech, IsResampledToTheOutputRateAndItsMarkerPassesAfterTheLastSample)
{
    AudioMixer mixer(kRate);
    std::vector<uint64_t> markerFrames;
    std::vector<uint64_t> ids;
    mixer.SetSpeechMarkerCallback([&](uint64_t id) {
        ids.push_back(id);
        markerFrames.push_back(mixer.FramesRendered());
    });
    // 0.1 s of a constant half-scale signal at espeak-ng's rate.
    const std::vector<int16_t> speech(2205, 16384);
    mixer.QueueSpeechMarker(1);
    mixer.QueueSpeech(speech.data(), speech.size(), 22050);
    mixer.QueueSpeechMarker(2);
    EXPECT_TRUE(mixer.SpeechPending());

    // One frame at a time, so the marker's frame is exact.
    std::vector<float> out;
    for (int i = 0; i < kRate / 5; ++i) {
        float v = 0;
        mixer.Render(&v, 1);
        out.push_back(v);
    }
    const int expectedFrames = 4800; // 2205 samples at 22050 Hz = 0.1 s
    int nonSilent = 0;
    for (float v : out)
        nonSilent += v != 0.0f;
    EXPECT_NEAR(nonSilent, expectedFrames, 3);
    EXPECT_NEAR(out[100], 0.5f, 1e-4f);
    EXPECT_NEAR(out[expectedFrames - 10], 0.5f, 1e-4f);
    ASSERT_EQ(ids, (std::vector<uint64_t>{1, 2}));
    EXPECT_EQ(markerFrames[0], 1u); // the first marker passes with the first frame
    EXPECT_NEAR(static_cast<double>(markerFrames[1]), expectedFrames, 3);
    EXPECT_FALSE(mixer.SpeechPending());
}

TEST(Speech, MixesWithWaves)
{
    AudioMixer mixer(kRate);
    const std::vector<int16_t> speech(22050, 8192);
    mixer.QueueSpeech(speech.data(), speech.size(), 22050);
    mixer.PlayWave(ConstantWave(0.5f, kRate), kRate, 0, false);
    const std::vector<float> out = RenderFrames(mixer, kPeriod);
    EXPECT_NEAR(out[10], 0.75f, 1e-4f);
}

TEST(Speech, ClearDropsQueuedSamplesAndMarkersAtOnce)
{
    AudioMixer mixer(kRate);
    std::vector<uint64_t> ids;
    mixer.SetSpeechMarkerCallback([&](uint64_t id) { ids.push_back(id); });
    const std::vector<int16_t> speech(22050, 8192);
    mixer.QueueSpeech(speech.data(), speech.size(), 22050);
    mixer.QueueSpeechMarker(5);
    RenderFrames(mixer, kPeriod); // speech is now being played
    mixer.QueueSpeech(speech.data(), speech.size(), 22050);
    mixer.QueueSpeechMarker(6);

    mixer.ClearSpeech();
    EXPECT_FALSE(mixer.SpeechPending());
    EXPECT_EQ(Peak(RenderFrames(mixer, kRate)), 0.0f);
    EXPECT_TRUE(ids.empty());

    // Speech queued after the clear plays normally.
    mixer.QueueSpeech(speech.data(), 100, 22050);
    mixer.QueueSpeechMarker(7);
    EXPECT_NEAR(Peak(RenderFrames(mixer, kPeriod)), 0.25f, 1e-4f);
    EXPECT_EQ(ids, (std::vector<uint64_t>{7}));
}

TEST(Speech, ChunksOfDifferentRatesPlayInOrder)
{
    AudioMixer mixer(kRate);
    const std::vector<int16_t> first(480, 16384);  // 10 ms at 48 kHz
    const std::vector<int16_t> second(160, -8192); // 10 ms at 16 kHz
    mixer.QueueSpeech(first.data(), first.size(), 48000);
    mixer.QueueSpeech(second.data(), second.size(), 16000);
    const std::vector<float> out = RenderFrames(mixer, 1200);
    EXPECT_NEAR(out[200], 0.5f, 1e-4f);
    EXPECT_NEAR(out[700], -0.25f, 1e-4f);
    EXPECT_EQ(out[1100], 0.0f);
}

TEST(Speech, MarkersFromAnotherThreadArriveInOrderWhileTheDeviceRenders)
{
    AudioMixer mixer(kRate);
    std::vector<uint64_t> ids;
    std::atomic<uint64_t> last{0};
    mixer.SetSpeechMarkerCallback([&](uint64_t id) {
        ids.push_back(id);
        last = id;
    });
    std::atomic<bool> stop{false};
    std::thread device([&] {
        std::vector<float> buffer(kPeriod);
        while (!stop)
            mixer.Render(buffer.data(), kPeriod);
    });
    const std::vector<int16_t> word(300, 1000);
    for (uint64_t id = 1; id <= 500; ++id) {
        mixer.QueueSpeech(word.data(), word.size(), 22050);
        mixer.QueueSpeechMarker(id);
    }
    while (last.load() != 500)
        std::this_thread::yield();
    stop = true;
    device.join();
    ASSERT_EQ(ids.size(), 500u);
    for (size_t i = 0; i < ids.size(); ++i)
        ASSERT_EQ(ids[i], i + 1);
}
