#include "shell/guard.h"

#include "shell/errors.h"
#include "shell/ui_services.h"

namespace {
void Report(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const VeltraError& e) {
        ShowMessage(e.message());
    } catch (const std::exception& e) {
        ShowMessage(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        ShowMessage(QStringLiteral("Unknown error"));
    }
}
} // namespace

bool Guarded(const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const ProcessEnded&) {
        throw; // a test's "process ended": let it unwind to the test
    } catch (...) {
        Report(std::current_exception());
        return false;
    }
}

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProcessEnded&) {
        // Only under a test's end handler, which has recorded the end already;
        // it must not cross Qt's event dispatch.
        return true;
    } catch (...) {
        Report(std::current_exception());
        return true;
    }
}
