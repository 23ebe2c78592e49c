#include "runtime/screen.h"

ScreenModel& Screen()
{
    static ScreenModel screen;
    return screen;
}

void ScreenModel::Prepare()
{
    m_rows.clear();
    while (m_rows.size() < kRows)
        m_rows.append(QString());
    Changed();
}

void ScreenModel::Changed() const
{
    if (m_view)
        m_view();
}
