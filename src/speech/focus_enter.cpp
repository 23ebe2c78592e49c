#include "speech/focus_enter.h"

#include "shell/guard.h"

#include <QEvent>
#include <QFocusEvent>
#include <QWidget>

namespace {
class FocusEnterFilter : public QObject {
public:
    FocusEnterFilter(QObject* parent, std::function<void()> handler)
        : QObject(parent), m_handler(std::move(handler))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            Guarded(m_handler);
        return false;
    }

private:
    std::function<void()> m_handler;
};
} // namespace

void OnFocusEnter(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(new FocusEnterFilter(control, std::move(handler)));
}
