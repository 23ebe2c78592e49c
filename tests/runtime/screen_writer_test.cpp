// Writing at the cursor: cutting at column 80, scrolling at the bottom,
// print modes and tab stops.
#include "testsupport/case_name.h"
#include "runtime/runtime_state.h"
#include "runtime/screen.h"
#include "runtime/screen_writer.h"
#include "testsupport/qstring_printer.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {
QString Pad(const QString& text) { return text.leftJustified(80, QLatin1Char(' ')); }
QString Letters(int count, int offset = 0)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(QLatin1Char('a' + (i + offset) % 26));
    return text;
}

struct Print {
    QString text;
    uint8_t mode;
};

struct WriteCase {
    const char* name;
    int column;
    int row;
    std::function<void(QStringList&)> prefill; // rows before the prints
    std::vector<Print> prints;
    int expectedColumn;
    int expectedRow;
    std::function<void(QStringList&)> expect; // turns the prefilled rows into the expected ones
};

void Nothing(QStringList&) {}

// Every row labelled with its number, not padded.
void Labelled(QStringList& rows)
{
    for (int i = 0; i < rows.size(); ++i)
        rows[i] = QStringLiteral("row %1").arg(i);
}

const std::vector<WriteCase> kCases = {
    {"81 characters end on the next row", 0, 0, Nothing, {{Letters(81), 0}}, 0, 2,
     [](QStringList& rows) {
         rows[0] = Letters(80);
         rows[1] = Pad(Letters(1, 80));
     }},
    {"exactly 80 characters stay at column 80 of the row", 0, 0, Nothing, {{Letters(80), 1}}, 80,
     0, [](QStringList& rows) { rows[0] = Letters(80); }},
    {"a print after a full row starts the next row", 0, 0, Nothing,
     {{Letters(80), 1}, {QStringLiteral("x"), 1}}, 1, 1,
     [](QStringList& rows) {
         rows[0] = Letters(80);
         rows[1] = Pad(QStringLiteral("x"));
     }},
    {"an empty print after a full row stays on that row", 0, 0, Nothing,
     {{Letters(80), 1}, {QString(), 1}}, 80, 0,
     [](QStringList& rows) { rows[0] = Letters(80); }},
    {"writing inside a row keeps its other characters", 10, 3,
     [](QStringList& rows) { rows[3] = QString(80, QLatin1Char('z')); },
     {{QStringLiteral("abc"), 1}}, 13, 3,
     [](QStringList& rows) { rows[3].replace(10, 3, QStringLiteral("abc")); }},
    {"a short row is padded before writing behind its end", 10, 5, Labelled,
     {{QStringLiteral("abc"), 1}}, 13, 5,
     [](QStringList& rows) { rows[5] = Pad(QStringLiteral("row 5     abc")); }},
    {"an empty text pads the row and ends the line", 0, 4, Labelled, {{QString(), 0}}, 0, 5,
     [](QStringList& rows) { rows[4] = Pad(QStringLiteral("row 4")); }},
    {"ending the line on row 23 scrolls the screen up", 0, 23, Labelled,
     {{QStringLiteral("end"), 0}}, 0, 23,
     [](QStringList& rows) {
         rows[23] = Pad(QStringLiteral("end 23"));
         rows.removeFirst();
         rows.append(QString());
     }},
    {"200 characters from row 22 scroll once while written", 0, 22, Labelled,
     {{Letters(200), 1}}, 40, 23,
     [](QStringList& rows) {
         rows.removeFirst();
         rows.append(QString());
         rows[21] = Letters(80);
         rows[22] = Letters(80, 80);
         rows[23] = Pad(Letters(40, 160));
     }},
    {"a text longer than the screen keeps only its end", 0, 0, Nothing,
     {{Letters(80 * 30 + 7), 0}}, 0, 23,
     [](QStringList& rows) {
         for (int i = 0; i < 22; ++i)
             rows[i] = Letters(80, 80 * (i + 8));
         rows[22] = Pad(Letters(7, 80 * 30));
         rows[23] = QString();
     }},
    {"a mode beyond 2 stays behind the text", 0, 0, Nothing, {{QStringLiteral("ab"), 7}}, 2, 0,
     [](QStringList& rows) { rows[0] = Pad(QStringLiteral("ab")); }},
    {"prints continue where the previous one stopped", 0, 0, Nothing,
     {{QStringLiteral("ab"), 1}, {QStringLiteral("cd"), 2}, {QStringLiteral("ef"), 0}}, 0, 1,
     [](QStringList& rows) { rows[0] = Pad(QStringLiteral("abcd    ef")); }},
};

