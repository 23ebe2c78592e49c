// The Voice menu command with the dialog shown modally and driven by keys, as
// a user does it: what is heard, what reaches the engine, what is stored.
#include "shell/app_windows.h"
#include "shell/guard.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/tform1.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/track_bar.h"
#include "speech/voice_menu.h"
#include "speech/voice_selection.h"
#include "testsupport/voice_dialog_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
const QString kMainCaption = QStringLiteral("veltrabasic - Veltra Basic Interpreter");

std::vector<std::string> Tail(const std::vector<std::string>& all, size_t n)
{
    return std::vector<std::string>(all.end() - std::min(n, all.size()), all.end());
}

TEST(VoiceMenu, OpeningAndTabbingSpeakEveryControlInTabOrder)
{
    VoiceDialogFixture f;
    WhenAnnounced(*f.dialog, [&] {
        PressKey(*f.dialog, Qt::Key_Tab, 6); // once around, back to the list
        PressKey(*f.dialog, Qt::Key_Escape);
    });
    RunVoiceMenu(*f.dialog, kMainCaption);
    EXPECT_EQ(SpokenTexts(f.speech),
              (std::vector<std::string>{"Voice settings", "&Voices Jakub", "&Pitch 100",
                                        "&Speed 150", "Vo&lume 255", "&Choose voice", "&Close",
                                        "&Voices Jakub", kMainCaption.toStdString()}));
}

TEST(VoiceMenu, MovingTheVolumeIsHeardAtOnceAndEscapeStoresNothing)
{
    VoiceDialogFixture f;
    QByteArray iniWhenOpened;
    std::vector<std::string> tags, heard;
    WhenAnnounced(*f.dialog, [&] {
        iniWhenOpened = f.env.readFile("veltrabasic.ini");
        PressKey(*f.dialog, Qt::Key_Tab, 3);
        f.speech.log.clear();
        PressKey(*f.dialog, Qt::Key_Up, 55); // Up lowers a horizontal track bar
        tags = InjectedTags(f.speech);
        heard = SpokenTexts(f.speech);
        PressKey(*f.dialog, Qt::Key_Escape);
    });
    RunVoiceMenu(*f.dialog, kMainCaption);

    std::vector<std::string> expectedTags, expectedHeard;
    for (int v = 254; v >= 200; --v) {
        expectedTags.push_back("\\Vol=" + std::to_string(v * 256) + "\\");
        expectedHeard.push_back(std::to_string(v));
    }
    EXPECT_EQ(tags, expectedTags);
    EXPECT_EQ(heard, expectedHeard);
    EXPECT_EQ(f.speech.Volume(), 51200u);
    // Each change stops what was being said before its tag goes in.
    const QStringList& log = f.speech.log;
    const qsizetype tag = log.indexOf(QStringLiteral("Inject \"\\Vol=51200\\\""));
    ASSERT_GT(tag, 0);
    EXPECT_EQ(log[tag - 1], QStringLiteral("AudioReset"));
    // Escape: the main window's caption, and the stored values stay.
    EXPECT_EQ(Tail(SpokenTexts(f.speech), 1), (std::vector<std::string>{kMainCaption.toStdString()}));
    EXPECT_FALSE(iniWhenOpened.isEmpty());
    EXPECT_EQ(f.env.readFile("veltrabasic.ini"), iniWhenOpened);
    EXPECT_EQ(f.Stored("volume"), QStringLiteral("255"));
}

