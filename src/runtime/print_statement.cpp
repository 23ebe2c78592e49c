#include "runtime/print_statement.h"

#include "runtime/number_text.h"
#include "runtime/runtime_state.h"
#include "runtime/screen_writer.h"
#include "speech/speech_output.h"

#include <chrono>
#include <thread>

namespace {
PauseFunction g_pause;

void Pause(int milliseconds)
{
    if (g_pause) {
        g_pause(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool IsPausingMark(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char(';') ||
           c == QLatin1Char('?');
}

// What is spoken of a printed text: when the first visible character is a
// punctuation mark, the blanks before it go, and the run of marks that
// follows directly is replaced by one pause per mark.
QString SpokenPart(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && text[first].unicode() <= 32)
        ++first;
    if (first == text.size() || !IsPausingMark(text[first]))
        return text;
    qsizetype end = first;
    while (end < text.size() && IsPausingMark(text[end])) {
        Pause(kPunctuationPauseMs);
        ++end;
    }
    return text.sliced(end);
}
} // namespace

void PrintText(const QString& text, uint8_t mode)
{
    Runtime().printmode = mode;
    WriteAtCursor(text);
    if (text.isEmpty())
        return;
    const QString spoken = SpokenPart(text);
    if (!spoken.isEmpty())
        SpeakAndWait(spoken);
}

void PrintNumber(uint8_t mode, double value)
{
    const QString text = NumberText(value);
    Runtime().printmode = mode;
    WriteAtCursor(text);
    SpeakAndWait(text);
}

void SetPauseFunctionForTesting(PauseFunction pause) { g_pause = std::move(pause); }
