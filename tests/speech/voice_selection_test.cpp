// Listing the voices, taking the default one, selecting an engine with its
// attribute ranges, and storing and applying the choice, against the
// scripted engine.
#include "shell/app_windows.h"
#include "shell/cp1250.h"
#include "shell/ini_file.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "speech/attribute_range.h"
#include "speech/audio_mixer.h"
#include "speech/espeak_enumerator.h"
#include "speech/espeak_worker.h"
#include "speech/mixer_audio_destination.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/track_bar.h"
#include "speech/tts_result.h"
#include "speech/voice_preparation.h"
#include "speech/voice_selection.h"
#include "testsupport/voice_dialog_fixture.h"

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>

#include <cmath>
#include <iostream>

#include <gtest/gtest.h>

namespace {
ScriptedMode ModeWithId(const char* name, const char* uuid)
{
    ScriptedMode mode = ScriptedSpeech::Mode(QString::fromUtf8(name));
    mode.id = QUuid(QString::fromLatin1(uuid));
    return mode;
}

std::vector<std::string> ListItems(const TForm4& dialog)
{
    std::vector<std::string> out;
    for (int i = 0; i < dialog.voicelist->count(); ++i)
        out.push_back(dialog.voicelist->item(i)->text().toStdString());
    return out;
}

// --- The default voice when the list is filled -----------------------------

struct DefaultVoiceCase {
    const char* name;
    std::vector<ScriptedMode> modes;
    int expectedRow;
};

class DefaultVoice : public ::testing::TestWithParam<DefaultVoiceCase> {};

TEST_P(DefaultVoice, IsTheFirstExactJakubElseTheFirstVoice)
{
    const DefaultVoiceCase& c = GetParam();
    VoiceDialogFixture f(WithVoices(c.modes));

    std::vector<std::string> names;
    for (const ScriptedMode& m : c.modes)
        names.push_back(m.name.toStdString());
    EXPECT_EQ(ListItems(*f.dialog), names);
    EXPECT_EQ(f.dialog->voicelist->currentRow(), c.expectedRow);
    ASSERT_TRUE(SpeechEngines().selectedMode.has_value());
    EXPECT_EQ(SpeechEngines().selectedMode->gModeID, c.modes[c.expectedRow].id);
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName, c.modes[c.expectedRow].name);
    // Taking the mode is all: no engine yet, nothing said while the dialog is hidden.
    EXPECT_EQ(SpeechEngines().engine, nullptr);
    EXPECT_FALSE(Speech().SpeechReady);
    EXPECT_TRUE(f.speech.Calls("Select").isEmpty());
    EXPECT_TRUE(SpokenTexts(f.speech).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DefaultVoice,
    ::testing::Values(
        DefaultVoiceCase{"JakubAbsent",
                         {ScriptedSpeech::Mode("Eliska"), ScriptedSpeech::Mode("Tom")}, 0},
        DefaultVoiceCase{"JakubOnce",
                         {ScriptedSpeech::Mode("Eliska"), ScriptedSpeech::Mode("Jakub"),
                          ScriptedSpeech::Mode("Tom")},
                         1},
        DefaultVoiceCase{"JakubTwiceTakesTheFirst",
                         {ModeWithId("Eliska", "{00000000-0000-0000-0000-000000000001}"),
                          ModeWithId("Jakub", "{00000000-0000-0000-0000-000000000002}"),
                          ModeWithId("Tom", "{00000000-0000-0000-0000-000000000003}"),
                          ModeWithId("Jakub", "{00000000-0000-0000-0000-000000000004}")},
                         1},
        DefaultVoiceCase{"OnlyCaseVariantsOfJakub",
                         {ScriptedSpeech::Mode("Eliska"), ScriptedSpeech::Mode("jakub"),
                          ScriptedSpeech::Mode("JAKUB")},
                         0},
        DefaultVoiceCase{"CaseVariantBeforeTheExactName",
                         {ScriptedSpeech::Mode("JAKUB"), ScriptedSpeech::Mode("Jakub")}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FillVoiceList, WalksTheEnumeratorOnceThenOnceMoreToTheChosenMode)
{
    // Selecting the row from code must not run the list's click handler as
    // well: the mode is taken exactly once.
    VoiceDialogSetup setup = WithVoices(
        {ScriptedSpeech::Mode("Eliska"), ScriptedSpeech::Mode("Tom"), ScriptedSpeech::Mode("Jakub")});
    VoiceDialogFixture f(setup);
    EXPECT_EQ(Std(f.speech.log), (std::vector<std::string>{"Reset", "Next", "Next", "Next", "Next",
                                                           "Reset", "Next", "Next", "Next"}));
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName, QStringLiteral("Jakub"));
}

TEST(FillVoiceList, FillingAgainListsEachVoiceOnceAndRetakesTheDefault)
{
    // The voice switched off and on again in the sounds dialog refills the list.
    VoiceDialogFixture f;
    f.dialog->SelectVoiceRow(2);
    f.dialog->voicelistClick(nullptr);
    ASSERT_EQ(SpeechEngines().selectedMode->szModeName, QStringLiteral("Tom"));

    FillVoiceList(*f.dialog);
    FillVoiceList();

    EXPECT_EQ(ListItems(*f.dialog), (std::vector<std::string>{"Jakub", "Eliska", "Tom"}));
    EXPECT_EQ(f.dialog->SelectedVoice(), QStringLiteral("Jakub"));
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName, QStringLiteral("Jakub"));
}

TEST(FillVoiceList, WithoutVoicesLeavesTheListEmptyAndNoModeTaken)
{
    struct Case {
        const char* name;
        bool failEnumerator;
    };
    for (const Case c : {Case{"NoEnumerator", true}, Case{"EnumeratorListsNothing", false}}) {
        SCOPED_TRACE(c.name);
        VoiceDialogSetup setup;
        setup.failEnumerator = c.failEnumerator;
        setup.modes.emplace();
        VoiceDialogFixture f(setup);
        FillVoiceList(*f.dialog);
        EXPECT_EQ(f.dialog->voicelist->count(), 0);
        EXPECT_EQ(f.dialog->voicelist->currentRow(), -1);
        EXPECT_EQ(f.dialog->SelectedVoice(), QString());
        EXPECT_FALSE(SpeechEngines().selectedMode.has_value());
    }
}

TEST(FillVoiceList, AVoiceThatDisappearedIsNotKeptAsTheSelectedMode)
{
    VoiceDialogFixture f;
    f.speech.modes.clear();
    FillVoiceList(*f.dialog);
    EXPECT_EQ(f.dialog->voicelist->count(), 0);
    EXPECT_FALSE(SpeechEngines().selectedMode.has_value());
    SelectEngine(*f.dialog);
    EXPECT_TRUE(f.speech.Calls("Select").isEmpty());
}

TEST(FillVoiceList, AFailingEnumeratorRaisesItsCode)
{
    VoiceDialogFixture f;
    f.speech.failures[QStringLiteral("Next")] = E_OUTOFMEMORY;
    try {
        FillVoiceList(*f.dialog);
        FAIL() << "no error raised";
    } catch (const EngineError& e) {
        EXPECT_EQ(e.code(), E_OUTOFMEMORY);
    }
}

TEST(ModeAt, WalksTheEnumeratorFromItsStart)
{
    VoiceDialogFixture f;
    ITTSEnumA& e = *SpeechEngines().enumerator;
    struct Case {
        int index;
        const char* expected; // nullptr: none
    };
    for (const Case c : {Case{0, "Jakub"}, Case{2, "Tom"}, Case{1, "Eliska"}, Case{3, nullptr}}) {
        SCOPED_TRACE(c.index);
        std::optional<TTSMODEINFOA> mode = ModeAt(e, c.index);
        if (!c.expected) {
            EXPECT_FALSE(mode.has_value());
            continue;
        }
        ASSERT_TRUE(mode.has_value());
        EXPECT_EQ(mode->szModeName, QString::fromLatin1(c.expected));
    }
}

// --- Selecting the engine ----------------------------------------------------

TEST(SelectEngine, ReadsEachRangeByTheExtremesAndRegistersTheSink)
{
    VoiceDialogFixture f;
    f.speech.log.clear();
    SelectEngine(*f.dialog);

    const QStringList expected{
        "Select Jakub", "QueryAttributes",
        // speed: read, write back, lowest, highest, restore
        "SpeedGet", "SpeedSet 150", "SpeedSet 0", "SpeedGet", "SpeedSet 4294967295", "SpeedGet",
        "SpeedSet 150",
        // the track bar moves from 0..10 at 0: the new minimum clamps it, then the position
        "AudioReset", "Inject \"\\Spd=50\\\"", "AudioReset", "Inject \"\\Spd=150\\\"",
        "PitchGet", "PitchSet 100", "PitchSet 0", "PitchGet", "PitchSet 65535", "PitchGet",
        "PitchSet 100", "AudioReset", "Inject \"\\Pit=60\\\"", "AudioReset",
        "Inject \"\\Pit=100\\\"",
        "VolumeGet", "VolumeSet 65535", "VolumeSet 0", "VolumeGet", "VolumeSet 4294967295",
        "VolumeGet", "VolumeSet 65535", "AudioReset", "Inject \"\\Vol=65280\\\"",
        "Register key=1"};
    EXPECT_EQ(Std(f.speech.log), Std(expected));
    EXPECT_TRUE(Speech().SpeechReady);
    EXPECT_EQ(SpeechEngines().sinkKey, 1u);
    EXPECT_NE(SpeechEngines().attributes, nullptr);
}

struct BarState {
    int min, max, position, ticks;
};

struct RangeCase {
    const char* name;
    ScriptedMode mode;
    BarState speed, pitch, volume;
};

ScriptedMode WithAttributes(ScriptedAttribute speed, ScriptedAttribute pitch, ScriptedAttribute volume)
{
    ScriptedMode mode = ScriptedSpeech::Mode("Jakub");
    mode.speed = speed;
    mode.pitch = pitch;
    mode.volume = volume;
    return mode;
}

const ScriptedAttribute kMissing{false, 0, 0, 0};
const ScriptedAttribute kSpeed{true, 80, 450, 175};
const ScriptedAttribute kPitch{true, 0, 100, 50};
const ScriptedAttribute kVolume{true, 0, 0xFFFF, 0xC000};
const BarState kUntouched{0, 10, 0, 1};

class EngineRanges : public ::testing::TestWithParam<RangeCase> {};

TEST_P(EngineRanges, GoToTheTrackBarsWhichAreAllEnabled)
{
    const RangeCase& c = GetParam();
    VoiceDialogFixture f(WithVoices({c.mode}));
    SelectEngine(*f.dialog);
    const TForm4& d = *f.dialog;
    const struct {
        const char* name;
        const TTrackBar* bar;
        BarState expected;
    } bars[] = {{"speed", d.speedtb, c.speed}, {"pitch", d.pitchtb, c.pitch},
                {"volume", d.volumetb, c.volume}};
    for (const auto& b : bars) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(b.bar->minimum(), b.expected.min);
        EXPECT_EQ(b.bar->maximum(), b.expected.max);
        EXPECT_EQ(b.bar->Position(), b.expected.position);
        EXPECT_EQ(b.bar->tickInterval(), b.expected.ticks);
    }
    for (const QWidget* w : std::initializer_list<const QWidget*>{
             d.speedtb, d.speedstatic, d.pitchtb, d.pitchstatic, d.volumetb, d.volumestatic})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(Speech().SpeechReady);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineRanges,
    ::testing::Values(
        RangeCase{"AllAttributes", WithAttributes(kSpeed, kPitch, kVolume),
                  {80, 450, 175, 37}, {0, 100, 50, 10}, {0, 255, 192, 1}},
        RangeCase{"NoPitch", WithAttributes(kSpeed, kMissing, kVolume),
                  {80, 450, 175, 37}, kUntouched, {0, 255, 192, 1}},
        RangeCase{"NoSpeed", WithAttributes(kMissing, kPitch, kVolume),
                  kUntouched, {0, 100, 50, 10}, {0, 255, 192, 1}},
        RangeCase{"NoAttributesAtAll", WithAttributes(kMissing, kMissing, kMissing),
                  kUntouched, kUntouched, kUntouched},
        // Only bits 8 to 15 of a volume count.
        RangeCase{"VolumeBitsEightToFifteen",
                  WithAttributes(kSpeed, kPitch, {true, 0x1234, 0xABCD, 0x8080}),
                  {80, 450, 175, 37}, {0, 100, 50, 10}, {0x12, 0xAB, 0x80, 1}},
        RangeCase{"VolumeAboveTheLowWord",
                  WithAttributes(kSpeed, kPitch, {true, 0x10000, 0x2FF00, 0x18000}),
                  {80, 450, 175, 37}, {0, 100, 50, 10}, {0, 255, 128, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SelectEngine, AGetterThatFailsCountsAsAMissingAttribute)
{
    VoiceDialogFixture f;
    f.speech.failures[QStringLiteral("SpeedGet")] = E_FAIL;
    f.speech.failures[QStringLiteral("PitchSet")] = E_NOTIMPL;
    EXPECT_NO_THROW(SelectEngine(*f.dialog));
    EXPECT_EQ(f.dialog->speedtb->maximum(), 10);
    EXPECT_EQ(f.dialog->pitchtb->maximum(), 10);
    EXPECT_EQ(f.dialog->volumetb->maximum(), 255);
    EXPECT_TRUE(f.dialog->pitchtb->isEnabled());
    // A rejected write-back is not followed by the extremes.
    EXPECT_EQ(Std(f.speech.Calls("PitchSet")), (std::vector<std::string>{"PitchSet 100"}));
}

TEST(SelectEngine, ReplacingTheEngineUnregistersTheSinkFromTheOldOneFirst)
{
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    f.dialog->SelectVoiceRow(1);
    f.dialog->voicelistClick(nullptr);
    f.speech.log.clear();

    SelectEngine(*f.dialog);

    const QStringList& log = f.speech.log;
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[0], QStringLiteral("UnRegister key=1"));
    EXPECT_EQ(log[1], QStringLiteral("Select Eliska"));
    EXPECT_EQ(log.last(), QStringLiteral("Register key=1")); // the new engine's first key
    // The same ranges: positions already right, so no tag is injected again.
    EXPECT_TRUE(InjectedTags(f.speech).empty());
}

TEST(SelectEngine, ReplacingAnEngineThatStillSpeaksSilencesItBeforeUnregistering)
{
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    f.speech.duration = [](const QString&) { return ScriptedSpeech::kHold; };
    SpeakNoWait(QStringLiteral("still speaking"));
    QCoreApplication::processEvents();
    ASSERT_TRUE(Speech().TtsAudioActive);
    f.speech.log.clear();

    SelectEngine(*f.dialog);
    QCoreApplication::processEvents();

    ASSERT_GE(f.speech.log.size(), 2);
    EXPECT_EQ(f.speech.log[0], QStringLiteral("AudioReset"));
    EXPECT_TRUE(f.speech.log.indexOf(QStringLiteral("UnRegister key=1")) > 0);
    // The old engine's end reached the sink, so no wait can hang on the flag.
    EXPECT_FALSE(Speech().TtsAudioActive);
}

TEST(SelectEngine, WithSpeechNotReadyTheOldEngineIsNotUnregistered)
{
    // Switching the desktop voice off clears SpeechReady until the next selection.
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    Speech().SpeechReady = false;
    f.speech.log.clear();
    SelectEngine(*f.dialog);
    EXPECT_TRUE(f.speech.Calls("UnRegister").isEmpty());
    EXPECT_EQ(SelectedEngines(f.speech), (std::vector<std::string>{"Jakub"}));
    EXPECT_TRUE(Speech().SpeechReady);
}

TEST(SelectEngine, WithoutAModeOnlyReleasesTheEngine)
{
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    SpeechEngines().selectedMode.reset();
    f.speech.log.clear();
    SelectEngine(*f.dialog);
    EXPECT_EQ(Std(f.speech.log), (std::vector<std::string>{"UnRegister key=1"}));
    EXPECT_EQ(SpeechEngines().engine, nullptr);
    EXPECT_EQ(SpeechEngines().attributes, nullptr);
}

TEST(SelectEngine, AFailingSelectRaisesItsCodeAndLeavesNoEngine)
{
    VoiceDialogFixture f;
    f.speech.failures[QStringLiteral("Select")] = E_INVALIDARG;
    EXPECT_THROW(SelectEngine(*f.dialog), EngineError);
    EXPECT_EQ(SpeechEngines().engine, nullptr);
    EXPECT_FALSE(Speech().SpeechReady);
    EXPECT_FALSE(f.dialog->speedtb->isEnabled());
}

// --- Storing and applying the choice ---------------------------------------

TEST(SaveVoiceSettings, WritesTheSelectedVoiceAndTheFourPositions)
{
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    f.dialog->SelectVoiceRow(2);
    f.dialog->pitchtb->SetPosition(120);
    f.dialog->speedtb->SetPosition(300);
    f.dialog->volumetb->SetPosition(17);
    SaveVoiceSettings();
    EXPECT_EQ(f.Stored("person"), QStringLiteral("Tom"));
    EXPECT_EQ(f.Stored("pitch"), QStringLiteral("120"));
    EXPECT_EQ(f.Stored("speed"), QStringLiteral("300"));
    EXPECT_EQ(f.Stored("volume"), QStringLiteral("17"));
}

TEST(SaveVoiceSettings, WithNoVoiceListedWritesNothing)
{
    VoiceDialogSetup setup;
    setup.failEnumerator = true;
    setup.ini = "[Voice]\r\nperson=Jakub\r\npitch=1\r\n";
    VoiceDialogFixture f(setup);
    SaveVoiceSettings(*f.dialog);
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"), setup.ini);
}

struct LoadCase {
    const char* name;
    const char* ini;
    const char* voice;              // the list's selection afterwards
    std::vector<std::string> engines; // engines selected
    BarState pitch, speed, volume;    // ticks unused
    uint32_t enginePitch, engineSpeed, engineVolume;
    QStringList messages;
};

const BarState kAny{0, 0, 0, 0};

class LoadVoice : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadVoice, AppliesTheStoredChoice)
{
    const LoadCase& c = GetParam();
    VoiceDialogSetup setup;
    setup.ini = c.ini;
    setup.language = 1000;
    VoiceDialogFixture f(setup);
    ASSERT_TRUE(Settings().voiceallowed);

