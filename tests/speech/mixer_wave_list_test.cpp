#include "speech/mixer_wave_list.h"
#include "testsupport/signal_measures.h"

#include "shell/errors.h"
#include "speech/audio_mixer.h"
#include "speech/sound_bank.h"
#include "testsupport/test_environment.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <thread>

namespace {

constexpr int kRate = 48000;
constexpr int kPeriod = 256;

std::vector<float> Render(AudioMixer& mixer, int frames) { return RenderFrames(mixer, frames, kPeriod); }

// A wave list loaded with the bank the build generates, on a test-owned
// mixer that renders only when the test says so.
struct BankFixture {
    BankFixture() { waves.LoadFromFile(QStringLiteral(VELTRA_SOUND_BANK_FILE)); }
    AudioMixer mixer{kRate};
    MixerWaveList waves{mixer};
};

QByteArray BankBytes(const std::vector<soundbank::Wave>& w)
{
    const std::vector<uint8_t> b = soundbank::Encode(w);
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}

} // namespace

TEST(BankNote, A440FromSixtyFourSamplesSoundsAt440HzThroughTheMixer)
{
    BankFixture f;
    f.waves.SetLooped(QStringLiteral("snd10"), true);
    f.waves.SetFrequency(QStringLiteral("snd10"), 64 * 440.0);
    f.waves.Play(QStringLiteral("snd10"));
    const double measured = FrequencyByZeroCrossings(Render(f.mixer, kRate), kRate);
    EXPECT_NEAR(measured, 440.0, 4.4);
}

TEST(BankNote, LoopsUntilStoppedAndStopSilencesItAtOnce)
{
    BankFixture f;
    const QString n = QStringLiteral("snd13");
    f.waves.SetLooped(n, true);
    f.waves.SetFrequency(n, 64 * 400.0);
    f.waves.Play(n);
    Render(f.mixer, kRate); // a second: far longer than the 64-sample wave
    EXPECT_GT(Peak(Render(f.mixer, kPeriod)), 0.3f);
    f.waves.Stop(n);
    EXPECT_EQ(Peak(Render(f.mixer, kPeriod)), 0.0f);
}

TEST(BankNote, VolumeAppliesAlsoWhilePlaying)
{
    BankFixture f;
    const QString n = QStringLiteral("snd10");
    f.waves.SetLooped(n, true);
    f.waves.SetFrequency(n, 64 * 1000.0);
    f.waves.Play(n);
    const float full = Peak(Render(f.mixer, kPeriod));
    f.waves.SetVolume(n, -2000);
    EXPECT_NEAR(Peak(Render(f.mixer, kPeriod)), full * 0.1f, full * 0.01f);
    f.waves.SetVolume(n, -10000);
    EXPECT_EQ(Peak(Render(f.mixer, kPeriod)), 0.0f);
}

TEST(BankNote, PlayingAnItemAgainStartsItOverInsteadOfAddingASecondVoice)
{
    BankFixture f;
    const QString n = QStringLiteral("snd10");
    f.waves.SetLooped(n, true);
    f.waves.SetFrequency(n, 64 * 500.0);
    f.waves.Play(n);
    const float once = Peak(Render(f.mixer, kRate / 10));
    f.waves.Play(n);
    EXPECT_NEAR(Peak(Render(f.mixer, kRate / 10)), once, 0.01f);
}

// Every operation finds its item by exact name.
struct LookupCase {
    const char* name;
    std::function<void(MixerWaveList&)> call;
    const char* missing;
};

class WaveLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(WaveLookup, RaisesNotFoundWithTheName)
{
    BankFixture f;
    try {
        GetParam().call(f.waves);
        FAIL() << "no error";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Wave '%1' not found").arg(GetParam().missing));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, WaveLookup,
    ::testing::Values(
        LookupCase{"LoopedOfAnAbsentChannel", [](MixerWaveList& w) { w.SetLooped("snd91", true); },
                   "snd91"},
        LookupCase{"RateOfANegativeSet", [](MixerWaveList& w) { w.SetFrequency("snd1-1", 128); },
                   "snd1-1"},
        LookupCase{"VolumeIsCaseSensitive", [](MixerWaveList& w) { w.SetVolume("BEEP", 0); },
                   "BEEP"},
        LookupCase{"PlayOfAnUnknownClick", [](MixerWaveList& w) { w.Play("click99"); },
                   "click99"},
        LookupCase{"WaitOfAPrefix", [](MixerWaveList& w) { w.PlayAndWait("click"); }, "click"},
        LookupCase{"StopWithATrailingBlank", [](MixerWaveList& w) { w.Stop("beep "); }, "beep "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayAndWait, ReturnsWhenTheDeviceHasPlayedTheWaveToItsEnd)
{
    BankFixture f;
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> framesAtReturn{0};
    std::thread device([&] {
        std::vector<float> buffer(kPeriod);
        while (!stop)
            f.mixer.Render(buffer.data(), kPeriod);
    });
    f.waves.PlayAndWait(QStringLiteral("beep"));
    framesAtReturn = f.mixer.FramesRendered();
    stop = true;
    device.join();
    // The beep lasts 80 ms at 48 kHz: the call did not return before that.
    EXPECT_GE(framesAtReturn.load(), 3840u);
}

TEST(PlayAndWait, AStalledDeviceCannotHoldItLongerThanTheBoundAndTheWaveIsStopped)
{
    BankFixture f;
    const QString n = QStringLiteral("click2");
    // Nothing renders: the wait runs out at the bound and the item is stopped,
    // so it does not start sounding later when the device comes back.
    f.waves.PlayAndWait(n);
    EXPECT_EQ(Peak(Render(f.mixer, kPeriod)), 0.0f);
}

struct BoundCase {
    const char* name;
    const char* item;
    double rate; // 0: the wave's own
    long long lengthMs;
};

class WaitBound : public ::testing::TestWithParam<BoundCase> {};

TEST_P(WaitBound, IsTheWaveLengthPlusTheMargin)
{
    BankFixture f;
    const QString n = QString::fromLatin1(GetParam().item);
    if (GetParam().rate != 0)
        f.waves.SetFrequency(n, GetParam().rate);
    EXPECT_EQ(f.waves.WaitBound(n).count(),
              GetParam().lengthMs + MixerWaveList::kWaitMargin.count());
}

INSTANTIATE_TEST_SUITE_P(
    Items, WaitBound,
    ::testing::Values(BoundCase{"BeepAtItsOwnRate", "beep", 0, 81},
                      BoundCase{"BeepAtHalfRateTakesTwiceAsLong", "beep", 24000, 161},
                      BoundCase{"NoteAtZeroRateOnlyTheMargin", "snd11", -1, 1},
                      BoundCase{"TinyRateIsCappedAtAMinute", "beep", 1, 60001}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadFromFile, ReplacesTheCollectionAndStopsWhatPlayed)
{
    TestEnvironment env;
    BankFixture f;
    f.waves.SetLooped(QStringLiteral("snd10"), true);
    f.waves.Play(QStringLiteral("snd10"));
    env.writeFile(QStringLiteral("other.dat"),
                  BankBytes({{"only", 8000, soundbank::SampleFormat::Pcm16, {0.5f, -0.5f}}}));
    f.waves.LoadFromFile(QStringLiteral("other.dat"));
    EXPECT_EQ(f.waves.Names(), QStringList{QStringLiteral("only")});
    EXPECT_EQ(Peak(Render(f.mixer, kPeriod)), 0.0f);
    EXPECT_THROW(f.waves.Play(QStringLiteral("snd10")), VeltraError);
}

TEST(LoadFromFile, FindsTheFirstOfTwoWavesWithTheSameName)
{
    TestEnvironment env;
    AudioMixer mixer(kRate);
    MixerWaveList waves(mixer);
    env.writeFile(QStringLiteral("twice.dat"),
                  BankBytes({{"tone", kRate, soundbank::SampleFormat::Float32, {0.25f, 0.25f}},
                             {"tone", kRate, soundbank::SampleFormat::Float32, {0.75f, 0.75f}}}));
    waves.LoadFromFile(QStringLiteral("twice.dat"));
    waves.Play(QStringLiteral("tone"));
    const std::vector<float> out = Render(mixer, kPeriod);
    EXPECT_NEAR(out[0], 0.25f, 1e-6f);
}

struct BadFileCase {
    const char* name;
    std::function<void(const TestEnvironment&)> prepare;
    const char* error;
};

class BadBankFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadBankFile, IsRefusedAndTheOldCollectionStays)
{
    TestEnvironment env;
    BankFixture f;
    GetParam().prepare(env);
    try {
        f.waves.LoadFromFile(QStringLiteral("sounds.dat"));
        FAIL() << "accepted";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(GetParam().error));
    }
    EXPECT_TRUE(f.waves.Names().contains(QStringLiteral("snd11")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadBankFile,
    ::testing::Values(
        BadFileCase{"Missing", [](const TestEnvironment&) {}, "File not found"},
        BadFileCase{"TruncatedHeader",
                    [](const TestEnvironment& e) {
                        e.writeFile(QStringLiteral("sounds.dat"), QByteArray("VLTSNDBK\x01", 9));
                    },
                    "The sound bank sounds.dat is damaged: the header is truncated (9 of 16 "
                    "bytes)."},
        BadFileCase{"ZeroLengthWave",
                    [](const TestEnvironment& e) {
                        QByteArray b = BankBytes(
                            {{"beep", kRate, soundbank::SampleFormat::Pcm16, {0.1f}}});
                        b.chop(2);
                        b[b.size() - 4] = 0; // sample count 1 -> 0
                        e.writeFile(QStringLiteral("sounds.dat"), b);
                    },
                    "The sound bank sounds.dat is damaged: wave 'beep' has no samples."},
        BadFileCase{"NotABank",
                    [](const TestEnvironment& e) {
                        e.writeFile(QStringLiteral("sounds.dat"), QByteArray(64, 'x'));
                    },
                    "The sound bank sounds.dat is damaged: it is not a sound bank (the file "
                    "does not start with VLTSNDBK)."}),
    [](const auto& info) { return std::string(info.param.name); });
