// The voice dialog as created at start-up: layout, captions, tab order, the
// voice allowed or not, a desktop voice that cannot be made; and its handlers
// called directly while it is hidden.
#include "shell/app_windows.h"
#include "shell/settings.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/track_bar.h"
#include "speech/voice_selection.h"
#include "testsupport/voice_dialog_fixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {
struct ControlCase {
    const char* name;
    QRect geometry; // width and height 0: the size is the text's
    bool enabled;
    const char* english;
    const char* czech;
};

TEST(VoiceDialogLayout, ControlsSitWhereDesignedWithTheirCaptions)
{
    const ControlCase cases[] = {
        {"voicelist", {80, 64, 121, 97}, true, nullptr, nullptr},
        {"voicestatic", {80, 48, 0, 0}, true, "&Voices", "&Hlasy"},
        {"pitchtb", {256, 64, 150, 45}, false, nullptr, nullptr},
        {"pitchstatic", {256, 48, 0, 0}, false, "&Pitch", "&Výška"},
        {"speedtb", {256, 121, 150, 45}, false, nullptr, nullptr},
        {"speedstatic", {256, 104, 0, 0}, false, "&Speed", "&Rychlost"},
        {"volumetb", {256, 184, 150, 45}, false, nullptr, nullptr},
        {"volumestatic", {256, 168, 0, 0}, false, "Vo&lume", "Hla&sitost"},
        {"vyberhlasbitbtn", {80, 256, 105, 25}, true, "&Choose voice", "Zvolit hl&as"},
        {"closebitbtn", {264, 256, 75, 25}, true, "&Close", "Za&vřít"},
    };
    for (int language : {2000, 1000}) {
        VoiceDialogSetup setup;
        setup.language = language;
        VoiceDialogFixture f(setup);
        EXPECT_EQ(f.dialog->windowTitle(),
                  language == 2000 ? QStringLiteral("Voice settings") : QStringLiteral("Nastavení hlasu"));
        EXPECT_EQ(f.dialog->size(), QSize(521, 388));
        for (const ControlCase& c : cases) {
            SCOPED_TRACE(c.name);
            auto* w = f.dialog->findChild<QWidget*>(QString::fromLatin1(c.name));
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->pos(), c.geometry.topLeft());
            if (c.geometry.width() > 0) {
                EXPECT_EQ(w->size(), c.geometry.size());
            }
            EXPECT_EQ(w->isEnabled(), c.enabled);
            if (!c.english)
                continue;
            const QString expected = QString::fromUtf8(language == 2000 ? c.english : c.czech);
            if (auto* label = qobject_cast<QLabel*>(w))
                EXPECT_EQ(label->text(), expected);
            else
                EXPECT_EQ(static_cast<QPushButton*>(w)->text(), expected);
        }
    }
}

TEST(VoiceDialogLayout, TabOrderAndAccelerators)
{
    VoiceDialogFixture f;
    TForm4& d = *f.dialog;
    SelectEngine(d); // enables the track bars, so that Tab reaches them
    std::vector<std::string> order;
    QWidget* w = d.voicelist;
    do {
        order.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
            w = w->nextInFocusChain();
    } while (w != d.voicelist);
    EXPECT_EQ(order, (std::vector<std::string>{"voicelist", "pitchtb", "speedtb", "volumetb",
                                               "vyberhlasbitbtn", "closebitbtn"}));
    EXPECT_EQ(d.voicestatic->buddy(), d.voicelist);
    EXPECT_EQ(d.pitchstatic->buddy(), d.pitchtb);
    EXPECT_EQ(d.speedstatic->buddy(), d.speedtb);
    EXPECT_EQ(d.volumestatic->buddy(), d.volumetb);
    EXPECT_TRUE(d.vyberhlasbitbtn->isDefault());
    EXPECT_FALSE(d.closebitbtn->isDefault());
}

