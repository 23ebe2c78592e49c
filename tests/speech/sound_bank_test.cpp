#include "speech/sound_bank.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <set>
#include <string>

using soundbank::SampleFormat;
using soundbank::Wave;
using Bytes = std::vector<uint8_t>;

namespace {

// A small valid bank: one float wave and one 16-bit wave.
std::vector<Wave> TwoWaves()
{
    return {Wave{"snd11", 24000, SampleFormat::Float32, {0.0f, 0.5f, -0.25f, 1.0f}},
            Wave{"beep", 48000, SampleFormat::Pcm16, {0.0f, 0.5f, -0.5f}}};
}

void Put16(Bytes& b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Offsets in the bytes of TwoWaves(): header 16, then "snd11" (name length at
// 16, name at 18, rate at 23, format at 27, count at 31, samples at 35).
constexpr size_t kFirstNameLength = 16;
constexpr size_t kFirstRate = 23;
constexpr size_t kFirstFormat = 27;
constexpr size_t kFirstCount = 31;
constexpr size_t kFirstSamples = 35;

std::string DecodeError(const Bytes& b)
{
    try {
        soundbank::Decode(b.data(), b.size());
    } catch (const soundbank::FormatError& e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

TEST(SoundBankFormat, KeepsNamesRatesAndSamplesThroughEncodeAndDecode)
{
    const Bytes bytes = soundbank::Encode(TwoWaves());
    const std::vector<Wave> waves = soundbank::Decode(bytes.data(), bytes.size());
    ASSERT_EQ(waves.size(), 2u);
    EXPECT_EQ(waves[0].name, "snd11");
    EXPECT_EQ(waves[0].sampleRate, 24000u);
    EXPECT_EQ(waves[0].format, SampleFormat::Float32);
    EXPECT_EQ(waves[0].samples, (std::vector<float>{0.0f, 0.5f, -0.25f, 1.0f}));
    EXPECT_EQ(waves[1].name, "beep");
    EXPECT_EQ(waves[1].sampleRate, 48000u);
    EXPECT_EQ(waves[1].format, SampleFormat::Pcm16);
    ASSERT_EQ(waves[1].samples.size(), 3u);
    EXPECT_NEAR(waves[1].samples[1], 0.5f, 1.0f / 32768);
    EXPECT_NEAR(waves[1].samples[2], -0.5f, 1.0f / 32768);
}

TEST(SoundBankFormat, IsLittleEndianWithTheDocumentedHeader)
{
    const Bytes b = soundbank::Encode(TwoWaves());
    EXPECT_EQ(std::string(b.begin(), b.begin() + 8), "VLTSNDBK");
    EXPECT_EQ(b[8] | (b[9] << 8), 1);
    EXPECT_EQ(b[12] | (b[13] << 8) | (b[14] << 16) | (b[15] << 24), 2);
    EXPECT_EQ(b[kFirstNameLength], 5);
    EXPECT_EQ(std::string(b.begin() + 18, b.begin() + 23), "snd11");
    EXPECT_EQ(b[kFirstRate] | (b[kFirstRate + 1] << 8), 24000);
    EXPECT_EQ(b[kFirstFormat], 3);
    EXPECT_EQ(b[kFirstCount], 4);
    // 0.5f = 0x3F000000, stored low byte first.
    EXPECT_EQ(b[kFirstSamples + 4 + 3], 0x3F);
}

// Broken files: each row damages a valid bank and names the fault expected.
struct BrokenCase {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* fault;
};

class BrokenBank : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenBank, IsRefusedWithItsFault)
{
    Bytes b = soundbank::Encode(TwoWaves());
    GetParam().damage(b);
    EXPECT_EQ(DecodeError(b), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BrokenBank,
    ::testing::Values(
        BrokenCase{"EmptyFile", [](Bytes& b) { b.clear(); },
                   "the header is truncated (0 of 16 bytes)"},
        BrokenCase{"TruncatedHeader", [](Bytes& b) { b.resize(11); },
                   "the header is truncated (11 of 16 bytes)"},
        BrokenCase{"WrongMagic", [](Bytes& b) { b[0] = 'W'; },
                   "it is not a sound bank (the file does not start with VLTSNDBK)"},
        BrokenCase{"NewerVersion", [](Bytes& b) { Put16(b, 8, 2); },
                   "version 2 is not supported (expected 1)"},
        BrokenCase{"CountLargerThanTheFile", [](Bytes& b) { Put32(b, 12, 0xFFFFFFFFu); },
                   "the header announces 4294967295 waves, but the file can hold at most 3"},
        BrokenCase{"CountOneMoreThanStored", [](Bytes& b) { Put32(b, 12, 3); },
                   "wave 3 is missing: the file ends before it"},
        BrokenCase{"NameLengthPastTheEnd", [](Bytes& b) { Put16(b, kFirstNameLength, 250); },
                   "wave 1: its name runs past the end of the file"},
        BrokenCase{"NameLengthZero", [](Bytes& b) { Put16(b, kFirstNameLength, 0); },
                   "wave 1 has a name length of 0 (1 to 255 allowed)"},
        BrokenCase{"NameLengthAboveTheLimit", [](Bytes& b) { Put16(b, kFirstNameLength, 256); },
                   "wave 1 has a name length of 256 (1 to 255 allowed)"},
        BrokenCase{"NameWithAControlByte", [](Bytes& b) { b[18 + 3] = 0x01; },
                   "wave 1: its name holds a character that is not printable ASCII"},
        BrokenCase{"ZeroLengthWave", [](Bytes& b) { Put32(b, kFirstCount, 0); },
                   "wave 'snd11' has no samples"},
        BrokenCase{"SamplesPastTheEnd", [](Bytes& b) { Put32(b, kFirstCount, 1000); },
                   "wave 'snd11': its 1000 samples run past the end of the file"},
        BrokenCase{"HugeSampleCount", [](Bytes& b) { Put32(b, kFirstCount, 0xFFFFFFFFu); },
                   "wave 'snd11': its 4294967295 samples run past the end of the file"},
        BrokenCase{"ZeroSampleRate", [](Bytes& b) { Put32(b, kFirstRate, 0); },
                   "wave 'snd11': sample rate 0 is out of range"},
        BrokenCase{"SampleRateTooHigh", [](Bytes& b) { Put32(b, kFirstRate, 384001); },
                   "wave 'snd11': sample rate 384001 is out of range"},
        BrokenCase{"UnknownSampleFormat", [](Bytes& b) { Put16(b, kFirstFormat, 2); },
                   "wave 'snd11': unknown sample format 2"},
        BrokenCase{"NotANumberSample", [](Bytes& b) { Put32(b, kFirstSamples, 0x7FC00000u); },
                   "wave 'snd11' holds a sample that is not a number"},
        BrokenCase{"InfiniteSample", [](Bytes& b) { Put32(b, kFirstSamples, 0x7F800000u); },
                   "wave 'snd11' holds a sample that is not a number"},
        BrokenCase{"DescriptionCutShort",
                   [](Bytes& b) {
                       const std::string name(20, 'n');
                       b = soundbank::Encode({Wave{name, 48000, SampleFormat::Pcm16, {0.0f}}});
                       b.resize(16 + 2 + name.size() + 5);
                   },
                   "wave 'nnnnnnnnnnnnnnnnnnnn': its description runs past the end of the file"},
        BrokenCase{"LastWaveCutShort", [](Bytes& b) { b.pop_back(); },
                   "wave 'beep': its 3 samples run past the end of the file"},
        BrokenCase{"BytesAfterTheLastWave", [](Bytes& b) { b.push_back(0); },
                   "1 bytes follow the last wave"},
        BrokenCase{"LargerThanAnyBank",
                   [](Bytes& b) { b.resize(soundbank::kMaxFileSize + 1); },
                   "the file is larger than a sound bank can be (67108865 bytes)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SoundBankFormat, EveryTruncationOfAValidBankIsRefused)
{
    const Bytes whole = soundbank::Encode(TwoWaves());
    for (size_t n = 0; n < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_NE(DecodeError(cut), "(accepted)") << "cut after " << n << " bytes";
    }
}

TEST(SoundBankFormat, ClampsFloatSamplesBeyondFullScale)
{
    Bytes b = soundbank::Encode(TwoWaves());
    float big = 3.0f;
    uint32_t bits;
    std::memcpy(&bits, &big, sizeof bits);
    Put32(b, kFirstSamples, bits);
    EXPECT_EQ(soundbank::Decode(b.data(), b.size())[0].samples[0], 1.0f);
}

struct UnstorableCase {
    const char* name;
    Wave wave;
};

class UnstorableWave : public ::testing::TestWithParam<UnstorableCase> {};

TEST_P(UnstorableWave, IsRefusedByTheWriter)
{
    EXPECT_THROW(soundbank::Encode({GetParam().wave}), soundbank::FormatError);
}

INSTANTIATE_TEST_SUITE_P(
    Waves, UnstorableWave,
    ::testing::Values(UnstorableCase{"EmptyName", {"", 48000, SampleFormat::Pcm16, {0.0f}}},
                      UnstorableCase{"NameWithBlank", {"a b", 48000, SampleFormat::Pcm16, {0.0f}}},
                      UnstorableCase{"NameTooLong",
                                     {std::string(256, 'x'), 48000, SampleFormat::Pcm16, {0.0f}}},
                      UnstorableCase{"NoSamples", {"beep", 48000, SampleFormat::Pcm16, {}}},
                      UnstorableCase{"ZeroRate", {"beep", 0, SampleFormat::Pcm16, {0.0f}}}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the bank the build generates

namespace {
const std::vector<Wave>& GeneratedBank()
{
    static const std::vector<Wave> waves = [] {
        QFile f(QStringLiteral(VELTRA_SOUND_BANK_FILE));
        if (!f.open(QIODevice::ReadOnly))
            return std::vector<Wave>();
        const QByteArray b = f.readAll();
        return soundbank::Decode(reinterpret_cast<const uint8_t*>(b.constData()),
                                 static_cast<size_t>(b.size()));
    }();
    return waves;
}

const Wave* Find(const std::string& name)
{
    for (const Wave& w : GeneratedBank())
        if (w.name == name)
            return &w;
    return nullptr;
}

double Rms(const std::vector<float>& s)
{
    double sum = 0;
    for (float v : s)
        sum += double(v) * v;
    return std::sqrt(sum / static_cast<double>(s.size()));
}
} // namespace

TEST(GeneratedBank, HoldsOnePeriodOfSixtyFourSamplesForEveryChannelAndNoteSet)
{
    for (int set = 0; set <= 9; ++set) {
        const Wave* first = Find("snd1" + std::to_string(set));
        ASSERT_NE(first, nullptr) << "set " << set;
        for (int channel = 1; channel <= 8; ++channel) {
            const std::string name = "snd" + std::to_string(channel) + std::to_string(set);
            const Wave* w = Find(name);
            ASSERT_NE(w, nullptr) << name;
            ASSERT_EQ(w->samples.size(), 64u) << name;
            // Channels of one set only let notes sound together: same wave.
            EXPECT_EQ(w->samples, first->samples) << name;
            // One period: centred on zero and continuous across the loop point.
            double mean = 0;
            for (float v : w->samples)
                mean += v;
            EXPECT_NEAR(mean / 64, 0.0, 1e-3) << name;
            EXPECT_LT(std::fabs(w->samples.back() - w->samples.front()), 0.25f) << name;
            EXPECT_GT(Rms(w->samples), 0.1) << name;
        }
    }
}

TEST(GeneratedBank, GivesEachNoteSetItsOwnTimbre)
{
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) {
            const Wave* wa = Find("snd1" + std::to_string(a));
            const Wave* wb = Find("snd1" + std::to_string(b));
            ASSERT_TRUE(wa && wb);
            double diff = 0;
            for (size_t i = 0; i < 64; ++i)
                diff += std::fabs(wa->samples[i] - wb->samples[i]);
            EXPECT_GT(diff / 64, 0.02) << "sets " << a << " and " << b;
        }
    // Set 0 is a pure sine (the pitch tests rely on its clean zero crossings).
    const Wave* sine = Find("snd10");
    ASSERT_NE(sine, nullptr);
    for (size_t i = 0; i < 64; ++i)
        EXPECT_NEAR(sine->samples[i] / sine->samples[16],
                    std::sin(2 * std::numbers::pi * static_cast<double>(i) / 64), 1e-4);
}

TEST(GeneratedBank, HoldsAShortBeepAndDistinctShortClicks)
{
    const std::set<std::string> needed = {"beep", "click2", "click16"};
    for (const std::string& name : needed) {
        const Wave* w = Find(name);
        ASSERT_NE(w, nullptr) << name;
        const double seconds = static_cast<double>(w->samples.size()) / w->sampleRate;
        EXPECT_GT(seconds, 0.002) << name;
        EXPECT_LT(seconds, 0.2) << name;
        EXPECT_GT(Rms(w->samples), 0.02) << name;
        // No step when they end.
        EXPECT_LT(std::fabs(w->samples.back()), 0.05f) << name;
    }
    // The beep is clean: it also starts without a step.
    EXPECT_LT(std::fabs(Find("beep")->samples.front()), 0.05f);
    EXPECT_NE(Find("click2")->samples, Find("click16")->samples);
}
