#pragma once
// The emulated screen: 24 rows of 80 columns. Rows the runtime has written to
// hold exactly 80 characters; rows never written are empty. The main window's
// printmemo shows them.
#include <QStringList>
#include <functional>

class ScreenModel {
public:
    static constexpr int kRows = 24;
    static constexpr int kColumns = 80;

    const QStringList& rows() const { return m_rows; }
    QStringList& rows() { return m_rows; }

    // Empties the screen and fills it with 24 empty rows.
    void Prepare();
    // Tells the view that the rows changed.
    void Changed() const;
    // The function that shows the rows (the main window's printmemo).
    void SetView(std::function<void()> view) { m_view = std::move(view); }

    // Makes sure all 24 rows exist (adds empty rows at the bottom if the
    // screen was never prepared), so writing can never index past the rows.
    void EnsureRows();
    // Pads the row on the right with blanks to 80 characters, then puts the
    // text over its characters from the 0-based column on. The caller keeps
    // column + length within 80.
    void PutAt(int row, int column, QStringView text);
    // Removes the top row and appends an empty one: the screen scrolls up.
    void ScrollUp();

private:
    QStringList m_rows;
    std::function<void()> m_view;
};

ScreenModel& Screen();