    LoadVoiceSettings();

    EXPECT_EQ(f.dialog->SelectedVoice().toStdString(), c.voice);
    EXPECT_EQ(SelectedEngines(f.speech), c.engines);
    EXPECT_EQ(Std(f.env.messages), Std(c.messages));
    EXPECT_TRUE(f.env.endedWith.isEmpty());
    if (c.engines.empty()) {
        EXPECT_FALSE(Speech().SpeechReady);
        return;
    }
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName.toStdString(), c.voice);
    EXPECT_EQ(f.dialog->pitchtb->Position(), c.pitch.position);
    EXPECT_EQ(f.dialog->speedtb->Position(), c.speed.position);
    EXPECT_EQ(f.dialog->volumetb->Position(), c.volume.position);
    EXPECT_EQ(f.speech.Pitch(), c.enginePitch);
    EXPECT_EQ(f.speech.Speed(), c.engineSpeed);
    EXPECT_EQ(f.speech.Volume(), c.engineVolume);
    // Nothing is written back.
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"), QByteArray(c.ini));
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadVoice,
    ::testing::Values(
        LoadCase{"AllKeys", "[Voice]\r\nperson=Tom\r\npitch=120\r\nspeed=200\r\nvolume=100\r\n",
                 "Tom", {"Tom"}, {0, 0, 120, 0}, {0, 0, 200, 0}, {0, 0, 100, 0},
                 120, 200, 100 * 256, {}},
        LoadCase{"PersonDiffersOnlyInCase", "[voice]\r\nPERSON=ELISKA\r\npitch=61\r\n", "Eliska",
                 {"Eliska"}, {0, 0, 61, 0}, {0, 0, 50, 0}, {0, 0, 255, 0}, 61, 50, 255 * 256, {}},
        // Pitch and speed read as 0 and end at the lowest value; volume reads as 255.
        LoadCase{"OnlyPerson", "[Voice]\r\nperson=Eliska\r\n", "Eliska", {"Eliska"},
                 {0, 0, 60, 0}, {0, 0, 50, 0}, {0, 0, 255, 0}, 60, 50, 255 * 256, {}},
        LoadCase{"ValuesBeyondTheRanges",
                 "[Voice]\r\nperson=Jakub\r\npitch=999\r\nspeed=-5\r\nvolume=300\r\n", "Jakub",
                 {"Jakub"}, {0, 0, 200, 0}, {0, 0, 50, 0}, {0, 0, 255, 0}, 200, 50, 255 * 256, {}},
        LoadCase{"NoPerson", "[Voice]\r\npitch=120\r\n", "Jakub", {}, kAny, kAny, kAny, 0, 0, 0, {}},
        LoadCase{"EmptyPerson", "[Voice]\r\nperson=\r\n", "Jakub", {}, kAny, kAny, kAny, 0, 0, 0, {}},
        // A voice uninstalled since: reported, and otherwise as if none were stored.
        LoadCase{"PersonNoLongerListed", "[Voice]\r\nperson=Zuzana\r\nvolume=3\r\n", "Jakub", {},
                 kAny, kAny, kAny, 0, 0, 0,
                 {QStringLiteral("Nelze nalézt hlas uvedený v ini souboru: Zuzana")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadVoiceSettings, WithTheVoiceNotAllowedReadsNothing)
{
    VoiceDialogSetup setup;
    setup.ini = "[voice]\r\nvoiceallowed=0\r\n[Voice]\r\nperson=Tom\r\n";
    VoiceDialogFixture f(setup);
    ASSERT_FALSE(Settings().voiceallowed);
    LoadVoiceSettings();
    EXPECT_TRUE(f.speech.log.isEmpty());
    EXPECT_EQ(f.dialog->voicelist->count(), 0);
    EXPECT_TRUE(f.env.messages.isEmpty());
}

TEST(LoadVoiceSettings, RestoresWhatSaveStoredInANewSession)
{
    QByteArray stored;
    {
        VoiceDialogFixture f;
        SelectEngine(*f.dialog);
        f.dialog->SelectVoiceRow(1);
        f.dialog->voicelistClick(nullptr);
        SelectEngine(*f.dialog);
        f.dialog->pitchtb->SetPosition(150);
        f.dialog->speedtb->SetPosition(75);
        f.dialog->volumetb->SetPosition(201);
        SaveVoiceSettings(*f.dialog);
        stored = f.env.readFile("veltrabasic.ini");
    }
    VoiceDialogSetup setup;
    setup.ini = stored;
    VoiceDialogFixture f(setup);
    LoadVoiceSettings(*f.dialog);
    EXPECT_EQ(f.dialog->SelectedVoice(), QStringLiteral("Eliska"));
    EXPECT_EQ(f.speech.Pitch(), 150u);
    EXPECT_EQ(f.speech.Speed(), 75u);
    EXPECT_EQ(f.speech.Volume(), 201u * 256);
}
} // namespace

// --- With the real espeak-ng voices ------------------------------------------
// The engines play into a mixer the test owns and renders itself, so the
// audio of an utterance can be measured without a sound card or a clock.

namespace {
constexpr int kRate = AudioMixer::kDefaultRate;
constexpr int kPeriod = 256;
constexpr float kAudible = 0.01f;

// One program session on espeak-ng: the engine objects made afresh, the voice
// dialog created as at start-up, the ini file of the test directory.
class EspeakSession {
public:
    explicit EspeakSession(AudioMixer& mixer) : m_destination(std::make_shared<MixerAudioDestination>(mixer))
    {
        ReleaseSpeechEngines();
        SetSpeechEngineFactory(SpeechEngineFactory{
            [this]() -> std::shared_ptr<IAudioMultiMediaDevice> { return m_destination; },
            [] { return CreateEspeakEnumerator(); },
            []() -> std::shared_ptr<ISpeechVoice> { return nullptr; }});
        InitSpeechEngine();
        dialog.FormCreate();
        Windows().form4 = &dialog;
    }
    ~EspeakSession()
    {
        Windows().form4 = nullptr;
        ReleaseSpeechEngines();
        SetSpeechEngineFactory(SpeechEngineFactory{});
        EspeakWorker::Instance().WaitIdle();
        QCoreApplication::processEvents();
    }

    TForm4 dialog;

private:
    std::shared_ptr<MixerAudioDestination> m_destination;
};

class EspeakVoices : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EspeakWorker::Instance().Start()) << "espeak-ng or its data is missing";
        env.emplace();
        SetCurrentLanguage(2000);
    }
    void TearDown() override { SetCurrentLanguage(1000); }

