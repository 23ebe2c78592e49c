#pragma once
// A track bar as the voice dialog expects it: range 0 to 10, page step 2,
// position 0 when created; on a horizontal bar Up and PageUp lower the value
// (Down and PageDown raise it), as on the desktop track bars the program was
// designed for.
//
// The program changes it only through SetMax, SetMin and SetPosition, which
// follow these rules: a new maximum below the current minimum, or a new
// minimum above the current maximum, is ignored; the position is clamped to
// the range; every real change of the position, by the user or by the
// program, runs onChange once; setting the present value runs nothing.
//
// An error thrown by onChange during a change made by the program is raised
// out of the call that made it (so it ends the operation that moved the bar);
// during a change made by the user it is shown, and the program goes on.
#include <QSlider>

#include <exception>
#include <functional>

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);

    void SetMax(int value);
    void SetMin(int value);
    void SetPosition(int value);
    // Distance between tick marks.
    void SetFrequency(int ticks);
    int Position() const { return value(); }

    std::function<void()> onChange;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Changed();
    template <typename F> void FromCode(F change);

    int m_codeChanges = 0;
    std::exception_ptr m_error;
};
