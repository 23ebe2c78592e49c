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

private:
    QStringList m_rows;
    std::function<void()> m_view;
};

ScreenModel& Screen();
