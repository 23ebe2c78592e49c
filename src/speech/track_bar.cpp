#include "speech/track_bar.h"

#include "shell/guard.h"

#include <QKeyEvent>

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setRange(0, 10);
    setValue(0);
    setSingleStep(1);
    setPageStep(2);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, [this] { Changed(); });
}

void TTrackBar::keyPressEvent(QKeyEvent* event)
{
    // Qt raises a horizontal bar's value on Up and PageUp; the desktop track
    // bar lowers it, as Left does. Left, Right, Home and End stay Qt's.
    if (orientation() == Qt::Horizontal &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        SliderAction action = SliderNoAction;
        switch (event->key()) {
        case Qt::Key_Up: action = SliderSingleStepSub; break;
        case Qt::Key_Down: action = SliderSingleStepAdd; break;
        case Qt::Key_PageUp: action = SliderPageStepSub; break;
        case Qt::Key_PageDown: action = SliderPageStepAdd; break;
        default: break;
        }
        if (action != SliderNoAction) {
            triggerAction(action);
            event->accept();
            return;
        }
    }
    QSlider::keyPressEvent(event);
}

template <typename F> void TTrackBar::FromCode(F change)
{
    ++m_codeChanges;
    m_error = nullptr;
    change();
    --m_codeChanges;
    if (std::exception_ptr error = std::exchange(m_error, nullptr))
        std::rethrow_exception(error);
}

void TTrackBar::Changed()
{
    if (!onChange)
        return;
    if (m_codeChanges == 0) {
        Guarded(onChange);
        return;
    }
    // Keep the error until Qt's signal emission is over; no exception may
    // unwind through Qt's own frames.
    try {
        onChange();
    } catch (...) {
        m_error = std::current_exception();
    }
}

void TTrackBar::SetMax(int value)
{
    if (value < minimum() || value == maximum())
        return;
    FromCode([&] { setMaximum(value); });
}

void TTrackBar::SetMin(int value)
{
    if (value > maximum() || value == minimum())
        return;
    FromCode([&] { setMinimum(value); });
}

void TTrackBar::SetPosition(int value)
{
    FromCode([&] { setValue(value); });
}

void TTrackBar::SetFrequency(int ticks) { setTickInterval(ticks); }
