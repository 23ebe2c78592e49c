#pragma once
// The main window: the emulated screen, the menu bar and the timer of the
// sound cues. Closing it ends the program.
#include <QMainWindow>
#include <QTimer>
#include <memory>

class QAction;
class QMenu;
class QPlainTextEdit;
class SoundDevice;
class WaveList;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The start-up sequence, run once right after construction.
    void FormCreate();

    // Menu commands.
    void StartsubmenuClick();
    void exitsubmenuClick();
    void braillekeyboarditemClick();
    void usesapi5submenuClick();
    void VoicesubmenuClick();
    void soundssubmenuClick();
    void environmentsubmenuClick();
    void aboutsubmenuClick();
    void TimerTimer();

    // Shows the screen model's rows in printmemo.
    void ShowScreen();

    QPlainTextEdit* printmemo = nullptr;
    QMenu* Programmenu = nullptr;
    QAction* Startsubmenu = nullptr;
    QAction* exitsubmenu = nullptr;
    QMenu* settingsmenu = nullptr;
    QAction* braillekeyboarditem = nullptr;
    QAction* soundssubmenu = nullptr;
    QAction* Voicesubmenu = nullptr;
    QAction* usesapi5submenu = nullptr;
    QAction* environmentsubmenu = nullptr;
    QMenu* helpmenu = nullptr;
    QAction* aboutsubmenu = nullptr;
    QTimer Timer;
    // The program's one audio device (shared with speech; opened by
    // FormCreate, closed by ReleaseSoundObjects) and the named waves of the
    // sound cues.
    SoundDevice* sounddevice = nullptr;
    std::unique_ptr<WaveList> wavelist;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenu();
    void SetCaptions();
    // Saves the RAM image and releases what start-up created; false when the
    // save failed (the error has been shown and the window stays open).
    bool FormClose();
    // Stops the cue timer and releases the wave list and the audio device;
    // errors while releasing are ignored.
    void ReleaseSoundObjects() noexcept;
    void PlayRisingCue();
    void PlayFallingCue();
};

// "<executable name up to its first dot> - <localized title>".
QString MainWindowTitle(const QString& executablePath);
