#include "shell/tform1.h"

#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/key_echo.h"
#include "runtime/run_cycle.h"
#include "runtime/screen.h"
#include "shell/guard.h"
#include "shell/ini_file.h"
#include "shell/ram_image.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "shell/ui_services.h"
#include "speech/audio_mixer.h"
#include "speech/audio_output.h"
#include "speech/mixer_wave_list.h"
#include "speech/sound_cues.h"
#include "speech/sound_device.h"
#include "speech/speech_output.h"
#include "speech/voice_menu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

QString MainWindowTitle(const QString& executablePath)
{
    QString name = QFileInfo(executablePath).fileName();
    qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name = name.left(dot);
    return name + QStringLiteral(" - ") + Str(1);
}

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));

    printmemo = new QPlainTextEdit(this);
    printmemo->setObjectName(QStringLiteral("printmemo"));
    printmemo->setReadOnly(true);
    printmemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    printmemo->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    printmemo->setFont(font);
    // Wide enough for a full 80-column row.
    QFontMetrics metrics(font);
    int width = metrics.horizontalAdvance(QString(80, QLatin1Char('M'))) +
                2 * printmemo->frameWidth() + 2 * static_cast<int>(printmemo->document()->documentMargin()) +
                printmemo->verticalScrollBar()->sizeHint().width();
    printmemo->setMinimumWidth(width);
    setCentralWidget(printmemo);
    // Open large enough to show the whole 24-row screen to a sighted helper.
    const int height = 24 * metrics.lineSpacing() + 2 * printmemo->frameWidth() +
                       2 * static_cast<int>(printmemo->document()->documentMargin()) +
                       printmemo->horizontalScrollBar()->sizeHint().height() +
                       menuBar()->sizeHint().height();
    resize(std::max(500, width), std::max(350, height));

    Timer.setParent(this);
    Timer.stop();
    connect(&Timer, &QTimer::timeout, this, [this] { TimerTimer(); });

    BuildMenu();
}

TForm1::~TForm1()
{
    // The screen must not call into a window that is gone.
    Screen().SetView({});
    ReleaseSoundObjects();
}

void TForm1::BuildMenu()
{
    // A check item toggles itself before "triggered" arrives; its handler
    // decides the new state from the old one, so Qt's toggle is undone first.
    auto item = [this](QMenu* menu, const char* name, QKeySequence shortcut, auto handler,
                       bool checkable = false) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, action, handler](bool checked) {
            if (action->isCheckable())
                action->setChecked(!checked);
            (this->*handler)();
        });
        return action;
    };
    Programmenu = menuBar()->addMenu(QString());
    Programmenu->setObjectName(QStringLiteral("Programmenu"));
    Startsubmenu = item(Programmenu, "Startsubmenu", QKeySequence(Qt::CTRL | Qt::Key_S),
                        &TForm1::StartsubmenuClick);
    exitsubmenu = item(Programmenu, "exitsubmenu", QKeySequence(), &TForm1::exitsubmenuClick);

    settingsmenu = menuBar()->addMenu(QString());
    settingsmenu->setObjectName(QStringLiteral("settingsmenu"));
    braillekeyboarditem = item(settingsmenu, "braillekeyboarditem",
                               QKeySequence(Qt::CTRL | Qt::Key_B),
                               &TForm1::braillekeyboarditemClick, true);
    soundssubmenu = item(settingsmenu, "soundssubmenu", QKeySequence(Qt::CTRL | Qt::Key_D),
                         &TForm1::soundssubmenuClick);
    Voicesubmenu = item(settingsmenu, "Voicesubmenu", QKeySequence(Qt::CTRL | Qt::Key_H),
                        &TForm1::VoicesubmenuClick);
    usesapi5submenu = item(settingsmenu, "usesapi5submenu", QKeySequence(Qt::CTRL | Qt::Key_P),
                           &TForm1::usesapi5submenuClick, true);
    environmentsubmenu = item(settingsmenu, "environmentsubmenu",
                              QKeySequence(Qt::CTRL | Qt::Key_E), &TForm1::environmentsubmenuClick);

    helpmenu = menuBar()->addMenu(QString());
    helpmenu->setObjectName(QStringLiteral("helpmenu"));
    aboutsubmenu = item(helpmenu, "aboutsubmenu", QKeySequence(), &TForm1::aboutsubmenuClick);
}

void TForm1::SetCaptions()
{
    const QString more = QStringLiteral("...");
    Programmenu->setTitle(Str(2));
    Startsubmenu->setText(Str(3));
    exitsubmenu->setText(Str(33));
    settingsmenu->setTitle(Str(4));
    Voicesubmenu->setText(Str(38) + more);
    usesapi5submenu->setText(Str(27));
    environmentsubmenu->setText(Str(5) + more);
    soundssubmenu->setText(Str(20) + more);
    braillekeyboarditem->setText(Str(46));
    helpmenu->setTitle(Str(34));
    aboutsubmenu->setText(Str(35));
}

