#include "runtime/tform2.h"

#include "input/braille_state.h"
#include "runtime/runtime_state.h"
#include "shell/guard.h"
#include "shell/ram_image.h"
#include "shell/resource_localizer.h"
#include "shell/ui_services.h"
#include "speech/focus_enter.h"
#include "speech/speech_output.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kCaptionText = 23;
constexpr int kOkText = 7;
constexpr int kEmptyLineText = 29;
constexpr int kExitText = 45;
} // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(379, 71);

    inputedit = new QLineEdit(this);
    inputedit->setObjectName(QStringLiteral("inputedit"));
    Enterbitbtn = new QPushButton(this);
    Enterbitbtn->setObjectName(QStringLiteral("Enterbitbtn"));
    Enterbitbtn->setDefault(true);
    exitprogrambtn = new QPushButton(this);
    exitprogrambtn->setObjectName(QStringLiteral("exitprogrambtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Enterbitbtn);
    buttons->addWidget(exitprogrambtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inputedit);
    layout->addLayout(buttons);
    setTabOrder(inputedit, Enterbitbtn);
    setTabOrder(Enterbitbtn, exitprogrambtn);

    // Focus moving between the controls, not the window being re-activated.
    OnFocusEnter(inputedit, [this] { inputeditEnter(); });
    OnFocusEnter(Enterbitbtn, [this] { EnterbitbtnEnter(); });
    OnFocusEnter(exitprogrambtn, [this] { exitprogrambtnEnter(); });
    connect(Enterbitbtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(exitprogrambtn, &QPushButton::clicked, this, [this] { exitprogrambtnClick(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

void TForm2::FormCreate()
{
    setWindowTitle(Str(kCaptionText));
    Enterbitbtn->setText(Str(kOkText));
    exitprogrambtn->setText(Str(kExitText));
    Braille().brlsavedprefix.clear();
}

std::optional<QString> TForm2::AskForLine()
{
    inputedit->clear();
    inputedit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return inputedit->text();
}

void TForm2::inputeditEnter()
{
    Braille().brlprefix.clear();
    // The focus arriving as the dialog opens says nothing.
    if (!Runtime().dialogentered) {
        Runtime().dialogentered = true;
        return;
    }
    StopSpeech();
    const QString text = inputedit->text();
    SpeakAndWait(text.isEmpty() ? Str(kEmptyLineText) : text);
}

void TForm2::ButtonEnter(QPushButton* button)
{
    StopSpeech();
    Runtime().dialogentered = true;
    // The caption as it stands, "&" included.
    SpeakAndWait(button->text());
}

void TForm2::EnterbitbtnEnter() { ButtonEnter(Enterbitbtn); }

void TForm2::exitprogrambtnEnter() { ButtonEnter(exitprogrambtn); }

void TForm2::exitprogrambtnClick()
{
    // A failed save is reported and the program goes on.
    Guarded([] {
        SaveRamImage();
        EndProcessNow();
    });
}

void TForm2::FormClose()
{
    Runtime().dialogentered = false;
    Braille().brlprefix.clear();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // There is no Cancel: Escape (often pressed to silence speech) must not
    // close the dialog and lose the typed line.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Without this the dialog gets no keyboard under some window managers.
    activateWindow();
}
