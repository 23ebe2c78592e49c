#pragma once
// The About box.
#include <QDialog>

class TAboutbox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutbox(QWidget* parent = nullptr);
    // Runs once at start-up, right after construction, inside the error guard.
    void FormCreate();
};
