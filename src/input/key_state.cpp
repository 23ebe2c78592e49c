#include "input/key_state.h"

#include <QApplication>
#include <QKeyEvent>

KeyStateTracker& KeyStateTracker::instance()
{
    static KeyStateTracker tracker;
    return tracker;
}

void KeyStateTracker::install()
{
    if (m_installed || !qApp)
        return;
    qApp->installEventFilter(this);
    m_installed = true;
}

bool KeyStateTracker::isDown(quint32 scanCode, int fallbackQtKey) const
{
    return m_scanCodes.contains(scanCode) || m_qtKeys.contains(fallbackQtKey);
}

void KeyStateTracker::clear()
{
    m_scanCodes.clear();
    m_qtKeys.clear();
}

void KeyStateTracker::record(const QKeyEvent& event)
{
    if (event.isAutoRepeat())
        return; // X sends release+press pairs while a key is held
    const bool down = event.type() == QEvent::KeyPress;
    if (event.nativeScanCode() != 0) {
        if (down)
            m_scanCodes.insert(event.nativeScanCode());
        else
            m_scanCodes.remove(event.nativeScanCode());
    } else {
        if (down)
            m_qtKeys.insert(event.key());
        else
            m_qtKeys.remove(event.key());
    }
}

bool KeyStateTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // A key event reaches the filter once per receiver (window, focus
        // widget, parents); recording is idempotent, so that does no harm.
        record(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::ApplicationDeactivate:
        clear();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
