#pragma once
// The per-event key state: which keys are down as of the key event being
// handled. An application-wide event filter sees every key event before the
// focused control does and records presses and releases by physical scan
// code (or by Qt key code where the scan code is 0, as in offscreen tests).
#include <QObject>
#include <QSet>

class QKeyEvent;

class KeyStateTracker : public QObject {
public:
    static KeyStateTracker& instance();

    // Installs the filter on the application (idempotent).
    void install();
    // Whether the key with this X keycode (scan code) is down; where events
    // carry no scan code, whether the key with the fallback Qt key is down.
    bool isDown(quint32 scanCode, int fallbackQtKey) const;
    void clear();

    // Feeds one event by hand (tests and the filter use it).
    void record(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QSet<quint32> m_scanCodes;
    QSet<int> m_qtKeys;
    bool m_installed = false;
};

// X keycodes (evdev + 8) of the keys that carry these letters on a US layout.
namespace scancode {
constexpr quint32 F = 41, D = 40, S = 39, J = 44, K = 45, L = 46, Space = 65;
}
