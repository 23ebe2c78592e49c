#pragma once
// The one guard around every event handler and menu command: an error ends
// the handler, its message is shown in a modal box, and the program goes on.
#include <QApplication>
#include <functional>

// Runs body; a VeltraError or other exception is caught and shown.
// Returns false when the body ended with an error.
bool Guarded(const std::function<void()>& body);

// The application object: catches anything thrown out of an event handler,
// so no exception ever crosses Qt's event dispatch.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
