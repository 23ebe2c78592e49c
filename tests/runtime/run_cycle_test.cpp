// Program/Start: the menu during and after a run, the reset before it, the
// data file, "ready" in each language, a second run, and errors that end a run.
#include "runtime/run_cycle.h"
#include "runtime_fixture.h"
#include "shell/resource_localizer.h"
#include "shell/tform1.h"
#include "speech/sound_cues.h"
#include "shell/app_windows.h"
#include "testsupport/file_faults.h"
#include "testsupport/voice_dialog_fixture.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// Whether the process holds the file open (its descriptors, as the system lists them).
bool IsOpen(const QString& path)
{
    const QByteArray target = QFileInfo(path).canonicalFilePath().toLocal8Bit();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char link[4096];
        const ssize_t n =
            ::readlink(fds.filePath(fd).toLocal8Bit().constData(), link, sizeof link);
        if (n > 0 && QByteArray(link, n) == target)
            return true;
    }
    return false;
}

class RunCycleTest : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        ResetProgramStarted();
        SetRandomDrawForTesting([] { return 0.0; }); // secret number 1
    }

    // The six items that a run disables, then Exit and the braille switch.
    QList<bool> MenuState() const
    {
        return {form.Startsubmenu->isEnabled(),     form.soundssubmenu->isEnabled(),
                form.environmentsubmenu->isEnabled(), form.Voicesubmenu->isEnabled(),
                form.usesapi5submenu->isEnabled(),  form.helpmenu->isEnabled(),
                form.exitsubmenu->isEnabled(),      form.braillekeyboarditem->isEnabled()};
    }
    // A game of one round won at once: guess 1, answer "no".
    void AnswerShortGame()
    {
        answers = {Typed(u"1"), Typed(u"1")};
    }

    TForm1 form;
};

const QList<bool> kRunning = {false, false, false, false, false, false, true, true};
const QList<bool> kIdle = {true, true, true, true, true, true, true, true};

TEST_F(RunCycleTest, TheMenuIsLockedDuringTheRunAndFreeAfterIt)
{
    form.Voicesubmenu->setEnabled(false); // as with the desktop voice selected
    form.usesapi5submenu->setChecked(true);
    QList<QList<bool>> seen;
    bool startedWhileRunning = false;
    SetInputDialogAnswererForTesting([&] {
        seen << MenuState();
        startedWhileRunning = ProgramStarted();
        return NextAnswer();
    });
    AnswerShortGame();
    EXPECT_FALSE(ProgramStarted());
    form.Startsubmenu->trigger(); // Program/Start
    EXPECT_EQ(seen, (QList<QList<bool>>{kRunning, kRunning}));
    EXPECT_TRUE(startedWhileRunning);
    EXPECT_TRUE(ProgramStarted());
    EXPECT_EQ(MenuState(), kIdle) << "the voice item too, whatever it was before";
    EXPECT_EQ(env.messages, QStringList());
}

struct ReadyCase {
    const char* name;
    int language;
    const char* ready;
};

class RunReadyTest : public RunCycleTest, public ::testing::WithParamInterface<ReadyCase> {};

TEST_P(RunReadyTest, TheRunEndsWithTheLocalizedReady)
{
    SetCurrentLanguage(GetParam().language);
    AnswerShortGame();
    RunStartCommand(form);
    SetCurrentLanguage(1000);
    const QString ready = QString::fromUtf8(GetParam().ready);
    EXPECT_EQ(Heard().mid(Heard().size() - 2), (QStringList{"say konec programu.", "say " + ready}));
    EXPECT_EQ(Screen().rows().mid(14, 3), ExpectedScreen({"konec programu.", ready, ""}).mid(0, 3));
}

