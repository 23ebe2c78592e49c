#pragma once
// Runs a handler when a control receives the focus from another control of
// its window (Tab, a mouse click, an accelerator, the program). The focus a
// control gets back when its window is re-activated (after a message box, a
// switch between applications) is not an enter and runs nothing.
#include <functional>

class QWidget;

// The handler runs inside the error guard, before the control itself sees the
// focus event. The filter lives as long as the control.
void OnFocusEnter(QWidget* control, std::function<void()> handler);