    // Speaks the text with the engine held now and renders until its audio
    // has stopped; returns the time from its first to its last audible sample.
    double SpokenSeconds(const QString& text)
    {
        CheckResult(SpeechEngines().engine->TextData(ToCp1250(text)));
        std::vector<float> all;
        bool started = false;
        while (all.size() < 30 * kRate) {
            EspeakWorker::Instance().WaitIdle();
            std::vector<float> period(kPeriod);
            mixer.Render(period.data(), kPeriod);
            all.insert(all.end(), period.begin(), period.end());
            QCoreApplication::processEvents();
            started = started || Speech().TtsAudioActive;
            if (started && !Speech().TtsAudioActive)
                break;
        }
        EXPECT_TRUE(started);
        EXPECT_FALSE(Speech().TtsAudioActive) << "the utterance never ended";
        qsizetype first = -1, last = -1;
        for (size_t i = 0; i < all.size(); ++i)
            if (std::fabs(all[i]) > kAudible) {
                if (first < 0)
                    first = static_cast<qsizetype>(i);
                last = static_cast<qsizetype>(i);
            }
        return first < 0 ? 0.0 : double(last - first) / kRate;
    }

    static QString FirstVoiceOf(const QString& language)
    {
        for (const EspeakVoiceInfo& v : EspeakWorker::Instance().Voices())
            if (v.language == language || v.language.startsWith(language + QLatin1Char('-')))
                return v.name;
        return QString();
    }

