#include "speech/tform4.h"

#include "shell/guard.h"
#include "shell/resource_localizer.h"
#include "shell/settings.h"
#include "speech/focus_enter.h"
#include "speech/speech_engines.h"
#include "speech/speech_output.h"
#include "speech/track_bar.h"
#include "speech/tts_result.h"
#include "speech/voice_selection.h"

#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
const QString kBlank = QStringLiteral(" ");

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, QWidget* buddy)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(x, y);
    label->setBuddy(buddy);
    return label;
}

TTrackBar* MakeTrackBar(QWidget* parent, const char* name, int x, int y)
{
    auto* bar = new TTrackBar(parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setGeometry(x, y, 150, 45);
    bar->setEnabled(false);
    return bar;
}

QPushButton* MakeButton(QWidget* parent, const char* name, int x, int y, int width)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, y, width, 25);
    return button;
}
} // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    BuildControls();
    WireHandlers();
}

void TForm4::BuildControls()
{
    resize(521, 388);

    voicelist = new QListWidget(this);
    voicelist->setObjectName(QStringLiteral("voicelist"));
    voicelist->setGeometry(80, 64, 121, 97);
    voicelist->setSelectionMode(QAbstractItemView::SingleSelection);

    pitchtb = MakeTrackBar(this, "pitchtb", 256, 64);
    speedtb = MakeTrackBar(this, "speedtb", 256, 121);
    volumetb = MakeTrackBar(this, "volumetb", 256, 184);

    // The voice list's label moves the focus to the list itself: the
    // pitch label, the other candidate, is disabled until a voice is chosen.
    voicestatic = MakeLabel(this, "voicestatic", 80, 48, voicelist);
    pitchstatic = MakeLabel(this, "pitchstatic", 256, 48, pitchtb);
    speedstatic = MakeLabel(this, "speedstatic", 256, 104, speedtb);
    volumestatic = MakeLabel(this, "volumestatic", 256, 168, volumetb);
    pitchstatic->setEnabled(false);
    speedstatic->setEnabled(false);
    volumestatic->setEnabled(false);

    vyberhlasbitbtn = MakeButton(this, "vyberhlasbitbtn", 80, 256, 105);
    vyberhlasbitbtn->setDefault(true);
    closebitbtn = MakeButton(this, "closebitbtn", 264, 256, 75);

    setTabOrder(voicelist, pitchtb);
    setTabOrder(pitchtb, speedtb);
    setTabOrder(speedtb, volumetb);
    setTabOrder(volumetb, vyberhlasbitbtn);
    setTabOrder(vyberhlasbitbtn, closebitbtn);
}

void TForm4::WireHandlers()
{
    connect(vyberhlasbitbtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(closebitbtn, &QPushButton::clicked, this, &QDialog::reject);
    // Every way of closing (buttons, Escape, the close box) ends in done().
    connect(this, &QDialog::finished, this, [this] { FormClose(); });

    // Rows selected by the program block the list's signals, so this runs
    // for the user's choice only (mouse or arrow keys).
    connect(voicelist, &QListWidget::currentRowChanged, this,
            [this] { Guarded([this] { voicelistClick(voicelist); }); });

    pitchtb->onChange = [this] { pitchtbChange(); };
    speedtb->onChange = [this] { speedtbChange(); };
    volumetb->onChange = [this] { volumetbChange(); };

    OnFocusEnter(voicelist, [this] { voicelistEnter(); });
    OnFocusEnter(pitchtb, [this] { pitchtbEnter(); });
    OnFocusEnter(speedtb, [this] { speedtbEnter(); });
    OnFocusEnter(volumetb, [this] { volumetbEnter(); });
    OnFocusEnter(vyberhlasbitbtn, [this] { vyberhlasbitbtnEnter(); });
    OnFocusEnter(closebitbtn, [this] { closebitbtnEnter(); });
}

void TForm4::FormCreate()
{
    // Connect the desktop voice and create the notification sink first.
    // Should that fail, the error is shown and the dialog is set up all the
    // same: the chosen-voice engines do not need the desktop voice.
    Guarded([] { SetUpVoiceDialogSpeech(); });

    setWindowTitle(Str(11));
    voicestatic->setText(Str(12));
    pitchstatic->setText(Str(13));
    speedstatic->setText(Str(14));
    volumestatic->setText(Str(15));
    vyberhlasbitbtn->setText(Str(16));
    closebitbtn->setText(Str(17));
    for (QLabel* label : {voicestatic, pitchstatic, speedstatic, volumestatic})
        label->adjustSize();

    Settings().voiceallowed =
        ConfigFile().ReadBool(QStringLiteral("voice"), QStringLiteral("voiceallowed"), true);
    if (Settings().voiceallowed)
        FillVoiceList(*this);
}

bool TForm4::event(QEvent* e)
{
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate)
        Guarded([this] { FormActivate(); });
    return handled;
}

