#pragma once
// The screen review window.
#include <QDialog>

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();
};
