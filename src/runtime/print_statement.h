#pragma once
// PRINT: writes a text or a number on the screen, then speaks it and returns
// when it has been spoken.
#include <QString>
#include <cstdint>
#include <functional>

// Mode 0 ends the line, 1 stays behind the text, 2 moves to the next tab stop.
// Leading punctuation (".", ",", ";", "?") is shown, but not spoken: each mark
// of that leading run becomes a 300 ms pause instead.
void PrintText(const QString& text, uint8_t mode);
// The number in its text form, written and spoken whole.
void PrintNumber(uint8_t mode, double value);

// How long a leading punctuation mark pauses.
constexpr int kPunctuationPauseMs = 300;
// The pause blocks the thread without processing window messages. Tests
// record the pauses instead; an empty function restores the real sleep.
using PauseFunction = std::function<void(int milliseconds)>;
void SetPauseFunctionForTesting(PauseFunction pause);
