#pragma once
// The environment dialog.
#include <QDialog>

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();
};