    std::optional<TestEnvironment> env;
    AudioMixer mixer{kRate};
};

TEST_F(EspeakVoices, AFirstStartTakesAndStoresTheCzechVoice)
{
    EspeakSession session(mixer);
    PrepareVoiceForStart();
    const QString czech = FirstVoiceOf(QStringLiteral("cs"));
    ASSERT_FALSE(czech.isEmpty());
    EXPECT_EQ(session.dialog.SelectedVoice(), czech);
    EXPECT_EQ(IniFile(env->iniPath()).ReadString("Voice", "person", QString()), czech);
    EXPECT_TRUE(Speech().SpeechReady);
    EXPECT_GT(SpokenSeconds(QStringLiteral("Myslím si číslo od jedné do sta.")), 0.5);
}

TEST_F(EspeakVoices, AHigherSpeedOnTheTrackBarSpeaksTheSameTextInLessTime)
{
    EspeakSession session(mixer);
    PrepareVoiceForStart();
    TTrackBar& speed = *session.dialog.speedtb;
    const QString text = QStringLiteral("Myslím si číslo od jedné do sta. Zkus ho uhodnout.");
    struct Measured {
        int speed;
        double seconds;
    };
    std::vector<Measured> measured;
    for (int s : {speed.minimum(), 175, speed.maximum()}) {
        speed.SetPosition(s);
        measured.push_back({s, SpokenSeconds(text)});
        RecordProperty("seconds_at_speed_" + std::to_string(s), std::to_string(measured.back().seconds));
        std::cout << "[ measure  ] speed " << s << ": " << measured.back().seconds << " s\n";
    }
    ASSERT_EQ(measured.front().speed, 80);
    ASSERT_EQ(measured.back().speed, 450);
    for (size_t i = 1; i < measured.size(); ++i)
        EXPECT_LT(measured[i].seconds, measured[i - 1].seconds)
            << "speed " << measured[i].speed << " is not faster than " << measured[i - 1].speed;
}

