#pragma once
// The voice settings dialog: the chosen voice and its pitch, speed and volume,
// set entirely by ear. Every control speaks its label and value when it gets
// the focus; every change reaches the engine at once and its new value is
// spoken. It also carries the desktop voice (its creation sets that voice up).
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TTrackBar;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();

    // Handlers of the form and its controls.
    void FormActivate();
    void FormClose();
    void voicelistClick(QObject* sender);
    void voicelistEnter();
    void pitchtbEnter();
    void speedtbEnter();
    void volumetbEnter();
    void vyberhlasbitbtnEnter();
    void closebitbtnEnter();
    void speedtbChange();
    void pitchtbChange();
    void volumetbChange();

    // Selects a voice list row without running voicelistClick (-1: none).
    void SelectVoiceRow(int row);
    // The text of the selected voice list row; empty when none is selected.
    QString SelectedVoice() const;

    QListWidget* voicelist = nullptr;
    QLabel* voicestatic = nullptr;
    TTrackBar* pitchtb = nullptr;
    QLabel* pitchstatic = nullptr;
    TTrackBar* speedtb = nullptr;
    QLabel* speedstatic = nullptr;
    TTrackBar* volumetb = nullptr;
    QLabel* volumestatic = nullptr;
    QPushButton* vyberhlasbitbtn = nullptr;
    QPushButton* closebitbtn = nullptr;

    // The dialog has made its opening announcement since it was last shown.
    bool VoiceDialogAnnounced = false;

protected:
    bool event(QEvent* event) override;

private:
    void BuildControls();
    void WireHandlers();
    // Stops the chosen-voice engine's speech when the dialog is the active window.
    void ResetAudioWhenActive();
    void SpeakLabelAndValue(const QLabel* label, const TTrackBar* bar);
    // A track bar's change: the control tag to the engine, the value spoken.
    void ApplyChange(const char* tagName, int tagValue, int spokenValue);
};
