#pragma once
// A clean runtime for one test: a temporary directory, the Czech texts, an
// empty prepared screen at cursor (0, 0), the scripted desktop voice, the
// punctuation pauses and the input dialog's showings recorded in the same
// log as the speech, and the dialog answered from a script of lines.
#include "runtime/decimal_separator.h"
#include "runtime/input_statement.h"
#include "runtime/print_statement.h"
#include "runtime/rnd.h"
#include "runtime/runtime_state.h"
#include "runtime/screen.h"
#include "shell/settings.h"
#include "speech/speech_output.h"
#include "testsupport/qstring_printer.h"
#include "testsupport/scripted_speech.h"
#include "testsupport/test_environment.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <stdexcept>

// A line typed and confirmed with OK, or the dialog closed by its close box.
struct Answer {
    std::optional<QString> line;
};
inline Answer Typed(const char16_t* text) { return {QString::fromUtf16(text)}; }
inline Answer Closed() { return {std::nullopt}; }

// The input dialog ran out of scripted answers: ends the program under test.
struct NoMoreAnswers : std::runtime_error {
    NoMoreAnswers() : std::runtime_error("the test has no more answers") {}
};

class RuntimeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetRuntimeState();
        ResetRnd();
        Screen().SetView({});
        Screen().Prepare();
        InitSpeechEngine();
        SetUpVoiceDialogSpeech();
        Settings().sapi5 = true;
        Speech().SpeechReady = true;
        SetDecimalSeparatorForTesting(QStringLiteral(","));
        SetPauseFunctionForTesting(
            [this](int ms) { script.log << QStringLiteral("pause %1").arg(ms); });
        SetInputDialogAnswererForTesting([this] { return NextAnswer(); });
        script.log.clear();
    }

    void TearDown() override
    {
        SetInputDialogAnswererForTesting({});
        SetPauseFunctionForTesting({});
        SetDecimalSeparatorForTesting(QString());
        ResetRnd();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

    std::optional<QString> NextAnswer()
    {
        script.log << QStringLiteral("INPUT");
        if (answers.empty())
            throw NoMoreAnswers();
        Answer next = answers.front();
        answers.pop_front();
        return next.line;
    }

    // What the user heard and did, in order: spoken texts ("say <text>"), speech
    // stops ("stop"), punctuation pauses ("pause 300") and showings of the
    // input dialog ("INPUT").
    QStringList Heard() const
    {
        QStringList out;
        const QString speak = QStringLiteral("Speak \"");
        for (const QString& entry : script.log) {
            if (entry == QLatin1String("INPUT") || entry.startsWith(QLatin1String("pause ")))
                out << entry;
            else if (entry.startsWith(speak) && entry.endsWith(QLatin1String("\" flags=1")))
                out << QStringLiteral("say ") + entry.mid(speak.size()).chopped(9);
            else if (entry.startsWith(speak) && entry.endsWith(QLatin1String("\" flags=2")))
                out << QStringLiteral("stop");
        }
        return out;
    }

    // The screen as the test expects it: the given rows from the top, each
    // padded to 80 columns (write " " for a row of blanks), then rows never
    // written (empty) down to row 23.
    static QStringList ExpectedScreen(const QStringList& rows)
    {
        QStringList out;
        for (const QString& row : rows)
            out << (row.isEmpty() ? row : row.leftJustified(80, QLatin1Char(' ')));
        while (out.size() < 24)
            out << QString();
        return out;
    }

    void SetCursor(int column, int row)
    {
        Runtime().scrcursor.SetColumn(static_cast<uint8_t>(column));
        Runtime().scrcursor.SetRow(static_cast<uint8_t>(row));
    }

    TestEnvironment env;
    ScriptedSpeech script;
    std::deque<Answer> answers;
};
