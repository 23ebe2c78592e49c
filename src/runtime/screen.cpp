#include "runtime/screen.h"

ScreenModel& Screen()
{
    static ScreenModel screen;
    return screen;
}

void ScreenModel::Prepare()
{
    m_rows.clear();
    EnsureRows();
    Changed();
}

void ScreenModel::Changed() const
{
    if (m_view)
        m_view();
}

void ScreenModel::EnsureRows()
{
    while (m_rows.size() < kRows)
        m_rows.append(QString());
}

void ScreenModel::PutAt(int row, int column, QStringView text)
{
    QString& line = m_rows[row];
    if (line.size() < kColumns)
        line.append(QString(kColumns - line.size(), QLatin1Char(' ')));
    line.replace(column, text.size(), text.data(), text.size());
}

void ScreenModel::ScrollUp()
{
    m_rows.removeFirst();
    m_rows.append(QString());
}
