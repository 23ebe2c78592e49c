#include "shell/ui_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>
#include <map>
#include <unistd.h>

namespace {
MessageHandler g_messageHandler;
EndProcessHandler g_endHandler;
std::map<int, std::function<void()>> g_hooks;
int g_nextHookId = 1;
} // namespace

void ShowMessage(const QString& text)
{
    if (g_messageHandler) {
        g_messageHandler(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

void EndProcessNow(int exitCode)
{
    if (g_endHandler) {
        g_endHandler(exitCode);
        throw ProcessEnded{exitCode};
    }
    RunShutdownHooks();
    fflush(stdout);
    fflush(stderr);
    _exit(exitCode);
}

void SetMessageHandler(MessageHandler handler) { g_messageHandler = std::move(handler); }
void SetEndProcessHandler(EndProcessHandler handler) { g_endHandler = std::move(handler); }

int AddShutdownHook(std::function<void()> hook)
{
    int id = g_nextHookId++;
    g_hooks[id] = std::move(hook);
    return id;
}

void RemoveShutdownHook(int id) { g_hooks.erase(id); }

void RunShutdownHooks()
{
    // Take the hooks out first: a hook that ends the process again must not loop.
    auto hooks = std::move(g_hooks);
    g_hooks.clear();
    for (auto it = hooks.rbegin(); it != hooks.rend(); ++it) {
        try {
            it->second();
        } catch (...) {
        }
    }
}