TEST(VoiceMenu, AHeldArrowKeyCutsEachSpokenValueOffWithTheNext)
{
    VoiceDialogFixture f;
    std::vector<std::string> calls;
    WhenAnnounced(*f.dialog, [&] {
        PressKey(*f.dialog, Qt::Key_Tab, 3); // volume
        // Values keep speaking until cut off; the key repeats arrive while
        // the previous value is being said.
        f.speech.duration = [](const QString& text) {
            return text.toInt() > 0 ? ScriptedSpeech::kHold : 5;
        };
        f.speech.log.clear();
        QWidget* bar = f.dialog->focusWidget();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::postEvent(
                bar, new QKeyEvent(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true));
        // After the last repeat has been handled, its value ends normally.
        QMetaObject::invokeMethod(f.dialog.get(), [&] { f.speech.FinishUtterance(); }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        calls = Std(f.speech.log);
        f.speech.duration = [](const QString&) { return 5; };
        PressKey(*f.dialog, Qt::Key_Escape);
    });
    RunVoiceMenu(*f.dialog, kMainCaption);
    EXPECT_EQ(calls, (std::vector<std::string>{
                         "AudioReset", "Inject \"\\Vol=65024\\\"",
                         "TextData \"254\" speed=150 pitch=100 volume=65024", "-> AudioStart",
                         "AudioReset", "-> AudioStop", "Inject \"\\Vol=64768\\\"",
                         "TextData \"253\" speed=150 pitch=100 volume=64768", "-> AudioStart",
                         "AudioReset", "-> AudioStop", "Inject \"\\Vol=64512\\\"",
                         "TextData \"252\" speed=150 pitch=100 volume=64512", "-> AudioStart",
                         "-> AudioStop"}));
    EXPECT_EQ(f.dialog->volumetb->Position(), 252);
}

struct Stroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

struct ChoiceCase {
    const char* name;
    int language;
    std::vector<Stroke> keys; // after the dialog's announcement
    const char* speed;        // stored afterwards
};

class VoiceChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(VoiceChoice, OkStoresTheChoiceAndSelectsItsEngineWithTheValues)
{
    VoiceDialogSetup setup;
    setup.language = GetParam().language;
    VoiceDialogFixture f(setup);
    WhenAnnounced(*f.dialog, [&] {
        for (const Stroke& k : GetParam().keys)
            QTest::keyClick(f.dialog->focusWidget(), k.key, k.modifiers);
    });
    RunVoiceMenu(*f.dialog, kMainCaption);

    EXPECT_EQ(f.Stored("person"), QStringLiteral("Eliska"));
    EXPECT_EQ(f.Stored("speed"), QString::fromLatin1(GetParam().speed));
    EXPECT_EQ(Tail(SelectedEngines(f.speech), 1), (std::vector<std::string>{"Eliska"}));
    EXPECT_EQ(SpeechEngines().selectedMode->szModeName, QStringLiteral("Eliska"));
    EXPECT_EQ(f.speech.Speed(), f.Stored("speed").toUInt());
    const std::vector<std::string> heard = SpokenTexts(f.speech);
    // The chosen voice is named when it is chosen; the close confirms it.
    EXPECT_NE(std::find(heard.begin(), heard.end(), "Eliska"), heard.end());
    EXPECT_EQ(Tail(heard, 1), (std::vector<std::string>{Str(19).toStdString()}));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, VoiceChoice,
    ::testing::Values(
        ChoiceCase{"EnterOnTheList", 2000, {{Qt::Key_Down}, {Qt::Key_Return}}, "150"},
        // "Zvolit hl&as": the English buttons share their accelerator.
        ChoiceCase{"ChooseButtonAccelerator", 1000, {{Qt::Key_Down}, {Qt::Key_A, Qt::AltModifier}}, "150"},
        ChoiceCase{"SpaceOnTheChooseButton", 2000,
                   {{Qt::Key_Down}, {Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Space}},
                   "150"},
        // The speed moved on the current engine is stored and given to the new one.
        ChoiceCase{"EnterOnAMovedTrackBar", 2000,
                   {{Qt::Key_Down}, {Qt::Key_Tab}, {Qt::Key_Tab}, {Qt::Key_Down}, {Qt::Key_Return}},
                   "151"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VoiceMenu, ChoosingInTheListStopsTheSpeechAndNamesTheVoice)
{
    VoiceDialogFixture f;
    std::vector<std::string> calls;
    WhenAnnounced(*f.dialog, [&] {
        f.speech.log.clear();
        PressKey(*f.dialog, Qt::Key_End); // Tom
        calls = Std(f.speech.log);
        PressKey(*f.dialog, Qt::Key_Escape);
    });
    RunVoiceMenu(*f.dialog, kMainCaption);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "AudioReset");
    EXPECT_EQ(Tail(SpokenTexts(f.speech), 2),
              (std::vector<std::string>{"Tom", kMainCaption.toStdString()}));
    // Escape: the choice is neither stored nor given an engine.
    EXPECT_EQ(f.Stored("person"), QStringLiteral("Jakub"));
    EXPECT_TRUE(SelectedEngines(f.speech).empty());
}

TEST(VoiceMenu, RefusesWithAMessageWhenThereIsNothingToChoose)
{
    struct Case {
        const char* name;
        QByteArray ini;
        bool noVoices;
        bool failEnumerator;
        int language;
        const char* message;
    };
    for (const Case& c :
         {Case{"VoiceNotAllowed", "[voice]\r\nvoiceallowed=0\r\n", false, false, 2000,
               "The voice is turned off. You can turn it on in the Sounds dialog, menu Settings"},
          Case{"NoVoicesListed", "", true, false, 2000, "No voices are available."},
          Case{"NoEnumeratorCzech", "", false, true, 1000, "Žádné hlasy nejsou k dispozici."},
          Case{"NoEnumeratorSlovak", "", false, true, 3000, "Žiadne hlasy nie sú k dispozícii."}}) {
        SCOPED_TRACE(c.name);
        VoiceDialogSetup setup;
        setup.ini = c.ini;
        setup.language = c.language;
        setup.failEnumerator = c.failEnumerator;
        if (c.noVoices)
            setup.modes.emplace();
        VoiceDialogFixture f(setup);
        f.speech.log.clear();
        bool shown = false;
        // Should the dialog open after all, close it so the test goes on.
        QTimer::singleShot(0, f.dialog.get(), [&] {
            shown = f.dialog->isVisible();
            f.dialog->reject();
        });
        RunVoiceMenu(*f.dialog, kMainCaption);
        EXPECT_FALSE(shown);
        EXPECT_EQ(Std(f.env.messages), (std::vector<std::string>{c.message}));
        EXPECT_TRUE(f.speech.log.isEmpty());
        EXPECT_EQ(f.env.readFile("veltrabasic.ini"), c.ini); // nothing written
    }
}

TEST(VoiceMenu, TheMainWindowsMenuItemOpensTheDialogAndEscapeSaysItsCaption)
{
    VoiceDialogFixture f;
    CopyRunFiles(f.env);
    TForm1 main;
    ASSERT_TRUE(Guarded([&] { main.FormCreate(); })) << Std(f.env.messages).front();
    Windows().form1 = &main;
    // The main window's start-up made the engine objects afresh; list them again.
    FillVoiceList(*f.dialog);
    bool opened = false;
    WhenAnnounced(*f.dialog, [&] {
        opened = true;
        PressKey(*f.dialog, Qt::Key_Escape);
    });
    main.Voicesubmenu->trigger();
    Windows().form1 = nullptr;
    EXPECT_TRUE(opened);
    EXPECT_EQ(Tail(SpokenTexts(f.speech), 1),
              (std::vector<std::string>{main.windowTitle().toStdString()}));
}
} // namespace