class WriteAtCursorTest : public ::testing::TestWithParam<WriteCase> {
protected:
    void SetUp() override
    {
        ResetRuntimeState();
        Screen().SetView({});
        Screen().Prepare();
    }
};

TEST_P(WriteAtCursorTest, WritesRowsAndMovesTheCursor)
{
    const WriteCase& c = GetParam();
    GetParam().prefill(Screen().rows());
    QStringList expected = Screen().rows();
    c.expect(expected);
    Runtime().scrcursor.SetColumn(static_cast<uint8_t>(c.column));
    Runtime().scrcursor.SetRow(static_cast<uint8_t>(c.row));

    for (const Print& p : c.prints) {
        Runtime().printmode = p.mode;
        WriteAtCursor(p.text);
    }

    EXPECT_EQ(Screen().rows(), expected);
    EXPECT_EQ(Runtime().scrcursor.GetColumn(), c.expectedColumn);
    EXPECT_EQ(Runtime().scrcursor.GetRow(), c.expectedRow);
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteAtCursorTest, ::testing::ValuesIn(kCases),
                         CaseName());

// Mode 2: print zones of 8 columns, one column past a stop moves by one, and
// from column 73 on the line ends.
struct TabCase {
    int column;
    int expectedColumn;
    int expectedRow;
};

TEST(WriteAtCursorTabTest, MovesToTheNextTabStopOrEndsTheLine)
{
    const TabCase cases[] = {{0, 0, 2}, {1, 2, 2},  {5, 8, 2},   {7, 8, 2},  {8, 8, 2},
                             {9, 10, 2}, {10, 16, 2}, {15, 16, 2}, {71, 72, 2}, {72, 72, 2},
                             {73, 0, 3}, {79, 0, 3},  {80, 0, 3}};
    for (const TabCase& c : cases) {
        SCOPED_TRACE(c.column);
        ResetRuntimeState();
        Screen().Prepare();
        Runtime().scrcursor.SetRow(2);
        Runtime().printmode = 2;
        WriteAtCursor(Letters(c.column));
        EXPECT_EQ(Runtime().scrcursor.GetColumn(), c.expectedColumn);
        EXPECT_EQ(Runtime().scrcursor.GetRow(), c.expectedRow);
        EXPECT_EQ(Screen().rows()[2], c.column == 0 ? Pad(QString()) : Pad(Letters(c.column)));
    }
}

TEST(ScreenModelTest, WritingOnAScreenThatWasNeverPreparedCreatesItsRows)
{
    ResetRuntimeState();
    Screen().rows().clear();
    Runtime().scrcursor.SetRow(23);
    Runtime().printmode = 0;
    WriteAtCursor(QStringLiteral("hi"));
    ASSERT_EQ(Screen().rows().size(), 24);
    EXPECT_EQ(Screen().rows()[22], Pad(QStringLiteral("hi")));
    EXPECT_EQ(Screen().rows()[23], QString());
}

TEST(ScreenModelTest, EveryWriteTellsTheView)
{
    ResetRuntimeState();
    Screen().Prepare();
    QStringList shown;
    Screen().SetView([&] { shown.append(Screen().rows()[0].trimmed()); });
    Runtime().printmode = 1;
    WriteAtCursor(QStringLiteral("ab"));
    WriteAtCursor(QStringLiteral("cd"));
    Screen().SetView({});
    EXPECT_EQ(shown, (QStringList{QStringLiteral("ab"), QStringLiteral("abcd")}));
}
} // namespace
