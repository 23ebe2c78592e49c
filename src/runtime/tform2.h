#pragma once
// The input dialog: a line edit for the typed line, an OK button and a button
// that ends the whole program. It is shown modally by INPUT only; it has no
// Cancel: Escape does nothing, only the close box closes it without OK.
#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();

    // Empties the edit box, puts the focus there and shows the dialog
    // modally. The typed line after OK; nothing when closed otherwise.
    std::optional<QString> AskForLine();

    // Focus entering a control (not the window being re-activated).
    void inputeditEnter();
    void EnterbitbtnEnter();
    void exitprogrambtnEnter();
    void exitprogrambtnClick();
    // Runs whenever the dialog closes, however it closes.
    void FormClose();

    QLineEdit* inputedit = nullptr;
    QPushButton* Enterbitbtn = nullptr;
    QPushButton* exitprogrambtn = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ButtonEnter(QPushButton* button);
};
