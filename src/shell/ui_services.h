#pragma once
// The two ways the program talks to the user outside its windows: a modal
// message box with one OK button, and ending the process at once. Both go
// through replaceable handlers so tests can observe them instead of blocking
// or dying.
#include <QString>
#include <functional>

// Shows a modal message box with the text and one OK button.
void ShowMessage(const QString& text);

// Ends the process at once: runs the registered last-moment hooks (flush the
// speech transcript, stop audio), then leaves with _exit so that no static
// destructor runs while other threads are still alive.
[[noreturn]] void EndProcessNow(int exitCode = 0);

using MessageHandler = std::function<void(const QString&)>;
// Thrown out of EndProcessNow while a test handler is installed, so the
// "ended" code path unwinds instead of killing the test process.
struct ProcessEnded {
    int exitCode;
};
using EndProcessHandler = std::function<void(int)>;

// Test seams; an empty handler restores the real behaviour.
void SetMessageHandler(MessageHandler handler);
void SetEndProcessHandler(EndProcessHandler handler);

// Hooks run, last registered first, by EndProcessNow before _exit and by the
// orderly end of the program. Returns an id for RemoveShutdownHook.
int AddShutdownHook(std::function<void()> hook);
void RemoveShutdownHook(int id);
void RunShutdownHooks();
