// The espeak-ng engine with real synthesis into a test-owned mixer that the
// test renders itself (a virtual clock): audio, speed, stops, notifications.
#include "shell/cp1250.h"
#include "speech/attribute_range.h"
#include "speech/audio_mixer.h"
#include "speech/espeak_engine.h"
#include "speech/espeak_enumerator.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "testsupport/qstring_printer.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kPeriod = 256;
constexpr int kRate = AudioMixer::kDefaultRate;
constexpr float kAudible = 0.01f;

// Records the notifications in the order they arrive on the GUI thread.
class RecordingSink : public ITTSNotifySinkA {
public:
    QStringList events;
    bool active = false;
    HRESULT AttribChanged(DWORD) override { return S_OK; }
    HRESULT AudioStart(QWORD) override {
        events << QStringLiteral("start");
        active = true;
        return S_OK;
    }
    HRESULT AudioStop(QWORD) override {
        events << QStringLiteral("stop");
        active = false;
        return S_OK;
    }
    HRESULT Visual(QWORD, char, char, DWORD, const void*) override { return S_OK; }
};

EspeakVoiceInfo VoiceFor(const QString& language) {
    for (const EspeakVoiceInfo& v : EspeakWorker::Instance().Voices())
        if (v.language == language) return v;
    return {};
}

class EspeakEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(EspeakWorker::Instance().Start()) << "espeak-ng or its data is missing";
        destination = std::make_shared<MixerAudioDestination>(mixer);
        engine = MakeEngine(QStringLiteral("cs"));
        ASSERT_EQ(engine->Register(sink, &key), S_OK);
    }

    void TearDown() override {
        engine.reset();
        EspeakWorker::Instance().WaitIdle();
        QCoreApplication::processEvents();
    }

    std::shared_ptr<EspeakEngine> MakeEngine(const QString& language) {
        return std::make_shared<EspeakEngine>(VoiceFor(language), destination);
    }

    // Renders one period after everything queued so far has been synthesised,
    // then delivers the posted notifications.
    std::vector<float> RenderPeriod() {
        EspeakWorker::Instance().WaitIdle();
        std::vector<float> out(kPeriod);
        mixer.Render(out.data(), kPeriod);
        QCoreApplication::processEvents();
        return out;
    }

    // Renders until the sink has seen the audio stop (at most maxSeconds).
    std::vector<float> RenderUntilStopped(double maxSeconds = 30) {
        std::vector<float> all;
        while (all.size() < maxSeconds * kRate) {
            std::vector<float> p = RenderPeriod();
            all.insert(all.end(), p.begin(), p.end());
            if (!sink->active && sink->events.endsWith(QStringLiteral("stop"))) break;
        }
        return all;
    }

    static double SoundingSeconds(const std::vector<float>& samples) {
        qsizetype first = -1, last = -1;
        for (size_t i = 0; i < samples.size(); ++i)
            if (std::fabs(samples[i]) > kAudible) {
                if (first < 0) first = static_cast<qsizetype>(i);
                last = static_cast<qsizetype>(i);
            }
        return first < 0 ? 0.0 : double(last - first) / kRate;
    }

    static float Peak(const std::vector<float>& samples) {
        float peak = 0;
        for (float s : samples)
            peak = std::max(peak, std::fabs(s));
        return peak;
    }

    double SpokenSeconds(const QString& text) {
        sink->events.clear();
        EXPECT_EQ(engine->TextData(ToCp1250(text)), S_OK);
        return SoundingSeconds(RenderUntilStopped());
    }

    AudioMixer mixer{kRate};
    std::shared_ptr<MixerAudioDestination> destination;
    std::shared_ptr<EspeakEngine> engine;
    std::shared_ptr<RecordingSink> sink = std::make_shared<RecordingSink>();
    DWORD key = 0;
};

const QString kSentence = QString::fromUtf8("Dobrý den, toto je zkouška české řeči.");

