#pragma once
// The runtime's process-wide variables, kept together so a test can reset them.
#include "runtime/tscrcursor.h"

#include <QString>
#include <cstdint>

struct RuntimeState {
    // The one screen cursor, at (0, 0) when the program starts.
    tscrcursor scrcursor;
    // What WriteAtCursor does after the text: 0 ends the line, 2 moves to the
    // next tab stop, anything else stays behind the text.
    uint8_t printmode = 0;
    // The not yet used rest of the last line typed for INPUT.
    QString pendinginput;
    // The focus has entered a control of the input dialog since it last closed.
    bool dialogentered = false;
};

RuntimeState& Runtime();
// Back to the values the program starts with.
void ResetRuntimeState();
