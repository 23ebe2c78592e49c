#include "runtime/screen_writer.h"

#include "runtime/runtime_state.h"
#include "runtime/screen.h"

#include <algorithm>

namespace {
constexpr int kLastRow = ScreenModel::kRows - 1;
constexpr int kColumns = ScreenModel::kColumns;
// From this column on, a tab ends the line instead of moving to a stop.
constexpr int kLastTabColumn = 73;

// Moves the local cursor to the start of the next row, scrolling the screen
// up when it would leave the bottom row.
void NewLine(int& column, int& row)
{
    ++row;
    column = 0;
    if (row > kLastRow) {
        row = kLastRow;
        Screen().ScrollUp();
    }
}

// Print zones are 8 columns wide, but one column past a stop moves by one only.
int NextTabColumn(int column)
{
    const int k = column % 8;
    if (k == 0)
        return column;
    if (k == 1)
        return column + 1;
    return column + 8 - k;
}

void StoreCursor(int column, int row)
{
    Runtime().scrcursor.SetColumn(static_cast<uint8_t>(column));
    Runtime().scrcursor.SetRow(static_cast<uint8_t>(row));
}
} // namespace

void WriteAtCursor(const QString& text)
{
    ScreenModel& screen = Screen();
    screen.EnsureRows();
    const tscrcursor& cursor = Runtime().scrcursor;
    int column = std::min<int>(cursor.GetColumn(), kColumns);
    int row = std::min<int>(cursor.GetRow(), kLastRow);

    // Fill the rest of each row and go on below, until the rest fits.
    QStringView rest(text);
    while (column + rest.size() > kColumns) {
        const int take = kColumns - column;
        screen.PutAt(row, column, rest.first(take));
        rest = rest.sliced(take);
        NewLine(column, row);
    }
    screen.PutAt(row, column, rest);
    column += static_cast<int>(rest.size());
    StoreCursor(column, row);

    switch (Runtime().printmode) {
    case 0:
        NewLine(column, row);
        break;
    case 2:
        if (column >= kLastTabColumn)
            NewLine(column, row);
        else
            column = NextTabColumn(column);
        break;
    default:
        break;
    }
    StoreCursor(column, row);
    screen.Changed();
}