void TForm4::FormActivate()
{
    SpeakAndWait(Str(11));
    SpeakAndWait(voicestatic->text() + kBlank + SelectedVoice());
    VoiceDialogAnnounced = true;
}

void TForm4::FormClose() { VoiceDialogAnnounced = false; }

void TForm4::SelectVoiceRow(int row)
{
    const QSignalBlocker quiet(voicelist);
    voicelist->setCurrentRow(row);
}

QString TForm4::SelectedVoice() const
{
    const QListWidgetItem* item = voicelist->currentItem();
    return item ? item->text() : QString();
}

void TForm4::ResetAudioWhenActive()
{
    if (!isActiveWindow())
        return;
    if (std::shared_ptr<ITTSCentralA> engine = SpeechEngines().engine)
        CheckResult(engine->AudioReset());
}

void TForm4::voicelistClick(QObject*)
{
    SpeechEngineState& s = SpeechEngines();
    if (!s.enumerator)
        return;
    ResetAudioWhenActive();
    const int row = voicelist->currentRow();
    if (row < 0)
        return;
    std::optional<TTSMODEINFOA> mode = ModeAt(*s.enumerator, row);
    // A mode the enumerator no longer lists keeps the voice taken before.
    if (mode)
        s.selectedMode = std::move(mode);
    if (isActiveWindow())
        SpeakAndWait(SelectedVoice());
}

void TForm4::voicelistEnter()
{
    if (!VoiceDialogAnnounced)
        return;
    ResetAudioWhenActive();
    SpeakAndWait(voicestatic->text() + kBlank + SelectedVoice());
}

void TForm4::SpeakLabelAndValue(const QLabel* label, const TTrackBar* bar)
{
    ResetAudioWhenActive();
    SpeakAndWait(label->text() + kBlank + QString::number(bar->Position()));
}

void TForm4::pitchtbEnter() { SpeakLabelAndValue(pitchstatic, pitchtb); }
void TForm4::speedtbEnter() { SpeakLabelAndValue(speedstatic, speedtb); }
void TForm4::volumetbEnter() { SpeakLabelAndValue(volumestatic, volumetb); }

void TForm4::vyberhlasbitbtnEnter()
{
    ResetAudioWhenActive();
    SpeakAndWait(vyberhlasbitbtn->text());
}

void TForm4::closebitbtnEnter()
{
    ResetAudioWhenActive();
    SpeakAndWait(closebitbtn->text());
}

void TForm4::ApplyChange(const char* tagName, int tagValue, int spokenValue)
{
    std::shared_ptr<ITTSCentralA> engine = SpeechEngines().engine;
    if (!engine)
        return;
    CheckResult(engine->AudioReset());
    const QByteArray tag = QByteArrayLiteral("\\") + tagName + '=' + QByteArray::number(tagValue) + '\\';
    CheckResult(engine->Inject(tag));
    if (isActiveWindow())
        SpeakAndWait(QString::number(spokenValue));
}

void TForm4::speedtbChange() { ApplyChange("Spd", speedtb->Position(), speedtb->Position()); }
void TForm4::pitchtbChange() { ApplyChange("Pit", pitchtb->Position(), pitchtb->Position()); }

void TForm4::volumetbChange()
{
    ApplyChange("Vol", volumetb->Position() * 256, volumetb->Position());
}
