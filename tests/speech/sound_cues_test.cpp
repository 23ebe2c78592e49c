#include "speech/sound_cues.h"

#include "shell/errors.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/tform1.h"
#include "shell/ui_services.h"
#include "speech/audio_mixer.h"
#include "speech/audio_output.h"
#include "speech/mixer_wave_list.h"
#include "speech/sound_device.h"
#include "testsupport/recording_wave_list.h"
#include "testsupport/test_environment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cmath>
#include <functional>
#include <optional>

namespace {

QStringList Texts(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

// Delivers `action` as an event during the next wait of the GUI thread (as
// a key press would arrive), and afterwards tells whether it ran inside the
// call it was meant for.
class DuringWait {
public:
    explicit DuringWait(std::function<void()> action) : m_action(std::move(action))
    {
        QMetaObject::invokeMethod(
            qApp,
            [this] {
                m_ranInside = m_inside;
                m_action();
            },
            Qt::QueuedConnection);
    }
    // Runs the call; events still pending afterwards are delivered then.
    void call(const std::function<void()>& body)
    {
        m_inside = true;
        try {
            body();
        } catch (...) {
            m_inside = false;
            QCoreApplication::processEvents();
            throw;
        }
        m_inside = false;
        QCoreApplication::processEvents();
    }
    bool ranInside() const { return m_ranInside; }

private:
    std::function<void()> m_action;
    bool m_inside = false;
    bool m_ranInside = false;
};

// What the main window's key-down does to a chord in progress.
void EndChordLikeAKey(QTimer& timer)
{
    SoundCues().NotesPlaying = false;
    timer.stop();
}

} // namespace

// --- PlayNotes, one call per row, observed through the recording wave list.

struct ChordCase {
    const char* name;
    bool soundsOn;
    int volume;
    uint8_t rememberedSet; // LastNoteSet before the call
    int rememberedDuration;
    bool resetFirst;       // ResetNoteMemory before the call
    std::vector<double> notes;
    double duration;
    double set;
    std::vector<const char*> calls; // "(waiting)" marks the wait
    std::optional<bool> timerRunsDuringWait;
    int intervalAfter; // 777 = the timer was not touched
    int setAfter;
    int durationAfter;
};

class Chord : public ::testing::TestWithParam<ChordCase> {};

TEST_P(Chord, PlaysItsItemsWaitsAndStopsThem)
{
    const ChordCase& c = GetParam();
    TestEnvironment env;
    RecordedSoundCues cues;
    Settings().veltrasounds = c.soundsOn;
    Settings().sndvolume = c.volume;
    SoundCues().LastNoteSet = c.rememberedSet;
    SoundCues().LastNoteDuration = c.rememberedDuration;
    if (c.resetFirst)
        ResetNoteMemory();
    cues.timer().setInterval(777);

    std::optional<bool> timerRan;
    QStringList soundingDuringWait;
    DuringWait key([&] {
        cues.waves.calls << QStringLiteral("(waiting)");
        timerRan = cues.timer().isActive();
        soundingDuringWait = cues.waves.sounding();
        EndChordLikeAKey(cues.timer());
    });
    key.call([&] { PlayNotes(c.notes, c.duration, c.set); });

    if (key.ranInside()) {
        if (c.timerRunsDuringWait) {
            EXPECT_EQ(timerRan, c.timerRunsDuringWait);
        }
        // All notes of the chord sounded together during the wait.
        QStringList started;
        for (const QString& call : Texts(c.calls))
            if (call.startsWith(QStringLiteral("play ")))
                started << call.mid(5);
        EXPECT_EQ(soundingDuringWait, started);
    } else {
        cues.waves.calls.removeAll(QStringLiteral("(waiting)"));
    }
    EXPECT_EQ(cues.waves.calls, Texts(c.calls));
    EXPECT_TRUE(cues.waves.sounding().isEmpty());
    EXPECT_FALSE(SoundCues().NotesPlaying);
    EXPECT_EQ(cues.timer().interval(), c.intervalAfter);
    EXPECT_EQ(SoundCues().LastNoteSet, c.setAfter);
    EXPECT_EQ(SoundCues().LastNoteDuration, c.durationAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Chord,
    ::testing::Values(
        ChordCase{"OneNote", true, 0, 1, 1, false, {440}, 100, 2,
                  {"looped snd12 1", "rate snd12 28160", "volume snd12 0", "play snd12",
                   "(waiting)", "stop snd12"},
                  true, 100, 2, 100},
        ChordCase{"ReviewWindowChordAtLowerVolume", true, -600, 1, 1, false, {300, 450}, 100, 5,
                  {"looped snd15 1", "rate snd15 19200", "volume snd15 -600", "play snd15",
                   "looped snd25 1", "rate snd25 28800", "volume snd25 -600", "play snd25",
                   "(waiting)", "stop snd15", "stop snd25"},
                  true, 100, 5, 100},
        ChordCase{"SoundsOffTouchesNothingAndKeepsTheRememberedValues", false, 0, 4, 30, false,
                  {440}, 100, 2, {}, std::nullopt, 777, 4, 30},
        ChordCase{"SetTenUsesTheRememberedSet", true, 0, 7, 30, false, {440}, 100, 10,
                  {"looped snd17 1", "rate snd17 28160", "volume snd17 0", "play snd17",
                   "(waiting)", "stop snd17"},
                  true, 100, 7, 100},
        ChordCase{"SetNineIsKept", true, 0, 7, 30, false, {440}, 100, 9,
                  {"looped snd19 1", "rate snd19 28160", "volume snd19 0", "play snd19",
                   "(waiting)", "stop snd19"},
                  true, 100, 9, 100},
        ChordCase{"SetJustAboveNineUsesTheRememberedSet", true, 0, 6, 30, false, {440}, 100, 9.5,
                  {"looped snd16 1", "rate snd16 28160", "volume snd16 0", "play snd16",
                   "(waiting)", "stop snd16"},
                  true, 100, 6, 100},
        ChordCase{"DurationMinusOneUsesTheRememberedDuration", true, 0, 2, 30, false, {440}, -1, 2,
                  {"looped snd12 1", "rate snd12 28160", "volume snd12 0", "play snd12",
                   "(waiting)", "stop snd12"},
                  true, 30, 2, 30},
        ChordCase{"DurationNotANumberUsesTheRememberedDuration", true, 0, 2, 30, false, {440},
                  std::nan(""), 2,
                  {"looped snd12 1", "rate snd12 28160", "volume snd12 0", "play snd12",
                   "(waiting)", "stop snd12"},
                  true, 30, 2, 30},
        ChordCase{"NegativeSetKeepsItsMinusSign", true, 0, 1, 1, false, {440}, 50, -1,
                  {"looped snd1-1 1", "rate snd1-1 28160", "volume snd1-1 0", "play snd1-1",
                   "(waiting)", "stop snd1-1"},
                  true, 50, 255, 50},
        ChordCase{"SetAndDurationTruncateTowardZero", true, 0, 1, 1, false, {440.9}, 99.9, 3.9,
                  {"looped snd13 1", "rate snd13 28160", "volume snd13 0", "play snd13",
                   "(waiting)", "stop snd13"},
                  true, 99, 3, 99},
        ChordCase{"SmallNegativeSetTruncatesToZero", true, 0, 1, 1, false, {440}, 50, -0.5,
                  {"looped snd10 1", "rate snd10 28160", "volume snd10 0", "play snd10",
                   "(waiting)", "stop snd10"},
                  true, 50, 0, 50},
        ChordCase{"AfterTheResetOutOfRangeValuesGiveSetOneAndOneMillisecond", true, 0, 7, 30,
                  true, {440}, -5, 12,
                  {"looped snd11 1", "rate snd11 28160", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  std::nullopt, 1, 1, 1},
        ChordCase{"EmptyChordStillWaits", true, 0, 1, 1, false, {}, 40, 1, {"(waiting)"}, true,
                  40, 1, 40},
        ChordCase{"NoteZeroPlaysAtRate128", true, 0, 1, 1, false, {0}, 20, 1,
                  {"looped snd11 1", "rate snd11 128", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  true, 20, 1, 20},
        ChordCase{"NoteBelowOneCountsAsZero", true, 0, 1, 1, false, {0.7}, 20, 1,
                  {"looped snd11 1", "rate snd11 128", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  true, 20, 1, 20},
        ChordCase{"CapitalLetterTone", true, 0, 1, 1, false, {2000}, 20, 1,
                  {"looped snd11 1", "rate snd11 128000", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  true, 20, 1, 20},
        ChordCase{"DurationZeroStartsNoTimer", true, 0, 1, 1, false, {440}, 0, 1,
                  {"looped snd11 1", "rate snd11 28160", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  false, 777, 1, 0},
        ChordCase{"DurationBelowOneMillisecondStartsNoTimer", true, 0, 1, 1, false, {440}, 0.5, 1,
                  {"looped snd11 1", "rate snd11 28160", "volume snd11 0", "play snd11",
                   "(waiting)", "stop snd11"},
                  false, 777, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// --- how a chord's wait ends

TEST(ChordWait, EndsWhenTheMainWindowTimerExpiresAndStopsEveryNote)
{
    TestEnvironment env;
    TForm1 form;
    RecordedSoundCues cues(&form.Timer);
    PlayNotes({400, 600, 800}, 1, 3);
    EXPECT_EQ(cues.waves.calls.mid(12), Texts({"stop snd13", "stop snd23", "stop snd33"}));
    EXPECT_TRUE(cues.waves.sounding().isEmpty());
    EXPECT_FALSE(SoundCues().NotesPlaying);
    EXPECT_FALSE(form.Timer.isActive());
}

TEST(ChordWait, AKeyDuringALongChordEndsItEarlyAndStopsItsNotes)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    QStringList soundingAtKey;
    DuringWait key([&] {
        soundingAtKey = cues.waves.sounding();
        EndChordLikeAKey(cues.timer());
    });
    // Ten minutes: only the key can end it within the test.
    key.call([] { PlayNotes({300, 450}, 600000, 5); });
    ASSERT_TRUE(key.ranInside());
    EXPECT_EQ(soundingAtKey, Texts({"snd15", "snd25"}));
    EXPECT_TRUE(cues.waves.sounding().isEmpty());
    EXPECT_EQ(cues.waves.calls.mid(8), Texts({"stop snd15", "stop snd25"}));
    EXPECT_FALSE(cues.timer().isActive());
}

TEST(ChordWait, AChordPlayedDuringAnotherSharesItsFlagAndTimer)
{
    TestEnvironment env;
    TForm1 form;
    RecordedSoundCues cues(&form.Timer);
    // The inner chord restarts the shared timer at 1 ms; its expiry ends both waits.
    DuringWait handler([] { PlayNotes({600}, 1, 1); });
    handler.call([] { PlayNotes({400}, 600000, 3); });
    ASSERT_TRUE(handler.ranInside());
    EXPECT_EQ(cues.waves.calls.filter(QStringLiteral("stop")),
              Texts({"stop snd11", "stop snd13"}));
    EXPECT_TRUE(cues.waves.sounding().isEmpty());
    EXPECT_FALSE(form.Timer.isActive());
}

TEST(ChordWait, ClosingTheMainWindowDuringAChordEndsTheWait)
{
    TestEnvironment env;
    CopyRunFiles(env);
    auto form = std::make_unique<TForm1>();
    form->FormCreate();
    // Only keeps a wait that never ends from hanging the test: it ends the
    // chord as a key would, long after the close.
    bool rescued = false;
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [&] {
        rescued = true;
        SoundCues().NotesPlaying = false;
    });
    rescue.start(20000);
    // Ten minutes: the close releases the timer that would have ended it.
    DuringWait close([&] { form->close(); });
    close.call([] { PlayNotes({400, 600}, 600000, 3); });
    ASSERT_TRUE(close.ranInside());
    EXPECT_FALSE(rescued);
    EXPECT_FALSE(form->wavelist);
}

TEST(ChordWait, AMissingItemStopsTheNotesAlreadyStartedAndRaisesItsName)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    cues.waves.knownNames = Texts({"snd11", "snd21"});
    try {
        PlayNotes({400, 500, 600}, 50, 1);
        FAIL() << "no error";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Wave 'snd31' not found"));
    }
    EXPECT_TRUE(cues.waves.sounding().isEmpty());
    EXPECT_EQ(cues.waves.calls.filter(QStringLiteral("stop")),
              Texts({"stop snd11", "stop snd21"}));
    EXPECT_FALSE(cues.timer().isActive());
}

TEST(ChordWait, SwitchingTheBrailleKeyboardPlaysTheRisingThenTheFallingCue)
{
    TestEnvironment env;
    TForm1 form;
    RecordedSoundCues cues(&form.Timer);
    form.braillekeyboarditemClick();
    form.braillekeyboarditemClick();
    EXPECT_EQ(cues.waves.calls.filter(QStringLiteral("rate")),
              Texts({"rate snd13 25600", "rate snd13 38400", "rate snd13 38400",
                     "rate snd13 25600"}));
    EXPECT_EQ(SoundCues().LastNoteDuration, 50);
}

// --- beep and clicks

struct ShortCueCase {
    const char* name;
    bool soundsOn;
    int volume;
    std::function<void()> play;
    std::vector<const char*> calls;
};

class ShortCue : public ::testing::TestWithParam<ShortCueCase> {};

TEST_P(ShortCue, SetsTheVolumeAndPlaysToTheEnd)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    Settings().veltrasounds = GetParam().soundsOn;
    Settings().sndvolume = GetParam().volume;
    GetParam().play();
    EXPECT_EQ(cues.waves.calls, Texts(GetParam().calls));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortCue,
    ::testing::Values(
        ShortCueCase{"Beep", true, -300, [] { PlayBeep(); }, {"volume beep -300", "wait beep"}},
        ShortCueCase{"BeepWithSoundsOff", false, 0, [] { PlayBeep(); }, {}},
        ShortCueCase{"CaretClick", true, 0, [] { PlayClick(2); },
                     {"volume click2 0", "wait click2"}},
        ShortCueCase{"ReviewClickTruncated", true, -1000, [] { PlayClick(16.9); },
                     {"volume click16 -1000", "wait click16"}},
        ShortCueCase{"NegativeClickKeepsItsSign", true, 0, [] { PlayClick(-2.5); },
                     {"volume click-2 0", "wait click-2"}},
        ShortCueCase{"ClickWithSoundsOff", false, 0, [] { PlayClick(2); }, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShortCue, AClickTheBankLacksRaisesItsName)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    cues.waves.knownNames = Texts({"beep", "click2", "click16"});
    try {
        PlayClick(3);
        FAIL() << "no error";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Wave 'click3' not found"));
    }
}

// --- loading the bank

struct MissingBankCase {
    const char* name;
    int language;
    bool directoryInstead;
    const char* message;
};

class MissingBank : public ::testing::TestWithParam<MissingBankCase> {};

TEST_P(MissingBank, IsReportedAndEndsTheProcessWithoutLoading)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    SetCurrentLanguage(GetParam().language);
    if (GetParam().directoryInstead)
        QDir(env.dir()).mkdir(QStringLiteral("sounds.dat"));
    EXPECT_THROW(LoadSoundBank(), ProcessEnded);
    SetCurrentLanguage(1000);
    EXPECT_EQ(env.messages, QStringList{QString::fromUtf8(GetParam().message)});
    EXPECT_EQ(env.endedWith, QList<int>{0});
    EXPECT_TRUE(cues.waves.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingBank,
    ::testing::Values(MissingBankCase{"English", 2000, false, "Can't find the file sounds.dat"},
                      MissingBankCase{"DirectoryOfThatName", 2000, true,
                                      "Can't find the file sounds.dat"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadBank, LoadsTheFileOfTheCurrentDirectory)
{
    TestEnvironment env;
    RecordedSoundCues cues;
    env.writeFile(QStringLiteral("sounds.dat"), QByteArray("anything"));
    LoadSoundBank();
    EXPECT_EQ(cues.waves.calls, Texts({"load sounds.dat"}));
    EXPECT_TRUE(env.messages.isEmpty());
}

TEST(LoadBank, ADamagedBankRaisesAnErrorNamingTheFileAndTheFault)
{
    TestEnvironment env;
    AudioMixer mixer;
    MixerWaveList waves(mixer);
    SoundCues() = SoundCueState();
    SoundCues().waves = &waves;
    env.writeFile(QStringLiteral("sounds.dat"), QByteArray("VLTSNDBK\x01\x00", 10));
    try {
        LoadSoundBank();
        ADD_FAILURE() << "no error";
    } catch (const VeltraError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The sound bank sounds.dat is damaged: the header "
                                              "is truncated (10 of 16 bytes)."));
    }
    SoundCues() = SoundCueState();
    EXPECT_TRUE(env.endedWith.isEmpty());
}

// --- the main window's sound objects

TEST(MainWindowSound, StartUpOpensTheDeviceLoadsTheBankAndCloseReleasesThem)
{
    TestEnvironment env;
    CopyRunFiles(env);
    auto form = std::make_unique<TForm1>();
    form->FormCreate();
    ASSERT_TRUE(form->sounddevice);
    EXPECT_TRUE(form->sounddevice->IsOpen());
    auto* waves = dynamic_cast<MixerWaveList*>(form->wavelist.get());
    ASSERT_NE(waves, nullptr);
    for (const char* name : {"snd11", "snd13", "snd15", "snd25", "snd89", "beep", "click2",
                             "click16"})
        EXPECT_TRUE(waves->Names().contains(QString::fromLatin1(name))) << name;
    EXPECT_EQ(SoundCues().waves, form->wavelist.get());
    EXPECT_EQ(SoundCues().timer, &form->Timer);

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->sounddevice);
    EXPECT_FALSE(AudioOutput().IsOpen());
    EXPECT_FALSE(form->wavelist);
    EXPECT_EQ(SoundCues().waves, nullptr);
    EXPECT_EQ(SoundCues().timer, nullptr);
}

TEST(MainWindowSound, AMissingBankEndsTheStartUp)
{
    TestEnvironment env;
    CopyRunFiles(env);
    QFile::remove(env.path(QStringLiteral("sounds.dat")));
    SetCurrentLanguage(2000);
    env.writeFile(QStringLiteral("veltrabasic.ini"), "[environment]\nlanguage=2000\n");
    auto form = std::make_unique<TForm1>();
    EXPECT_THROW(form->FormCreate(), ProcessEnded);
    SetCurrentLanguage(1000);
    EXPECT_EQ(env.messages, QStringList{QStringLiteral("Can't find the file sounds.dat")});
    EXPECT_EQ(env.endedWith, QList<int>{0});
}
