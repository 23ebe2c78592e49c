#pragma once
// The sounds dialog.
#include <QDialog>

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();
};