TEST_F(EspeakEngineTest, CzechSentenceSoundsForAPlausibleTimeBetweenStartAndStop) {
    ASSERT_EQ(engine->TextData(ToCp1250(kSentence)), S_OK);
    // The start is already posted when TextData returns: one pass delivers it.
    QCoreApplication::processEvents();
    EXPECT_EQ(sink->events, QStringList{"start"});

    const std::vector<float> audio = RenderUntilStopped();

    EXPECT_EQ(sink->events, (QStringList{"start", "stop"}));
    EXPECT_GT(Peak(audio), 0.05f);
    const double seconds = SoundingSeconds(audio);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LT(seconds, 6.0);
    // The leading silence is trimmed: sound begins in the first period.
    EXPECT_GT(Peak(std::vector<float>(audio.begin(), audio.begin() + kPeriod)), kAudible);
}

// Tags change the values for the text queued after them, and survive a reset
// that comes after them.
struct SpeedRow {
    const char* name;
    const char* tag;
    bool resetAfterTag;
    bool faster;
};

class EspeakSpeed : public EspeakEngineTest, public ::testing::WithParamInterface<SpeedRow> {};

TEST_P(EspeakSpeed, TagGovernsTheFollowingText) {
    const double normal = SpokenSeconds(kSentence);
    ASSERT_EQ(engine->Inject(GetParam().tag), S_OK);
    if (GetParam().resetAfterTag) {
        ASSERT_EQ(engine->AudioReset(), S_OK);
    }
    const double after = SpokenSeconds(kSentence);
    if (GetParam().faster)
        EXPECT_LT(after * 1.5, normal)
            << "normal " << normal << " s, after the tag " << after << " s";
    else
        EXPECT_NEAR(after, normal, normal * 0.1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EspeakSpeed,
    ::testing::Values(SpeedRow{"FastTag", "\\Spd=400\\", false, true},
                      SpeedRow{"FastTagBeforeReset", "\\Spd=400\\", true, true},
                      SpeedRow{"UnknownTagIgnored", "\\Xyz=400\\", false, false},
                      SpeedRow{"PitchTagKeepsSpeed", "\\Pit=90\\", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EspeakEngineTest, AudioResetSilencesWithinOnePeriodAndDropsTheRest) {
    ASSERT_EQ(engine->TextData(ToCp1250(kSentence + kSentence)), S_OK);
    ASSERT_EQ(engine->TextData(ToCp1250(kSentence)), S_OK);
    std::vector<float> before;
    for (int i = 0; i < 60; ++i) { // about 0.3 s into the speech
        std::vector<float> p = RenderPeriod();
        before.insert(before.end(), p.begin(), p.end());
    }
    ASSERT_GT(Peak(before), 0.05f);
    ASSERT_EQ(sink->events, QStringList{"start"});

    ASSERT_EQ(engine->AudioReset(), S_OK);
    EXPECT_EQ(mixer.SpeechPending(), false);
    QCoreApplication::processEvents();
    EXPECT_EQ(sink->events, (QStringList{"start", "stop"}));

    RenderPeriod(); // the period in which the output falls silent
    std::vector<float> after;
    for (int i = 0; i < 2 * kRate / kPeriod; ++i) {
        std::vector<float> p = RenderPeriod();
        after.insert(after.end(), p.begin(), p.end());
    }
    EXPECT_EQ(Peak(after), 0.0f);
    EXPECT_EQ(sink->events, (QStringList{"start", "stop"}));
}

// Every AudioStart has exactly one AudioStop, whatever was queued.
struct PairRow {
    const char* name;
    QStringList texts;
};

class EspeakPairs : public EspeakEngineTest, public ::testing::WithParamInterface<PairRow> {};

TEST_P(EspeakPairs, OneStartAndOneStop) {
    for (const QString& t : GetParam().texts)
        ASSERT_EQ(engine->TextData(ToCp1250(t)), S_OK);
    RenderUntilStopped();
    for (int i = 0; i < 20; ++i)
        RenderPeriod();
    EXPECT_EQ(sink->events, (QStringList{"start", "stop"}));
    EXPECT_FALSE(sink->active);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EspeakPairs,
    ::testing::Values(PairRow{"Blank", {" "}}, PairRow{"Empty", {""}},
                      PairRow{"TwoTexts", {"jedna", "dva"}},
                      PairRow{"MarkupCharacters", {"<b>&amp; < > \\Spd=\\"}},
                      PairRow{"OutsideCodePage", {QString::fromUtf8("✓ ✓")}},
                      PairRow{"LongText", {QString::fromUtf8("Řádek číslo jedna. ").repeated(20)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EspeakEngineTest, ResetWhileIdlePostsNothing) {
    ASSERT_EQ(engine->AudioReset(), S_OK);
    RenderPeriod();
    EXPECT_TRUE(sink->events.isEmpty());
}

// Two engines share the mixer: a reset of one cuts the other's audio too, and
// the other still reports that its audio stopped.
TEST_F(EspeakEngineTest, ResetOfAnotherEngineStillEndsThisOne) {
    auto other = MakeEngine(QStringLiteral("sk"));
    auto otherSink = std::make_shared<RecordingSink>();
    DWORD otherKey = 0;
    ASSERT_EQ(other->Register(otherSink, &otherKey), S_OK);
    ASSERT_EQ(engine->TextData(ToCp1250(kSentence)), S_OK);
    ASSERT_EQ(other->TextData("ahoj"), S_OK);
    RenderPeriod();

    ASSERT_EQ(other->AudioReset(), S_OK);
    RenderPeriod();

    EXPECT_EQ(otherSink->events, (QStringList{"start", "stop"}));
    EXPECT_EQ(sink->events, (QStringList{"start", "stop"}));
}

struct AttributeRow {
    const char* name;
    std::function<HRESULT(EspeakEngine&)> set;
    std::function<uint32_t(EspeakEngine&)> get;
    uint32_t expected;
};

class EspeakAttributes : public EspeakEngineTest,
                         public ::testing::WithParamInterface<AttributeRow> {};

uint32_t Speed(EspeakEngine& e) {
    DWORD v = 0;
    EXPECT_EQ(e.SpeedGet(&v), S_OK);
    return v;
}
uint32_t Pitch(EspeakEngine& e) {
    WORD v = 0;
    EXPECT_EQ(e.PitchGet(&v), S_OK);
    return v;
}
// The level the program reads from the volume.
uint32_t VolumeLevel(EspeakEngine& e) {
    DWORD v = 0;
    EXPECT_EQ(e.VolumeGet(&v), S_OK);
    return ::VolumeLevel(v);
}

TEST_P(EspeakAttributes, SetThenGet) {
    EXPECT_EQ(GetParam().set(*engine), S_OK);
    EXPECT_EQ(GetParam().get(*engine), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EspeakAttributes,
    ::testing::Values(
        AttributeRow{"SpeedDefault", [](EspeakEngine&) { return S_OK; }, Speed, 175},
        AttributeRow{"SpeedZeroIsLowest", [](EspeakEngine& e) { return e.SpeedSet(0); }, Speed, 80},
        AttributeRow{"SpeedAllOnesIsHighest",
                     [](EspeakEngine& e) { return e.SpeedSet(0xFFFFFFFF); }, Speed, 450},
        AttributeRow{"SpeedInRange", [](EspeakEngine& e) { return e.SpeedSet(300); }, Speed, 300},
        AttributeRow{"SpeedClampedHigh", [](EspeakEngine& e) { return e.SpeedSet(1000); }, Speed,
                     450},
        AttributeRow{"SpeedClampedLow", [](EspeakEngine& e) { return e.SpeedSet(10); }, Speed, 80},
        AttributeRow{"SpeedTag", [](EspeakEngine& e) { return e.Inject("\\Spd=250\\"); }, Speed,
                     250},
        AttributeRow{"PitchDefault", [](EspeakEngine&) { return S_OK; }, Pitch, 50},
        AttributeRow{"PitchZeroIsLowest", [](EspeakEngine& e) { return e.PitchSet(0); }, Pitch, 0},
        AttributeRow{"PitchAllOnesIsHighest", [](EspeakEngine& e) { return e.PitchSet(0xFFFF); },
                     Pitch, 100},
        AttributeRow{"PitchClamped", [](EspeakEngine& e) { return e.PitchSet(500); }, Pitch, 100},
        AttributeRow{"PitchTag", [](EspeakEngine& e) { return e.Inject("\\Pit=70\\"); }, Pitch, 70},
        AttributeRow{"VolumeDefault", [](EspeakEngine&) { return S_OK; }, VolumeLevel, 255},
        AttributeRow{"VolumeZeroIsLowest", [](EspeakEngine& e) { return e.VolumeSet(0); },
                     VolumeLevel, 0},
        AttributeRow{"VolumeAllOnesIsHighest",
                     [](EspeakEngine& e) { return e.VolumeSet(0xFFFFFFFF); }, VolumeLevel, 255},
        AttributeRow{"VolumeLevelInBits8To15",
                     [](EspeakEngine& e) { return e.VolumeSet(200 * 256); }, VolumeLevel, 200},
        AttributeRow{"VolumeTag", [](EspeakEngine& e) { return e.Inject("\\Vol=51200\\"); },
                     VolumeLevel, 200},
        AttributeRow{"VolumeTagBeyondLevelsIsHighest",
                     [](EspeakEngine& e) { return e.Inject("\\Vol=99999999\\"); }, VolumeLevel,
                     255}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EspeakVolume, LevelsMapOntoEspeakRange) {
    const struct {
        uint32_t level;
        int volume;
    } rows[] = {{0, 0}, {255, 100}, {128, 50}, {1000, 100}};
    for (const auto& r : rows)
        EXPECT_EQ(EspeakVolumeForLevel(r.level), r.volume) << "level " << r.level;
}

// --- The voice list --------------------------------------------------------

TEST(EspeakVoiceOrder, CzechSlovakEnglishThenTheRestInListOrder) {
    const std::vector<EspeakVoiceInfo> listed = {
        {"German", "gmw/de", "de"},   {"English (America)", "gmw/en-US", "en-us"},
        {"Slovak", "zlw/sk", "sk"},   {"Afrikaans", "gmw/af", "af"},
        {"Czech", "zlw/cs", "cs"},    {"English (Great Britain)", "gmw/en", "en"},
        {"Estonian", "urj/et", "et"},
    };
    QStringList names;
    for (const EspeakVoiceInfo& v : OrderVoices(listed))
        names << v.name;
    EXPECT_EQ(names.join(','),
              QStringLiteral("Czech,Slovak,English (America),English (Great Britain),"
                             "German,Afrikaans,Estonian"));
}

TEST(EspeakEnumeratorTest, ListsRealVoicesWithStableIdsAndSelectsThem) {
    std::shared_ptr<ITTSEnumA> voices = CreateEspeakEnumerator();
    ASSERT_NE(voices, nullptr);
    ASSERT_EQ(voices->Reset(), S_OK);
    std::vector<TTSMODEINFOA> modes;
    TTSMODEINFOA mode;
    uint32_t fetched = 0;
    while (voices->Next(1, &mode, &fetched) == S_OK && fetched == 1)
        modes.push_back(mode);
    EXPECT_EQ(fetched, 0u);
    ASSERT_GE(modes.size(), 3u);
    EXPECT_EQ(modes[0].szModeName, QStringLiteral("Czech"));
    EXPECT_EQ(modes[1].szModeName, QStringLiteral("Slovak"));
    EXPECT_TRUE(modes[2].szLanguage.startsWith(QStringLiteral("en")));
    for (const EspeakVoiceInfo& v : EspeakWorker::Instance().Voices())
        EXPECT_FALSE(v.identifier.startsWith("mb/")) << v.identifier.constData();
    // Ids are derived from the voice, so they are the same in every run.
    EXPECT_EQ(modes[0].gModeID, EspeakModeId("zlw/cs"));
    EXPECT_NE(modes[0].gModeID, modes[1].gModeID);

    AudioMixer mixer;
    auto destination = std::make_shared<MixerAudioDestination>(mixer);
    std::shared_ptr<ITTSCentralA> engine;
    EXPECT_EQ(voices->Select(modes[1].gModeID, &engine, destination), S_OK);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(static_cast<EspeakEngine*>(engine.get())->Voice().language, QStringLiteral("sk"));
    std::shared_ptr<ITTSCentralA> none;
    EXPECT_EQ(voices->Select(QUuid::createUuid(), &none, destination), E_INVALIDARG);
    EXPECT_EQ(none, nullptr);
}

} // namespace