TEST(VoiceDialogCreation, ReadsWhetherTheVoiceIsAllowedAndListsVoicesOnlyThen)
{
    struct Case {
        const char* name;
        QByteArray ini;
        bool allowed;
        int rows;
    };
    for (const Case& c : {Case{"NoFile", "", true, 3},
                          Case{"Allowed", "[voice]\r\nvoiceallowed=1\r\n", true, 3},
                          Case{"AnyNonZeroIsTrue", "[VOICE]\r\nVoiceAllowed=7\r\n", true, 3},
                          Case{"NotAllowed", "[Voice]\r\nvoiceallowed=0\r\n", false, 0}}) {
        SCOPED_TRACE(c.name);
        VoiceDialogSetup setup;
        setup.ini = c.ini;
        VoiceDialogFixture f(setup);
        EXPECT_EQ(Settings().voiceallowed, c.allowed);
        EXPECT_EQ(f.dialog->voicelist->count(), c.rows);
        EXPECT_EQ(SpeechEngines().selectedMode.has_value(), c.rows > 0);
    }
}

TEST(VoiceDialogCreation, WithoutADesktopVoiceTheRestIsStillSetUp)
{
    VoiceDialogSetup setup;
    setup.failVoice = true;
    VoiceDialogFixture f(setup);
    EXPECT_EQ(SpeechEngines().voice5, nullptr);
    EXPECT_NE(SpeechEngines().sink, nullptr);
    EXPECT_EQ(f.dialog->windowTitle(), QStringLiteral("Voice settings"));
    EXPECT_EQ(f.dialog->voicestatic->text(), QStringLiteral("&Voices"));
    EXPECT_EQ(f.dialog->voicelist->count(), 3);
    EXPECT_TRUE(f.env.messages.isEmpty());
    // The chosen voice works without it.
    SelectEngine(*f.dialog);
    SpeakAndWait(QStringLiteral("ahoj"));
    EXPECT_EQ(SpokenTexts(f.speech), (std::vector<std::string>{"ahoj"}));
}

// Handlers run while the dialog is hidden (by the voice selection, before
// the dialog opens or after it closed): the engine gets its tags and nothing
// is said.
TEST(VoiceDialogHandlers, TrackBarChangesWhileHiddenOnlyInjectTags)
{
    struct Case {
        const char* name;
        TTrackBar* TForm4::*bar;
        int position;
        const char* tag;
    };
    for (const Case& c : {Case{"Speed", &TForm4::speedtb, 222, "\\Spd=222\\"},
                          Case{"Pitch", &TForm4::pitchtb, 77, "\\Pit=77\\"},
                          Case{"Volume", &TForm4::volumetb, 200, "\\Vol=51200\\"}}) {
        SCOPED_TRACE(c.name);
        VoiceDialogFixture f;
        SelectEngine(*f.dialog);
        f.speech.log.clear();
        ((*f.dialog).*c.bar)->SetPosition(c.position);
        EXPECT_EQ(Std(f.speech.log),
                  (std::vector<std::string>{"AudioReset", std::string("Inject \"") + c.tag + "\""}));
    }
}

TEST(VoiceDialogHandlers, TrackBarChangesWithoutAnEngineDoNothing)
{
    VoiceDialogFixture f;
    f.speech.log.clear();
    f.dialog->speedtb->SetPosition(7);
    f.dialog->volumetb->SetPosition(3);
    EXPECT_TRUE(f.speech.log.isEmpty());
}

TEST(VoiceDialogHandlers, FocusHandlersWhileHiddenSpeakWithoutStoppingTheEngine)
{
    VoiceDialogFixture f;
    SelectEngine(*f.dialog);
    TForm4& d = *f.dialog;
    f.speech.log.clear();
    d.voicelistEnter(); // before the opening announcement: silent
    d.pitchtbEnter();
    d.speedtbEnter();
    d.volumetbEnter();
    d.vyberhlasbitbtnEnter();
    d.closebitbtnEnter();
    d.VoiceDialogAnnounced = true;
    d.voicelistEnter();
    EXPECT_EQ(SpokenTexts(f.speech),
              (std::vector<std::string>{"&Pitch 100", "&Speed 150", "Vo&lume 255", "&Choose voice",
                                        "&Close", "&Voices Jakub"}));
    EXPECT_TRUE(f.speech.Calls("AudioReset").isEmpty());
}

TEST(VoiceDialogHandlers, FormCloseForgetsTheAnnouncementHowever)
{
    VoiceDialogFixture f;
    for (int result : {QDialog::Accepted, QDialog::Rejected}) {
        f.dialog->VoiceDialogAnnounced = true;
        f.dialog->done(result);
        EXPECT_FALSE(f.dialog->VoiceDialogAnnounced);
    }
}
} // namespace