INSTANTIATE_TEST_SUITE_P(Languages, RunReadyTest,
                         ::testing::Values(ReadyCase{"Czech", 1000, "hotovo"},
                                           ReadyCase{"English", 2000, "ready"},
                                           ReadyCase{"Slovak", 3000, "hotovo"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunCycleTest, EachRunStartsAtTheLeftOfTheCursorRowWithNothingPending)
{
    Screen().rows()[0] = QStringLiteral("earlier output");
    SetCursor(30, 1);
    Runtime().pendinginput = QStringLiteral("1"); // would be the first guess if kept
    SoundCues().LastNoteSet = 3;
    SoundCues().LastNoteDuration = 250;
    bool resetSeen = false;
    SetInputDialogAnswererForTesting([&] {
        resetSeen = SoundCues().LastNoteSet == 1 && SoundCues().LastNoteDuration == 1;
        return NextAnswer();
    });
    AnswerShortGame();
    RunStartCommand(form);
    EXPECT_TRUE(resetSeen) << "the remembered note set and duration are forgotten";
    EXPECT_EQ(Screen().rows()[0], QStringLiteral("earlier output")) << "the screen is not cleared";
    EXPECT_EQ(Screen().rows()[1], QStringLiteral("hádání čísel.").leftJustified(80));
    EXPECT_TRUE(answers.empty()) << "the pending value was dropped, the dialog asked";
}

TEST_F(RunCycleTest, ASecondRunContinuesBelowTheFirst)
{
    AnswerShortGame();
    RunStartCommand(form);
    const QStringList firstRun = Screen().rows();
    const int firstRows = Runtime().scrcursor.GetRow(); // rows the first run wrote
    SetRandomDrawForTesting([] { return 0.5; });        // a new secret number: 51
    answers = {Typed(u"1"), Typed(u"51"), Typed(u"1")};
    RunStartCommand(form);

    // The second run wrote firstRows + 2 rows below the first run's: the screen
    // scrolled so that its last row is the empty row under "hotovo".
    const int secondRows = firstRows + 2;
    const int scrolled = firstRows + secondRows - 23;
    ASSERT_GT(scrolled, 0);
    const QStringList rows = Screen().rows();
    EXPECT_EQ(rows.mid(0, firstRows - scrolled), firstRun.mid(scrolled, firstRows - scrolled));
    EXPECT_EQ(rows[firstRows - scrolled], QStringLiteral("hádání čísel.").leftJustified(80));
    EXPECT_EQ(rows[22], QStringLiteral("hotovo").leftJustified(80));
    EXPECT_EQ(rows[23], QString());
    EXPECT_EQ(rows.size(), 24);
    EXPECT_TRUE(rows.contains(QStringLiteral("přidej").leftJustified(80)));
}

TEST_F(RunCycleTest, ThePresentDataFileIsOpenDuringTheRunAndClosedAfterIt)
{
    env.writeFile(QStringLiteral("data.dta"), "anything at all\n");
    bool openDuringRun = false;
    SetInputDialogAnswererForTesting([&] {
        openDuringRun = IsOpen(env.path(QStringLiteral("data.dta")));
        return NextAnswer();
    });
    AnswerShortGame();
    RunStartCommand(form);
    EXPECT_TRUE(openDuringRun);
    EXPECT_FALSE(IsOpen(env.path(QStringLiteral("data.dta"))));
    EXPECT_EQ(env.readFile(QStringLiteral("data.dta")), "anything at all\n") << "never written";
    EXPECT_EQ(env.messages, QStringList());
}

TEST_F(RunCycleTest, WithoutADataFileTheRunGoesOn)
{
    QDir(env.dir()).mkdir(QStringLiteral("data.dta")); // a folder is no data file
    AnswerShortGame();
    RunStartCommand(form);
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(Heard().last(), "say hotovo");
    EXPECT_EQ(env.messages, QStringList());
}

TEST_F(RunCycleTest, AnUnopenableDataFileIsReportedAndTheMenuStaysUsable)
{
    env.writeFile(QStringLiteral("data.dta"), "locked");
    ::chmod(env.path(QStringLiteral("data.dta")).toLocal8Bit().constData(), 0);
    AnswerShortGame();
    {
        ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
        RunStartCommand(form);
    }
    EXPECT_EQ(env.messages, QStringList{"File access denied"});
    EXPECT_EQ(Heard(), QStringList()) << "the program did not run";
    EXPECT_EQ(Screen().rows(), ExpectedScreen({}));
    EXPECT_FALSE(ProgramStarted());
    EXPECT_EQ(MenuState(), kIdle);
}

TEST_F(RunCycleTest, ASpeechFailureEndsTheRunAndTheMenuStaysUsable)
{
    env.writeFile(QStringLiteral("data.dta"), "");
    script.failures[QStringLiteral("Speak")] = E_FAIL;
    AnswerShortGame();
    RunStartCommand(form);
    EXPECT_EQ(env.messages, QStringList{"Unspecified error"});
    EXPECT_EQ(Screen().rows()[0], QStringLiteral("hádání čísel.").leftJustified(80))
        << "the run ended at its first print";
    EXPECT_FALSE(Heard().contains("INPUT"));
    EXPECT_EQ(MenuState(), kIdle);
    EXPECT_FALSE(IsOpen(env.path(QStringLiteral("data.dta"))));

    script.failures.clear();
    env.messages.clear();
    RunStartCommand(form); // Start works again
    EXPECT_TRUE(answers.empty());
    EXPECT_EQ(env.messages, QStringList());
}
} // namespace

namespace {
// The chosen voice is made ready at Start only when the desktop voice is not in use.
struct VoiceCase {
    const char* name;
    bool desktopVoice;
    bool selectsVoice;
};

class RunVoiceTest : public ::testing::TestWithParam<VoiceCase> {};

TEST_P(RunVoiceTest, TheChosenVoiceIsPreparedOnlyWithoutTheDesktopVoice)
{
    VoiceDialogSetup setup;
    setup.language = 1000;
    VoiceDialogFixture voices(setup);
    Windows().form4 = voices.dialog.get();
    ResetRuntimeState();
    Screen().Prepare();
    SetRandomDrawForTesting([] { return 0.0; });
    std::deque<QString> lines = {QStringLiteral("1"), QStringLiteral("1")};
    SetInputDialogAnswererForTesting([&]() -> std::optional<QString> {
        if (lines.empty())
            throw NoMoreAnswers();
        const QString line = lines.front();
        lines.pop_front();
        return line;
    });
    Settings().voiceallowed = true;
    Settings().sapi5 = GetParam().desktopVoice;
    Speech().SpeechReady = GetParam().desktopVoice;
    TForm1 form;
    form.usesapi5submenu->setChecked(GetParam().desktopVoice);
    voices.speech.log.clear();

    RunStartCommand(form);

    SetInputDialogAnswererForTesting({});
    SetRandomDrawForTesting({});
    Windows().form4 = nullptr;
    EXPECT_EQ(voices.env.messages, QStringList());
    EXPECT_TRUE(lines.empty()) << "the game ran";
    EXPECT_EQ(!SelectedEngines(voices.speech).empty(), GetParam().selectsVoice);
}

INSTANTIATE_TEST_SUITE_P(Backends, RunVoiceTest,
                         ::testing::Values(VoiceCase{"ChosenVoice", false, true},
                                           VoiceCase{"DesktopVoice", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });
} // namespace
