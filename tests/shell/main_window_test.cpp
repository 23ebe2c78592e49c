#include "runtime/runtime_state.h"
#include "runtime/screen.h"
#include "runtime/screen_writer.h"
#include "shell/errors.h"
#include "shell/guard.h"
#include "shell/ram_image.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/tform1.h"
#include "shell/ui_services.h"
#include "speech/speech_output.h"
#include "testsupport/file_faults.h"
#include "testsupport/test_environment.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A main window created as at start-up, in a test directory with the data
// files in place and the given ini content (nullptr: no ini file).
struct MainWindowFixture {
    explicit MainWindowFixture(const char* ini)
    {
        CopyRunFiles(env);
        if (ini)
            env.writeFile("veltrabasic.ini", ini);
        form = std::make_unique<TForm1>();
        // As at start-up: an error ends the sequence and is shown.
        Guarded([this] { form->FormCreate(); });
    }
    TestEnvironment env;
    std::unique_ptr<TForm1> form;
};
} // namespace

TEST(MainWindowTitle, IsTheExecutableNameUpToItsFirstDotAndTheProductName)
{
    SetCurrentLanguage(1000);
    EXPECT_EQ(MainWindowTitle("/home/u/v1.2/basic.exe"),
              QStringLiteral("basic - Překladač Veltra Basicu"));
    EXPECT_EQ(MainWindowTitle("/opt/my.tool.exe"), QStringLiteral("my - Překladač Veltra Basicu"));
    EXPECT_EQ(MainWindowTitle("/usr/bin/veltrabasic"),
              QStringLiteral("veltrabasic - Překladač Veltra Basicu"));
    SetCurrentLanguage(2000);
    EXPECT_EQ(MainWindowTitle("/x/veltrabasic"),
              QStringLiteral("veltrabasic - Veltra Basic Interpreter"));
    SetCurrentLanguage(1000);
}

struct MenuCase {
    const char* name;
    const char* ini;
    std::vector<const char*> menus;    // Program, Settings, Help
    std::vector<const char*> items;    // in menu order
    std::vector<const char*> messages; // shown during start-up
};

class MainMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MainMenu, IsCaptionedInTheConfiguredLanguage)
{
    MainWindowFixture f(GetParam().ini);
    QStringList menus;
    for (QAction* a : f.form->menuBar()->actions())
        menus << a->text();
    QStringList items;
    for (QMenu* m : {f.form->Programmenu, f.form->settingsmenu, f.form->helpmenu})
        for (QAction* a : m->actions())
            items << a->text();
    QStringList expectedMenus, expectedItems;
    for (const char* t : GetParam().menus)
        expectedMenus << QString::fromUtf8(t);
    for (const char* t : GetParam().items)
        expectedItems << QString::fromUtf8(t);
    EXPECT_EQ(menus, expectedMenus);
    EXPECT_EQ(items, expectedItems);
    QStringList expectedMessages;
    for (const char* t : GetParam().messages)
        expectedMessages << QString::fromUtf8(t);
    EXPECT_EQ(f.env.messages, expectedMessages);
    SetCurrentLanguage(1000);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, MainMenu,
    ::testing::Values(
        MenuCase{"Czech", nullptr, {"&Program", "Na&stavení", "Ná&pověda"},
                 {"&Spustit", "Kon&ec", "&Braillská klávesnice", "&Zvuky...", "&Hlas...",
                  "Používat hlas SA&PI5", "Prostř&edí...", "O progr&amu"},
                 {}},
        MenuCase{"English", "[environment]\nlanguage=2000\n", {"&Program", "&Settings", "Hel&p"},
                 {"&Start", "&Exit", "&Braille keyboard", "&Sounds...", "&Voice...",
                  "Use SA&PI5 voice", "&Environment...", "&About"},
                 {}},
        MenuCase{"AbsentLanguageGivesEmptyCaptions", "[environment]\nlanguage=1500\n",
                 {"", "", ""}, {"", "", "", "...", "...", "", "...", ""},
                 // The key echo file is named after an empty text: ".eky".
                 {"File not found"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainMenuShortcuts, AreFixed)
{
    MainWindowFixture f(nullptr);
    TForm1& w = *f.form;
    const std::pair<QAction*, QKeySequence> expected[] = {
        {w.Startsubmenu, QKeySequence("Ctrl+S")},
        {w.exitsubmenu, QKeySequence()},
        {w.braillekeyboarditem, QKeySequence("Ctrl+B")},
        {w.soundssubmenu, QKeySequence("Ctrl+D")},
        {w.Voicesubmenu, QKeySequence("Ctrl+H")},
        {w.usesapi5submenu, QKeySequence("Ctrl+P")},
        {w.environmentsubmenu, QKeySequence("Ctrl+E")},
        {w.aboutsubmenu, QKeySequence()},
    };
    for (const auto& [action, keys] : expected)
        EXPECT_EQ(action->shortcut(), keys) << action->objectName().toStdString();
    EXPECT_FALSE(w.Timer.isActive());
}

TEST(MainWindowScreen, HoldsExactlyTwentyFourEmptyLines)
{
    MainWindowFixture f(nullptr);
    QPlainTextEdit* memo = f.form->printmemo;
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(memo->document()->blockCount(), 24);
    EXPECT_EQ(memo->toPlainText(), QString(23, QLatin1Char('\n')));
}

TEST(MainWindowScreen, ShowsWhatIsWrittenWhileTheWindowLives)
{
    ResetRuntimeState();
    {
        MainWindowFixture f(nullptr);
        WriteAtCursor(QStringLiteral("first"));
        EXPECT_EQ(f.form->printmemo->document()->findBlockByNumber(0).text(),
                  QStringLiteral("first").leftJustified(80));
    }
    // The screen goes on without a window to show it.
    WriteAtCursor(QStringLiteral("second"));
    EXPECT_EQ(Screen().rows()[1], QStringLiteral("second").leftJustified(80));
    ResetRuntimeState();
}

struct StartStateCase {
    const char* name;
    const char* ini;
    bool sapi5Checked;
    bool brailleChecked;
    bool voiceEnabled;
};

class StartState : public ::testing::TestWithParam<StartStateCase> {};

TEST_P(StartState, FollowsTheSettings)
{
    MainWindowFixture f(GetParam().ini);
    EXPECT_EQ(f.form->usesapi5submenu->isChecked(), GetParam().sapi5Checked);
    EXPECT_EQ(f.form->braillekeyboarditem->isChecked(), GetParam().brailleChecked);
    EXPECT_EQ(f.form->Voicesubmenu->isEnabled(), GetParam().voiceEnabled);
    EXPECT_EQ(Speech().SpeechReady, GetParam().sapi5Checked);
    EXPECT_EQ(Settings().sapi5, GetParam().sapi5Checked);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartState,
    ::testing::Values(
        StartStateCase{"EmptyFile", "", false, false, true},
        StartStateCase{"DesktopVoiceDisablesTheVoiceItem", "[Voice]\nsapi5=1\n", true, false, false},
        StartStateCase{"VoiceNotAllowed", "[voice]\nvoiceallowed=0\n", false, false, false},
        StartStateCase{"BrailleKeyboardOn", "[keyboard]\nbraillekeys=1\n", false, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DesktopVoiceToggle, SwitchesTheBackEndAndStoresIt)
{
    MainWindowFixture f("[voice]\nvoiceallowed=0\n");
    f.form->usesapi5submenuClick();
    EXPECT_TRUE(f.form->usesapi5submenu->isChecked());
    EXPECT_TRUE(Settings().sapi5);
    EXPECT_TRUE(Speech().SpeechReady);
    EXPECT_FALSE(f.form->Voicesubmenu->isEnabled());
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"), QByteArray("[voice]\nvoiceallowed=0\nSAPI5=1\n"));

    // Switching it off enables the Voice item even though the voice is not allowed.
    f.form->usesapi5submenu->trigger();
    EXPECT_FALSE(f.form->usesapi5submenu->isChecked());
    EXPECT_FALSE(Speech().SpeechReady);
    EXPECT_TRUE(f.form->Voicesubmenu->isEnabled());
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"), QByteArray("[voice]\nvoiceallowed=0\nSAPI5=0\n"));
}

TEST(BrailleKeyboardToggle, WritesAllFourGeneralKeys)
{
    MainWindowFixture f("[voice]\nvoiceallowed=1\n");
    f.form->braillekeyboarditem->trigger();
    EXPECT_TRUE(f.form->braillekeyboarditem->isChecked());
    EXPECT_TRUE(Settings().braillekeys);
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"),
              QByteArray("[voice]\nvoiceallowed=1\n[sounds]\nveltrasounds=1\nsndvolume=0\n"
                         "[keyboard]\nbraillekeys=1\n"));
    f.form->braillekeyboarditemClick();
    EXPECT_FALSE(f.form->braillekeyboarditem->isChecked());
    EXPECT_FALSE(Settings().braillekeys);
}

TEST(Exit, WithNoProgramRunningSavesAndClosesTheWindow)
{
    MainWindowFixture f(nullptr);
    f.form->show();
    RamImage()[5] = 42;
    f.form->exitsubmenuClick();
    EXPECT_FALSE(f.form->isVisible());
    EXPECT_TRUE(f.env.endedWith.isEmpty());
    QByteArray saved = f.env.readFile("ram.dat");
    ASSERT_EQ(saved.size(), kRamSize);
    EXPECT_EQ(saved[5], 42);
    ClearRamImage();
}

TEST(Exit, WhileAProgramRunsSavesAndEndsTheProcess)
{
    for (bool byCloseBox : {false, true}) {
        MainWindowFixture f(nullptr);
        f.form->show();
        f.form->Startsubmenu->setEnabled(false); // as during a run
        if (byCloseBox)
            f.form->close();
        else
            EXPECT_THROW(f.form->exitsubmenuClick(), ProcessEnded);
        EXPECT_EQ(f.env.endedWith, QList<int>{0}) << byCloseBox;
        EXPECT_EQ(f.env.readFile("ram.dat").size(), kRamSize);
    }
}

TEST(Exit, AFailedSaveKeepsTheProgramRunning)
{
    MainWindowFixture f(nullptr);
    f.form->show();
    f.env.writeFile("ram.dat", "old");
    QFile::setPermissions(f.env.path("ram.dat"), QFile::ReadOwner | QFile::ReadOther);
    ScopedUnprivilegedUser user(f.env.dir().toLocal8Bit().constData());
    EXPECT_FALSE(f.form->close());
    EXPECT_TRUE(f.form->isVisible());
    EXPECT_EQ(f.env.messages, QStringList{QStringLiteral("File access denied")});
    EXPECT_TRUE(f.env.endedWith.isEmpty());
}

TEST(StartUp, AnUnreadableRamImageIsReportedAndTheWindowStillOpens)
{
    TestEnvironment env;
    CopyRunFiles(env);
    env.writeFile("ram.dat", "x");
    QFile::setPermissions(env.path("ram.dat"), QFile::WriteOwner);
    auto form = std::make_unique<TForm1>();
    {
        ScopedUnprivilegedUser user(env.dir().toLocal8Bit().constData());
        EXPECT_THROW(form->FormCreate(), FileError);
    }
    EXPECT_EQ(form->printmemo->document()->blockCount(), 24);
}