void TForm1::ShowScreen()
{
    const QStringList& rows = Screen().rows();
    printmemo->setPlainText(rows.join(QLatin1Char('\n')));
    // Keep the newest output in view: the caret goes to the end of the last
    // row that holds anything (setPlainText would leave the view at the top).
    qsizetype last = rows.size() - 1;
    while (last > 0 && rows[last].isEmpty())
        --last;
    if (last < 0)
        return;
    QTextCursor caret(printmemo->document()->findBlockByNumber(static_cast<int>(last)));
    caret.movePosition(QTextCursor::EndOfBlock);
    printmemo->setTextCursor(caret);
    printmemo->ensureCursorVisible();
}

void TForm1::FormCreate()
{
    ReadLanguage();
    setWindowTitle(MainWindowTitle(QCoreApplication::applicationFilePath()));
    SetCaptions();
    Screen().SetView([this] { ShowScreen(); });
    Screen().Prepare();

    ResetSettingsToDefaults();
    Speech().SpeechReady = false;
    Settings().sapi5 = false;
    ResetProgramStarted();

    InitSpeechEngine();

    ReadSettings(VoiceEnumeratorExists());
    usesapi5submenu->setChecked(Settings().sapi5);
    braillekeyboarditem->setChecked(Settings().braillekeys);

    Settings().sapi5 = usesapi5submenu->isChecked();
    Speech().SpeechReady = usesapi5submenu->isChecked();

    Voicesubmenu->setEnabled(Settings().voiceallowed);
    if (usesapi5submenu->isChecked())
        Voicesubmenu->setEnabled(false);

    ClearRamImage();
    LoadRamImage();

    OpenAudioOutput();
    sounddevice = &AudioOutput();
    wavelist = std::make_unique<MixerWaveList>(Audio());
    SoundCues().waves = wavelist.get();
    SoundCues().timer = &Timer;
    LoadSoundBank();

    BrailleTable().brailletablefile = QStringLiteral("czech.vbt");
    LoadBrailleTable();
    Braille().brlprefix.clear();
    KeyEcho().keyechofile = Str(24) + QStringLiteral(".eky");
    LoadKeyEcho();
}

void TForm1::StartsubmenuClick() { RunStartCommand(*this); }

void TForm1::ReleaseSoundObjects() noexcept
{
    Timer.stop();
    if (SoundCues().timer == &Timer) {
        SoundCues().waves = nullptr;
        SoundCues().timer = nullptr;
    }
    // An error while releasing is ignored: the program is ending anyway.
    try {
        wavelist.reset();
        if (sounddevice) {
            sounddevice = nullptr;
            CloseAudioOutput();
        }
    } catch (...) {
    }
}

void TForm1::PlayRisingCue()
{
    PlayNotes({400}, 50, 3);
    PlayNotes({600}, 50, 3);
}

void TForm1::PlayFallingCue()
{
    PlayNotes({600}, 50, 3);
    PlayNotes({400}, 50, 3);
}

bool TForm1::FormClose()
{
    if (!Guarded([] { SaveRamImage(); }))
        return false;
    ReleaseSoundObjects();
    return true;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    // Closing while the built-in program runs (its Start item is disabled)
    // must not leave a hidden process speaking on inside the run's waits.
    if (!Startsubmenu->isEnabled())
        EndProcessNow();
    event->accept();
    QCoreApplication::quit();
}

void TForm1::exitsubmenuClick()
{
    SaveRamImage();
    if (Startsubmenu->isEnabled()) {
        close();
        return;
    }
    ReleaseSoundObjects();
    EndProcessNow();
}

void TForm1::braillekeyboarditemClick()
{
    if (braillekeyboarditem->isChecked()) {
        braillekeyboarditem->setChecked(false);
        PlayFallingCue();
    } else {
        PlayRisingCue();
        braillekeyboarditem->setChecked(true);
    }
    Settings().braillekeys = braillekeyboarditem->isChecked();
    SaveSettings();
}

void TForm1::usesapi5submenuClick()
{
    usesapi5submenu->setChecked(!usesapi5submenu->isChecked());
    const bool on = usesapi5submenu->isChecked();
    Settings().sapi5 = on;
    Speech().SpeechReady = on;
    Voicesubmenu->setEnabled(!on);
    ConfigFile().WriteBool(QStringLiteral("Voice"), QStringLiteral("SAPI5"), on);
    if (on)
        PlayRisingCue();
    else
        PlayFallingCue();
}

void TForm1::VoicesubmenuClick() { RunVoiceMenu(); }
void TForm1::soundssubmenuClick() {}
void TForm1::environmentsubmenuClick() {}
void TForm1::aboutsubmenuClick() {}

void TForm1::TimerTimer()
{
    SoundCues().NotesPlaying = false;
    Timer.stop();
}