TEST_F(EspeakVoices, TheChoiceSurvivesARestart)
{
    QString chosen;
    GUID chosenId;
    {
        EspeakSession session(mixer);
        PrepareVoiceForStart();
        TForm4& d = session.dialog;
        // The user picks the first English voice and sets it up.
        const QString english = FirstVoiceOf(QStringLiteral("en"));
        ASSERT_FALSE(english.isEmpty());
        const auto found = d.voicelist->findItems(english, Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty());
        d.SelectVoiceRow(d.voicelist->row(found.front()));
        d.voicelistClick(nullptr);
        SaveVoiceSettings();
        LoadVoiceSettings();
        d.speedtb->SetPosition(300);
        d.pitchtb->SetPosition(70);
        d.volumetb->SetPosition(128);
        SaveVoiceSettings();
        chosen = d.SelectedVoice();
        chosenId = SpeechEngines().selectedMode->gModeID;
        ASSERT_EQ(chosen, english);
    }
    EspeakSession restarted(mixer);
    PrepareVoiceForStart();
    EXPECT_EQ(restarted.dialog.SelectedVoice(), chosen);
    EXPECT_EQ(SpeechEngines().selectedMode->gModeID, chosenId);
    ITTSAttributesA& a = *SpeechEngines().attributes;
    DWORD speed = 0, volume = 0;
    WORD pitch = 0;
    ASSERT_EQ(a.SpeedGet(&speed), S_OK);
    ASSERT_EQ(a.PitchGet(&pitch), S_OK);
    ASSERT_EQ(a.VolumeGet(&volume), S_OK);
    EXPECT_EQ(speed, 300u);
    EXPECT_EQ(pitch, 70u);
    EXPECT_EQ(VolumeLevel(volume), 128u);
    EXPECT_GT(SpokenSeconds(QStringLiteral("Hello again.")), 0.1);
}
} // namespace
