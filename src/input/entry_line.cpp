#include "input/entry_line.h"

EntryParts SplitEntryLine(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1Char('='));
    if (at < 0)
        return {line, line, false};
    return {line.left(at), line.mid(at + 1), true};
}
