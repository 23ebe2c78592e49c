#include "speech/gui_post.h"

#include <QCoreApplication>
#include <QMetaObject>

void PostToGuiThread(std::function<void()> fn) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return;
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}
