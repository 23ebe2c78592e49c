#include "input/braille_table.h"

#include "input/entry_line.h"
#include "shell/text_file.h"

#include <QStringList>

namespace {

BrailleTableState g_table;

bool IsHeader(const QString& line) { return line.startsWith(QLatin1Char('[')); }

// The header without its first and its last character, whatever they are.
QString SectionName(const QString& header)
{
    return header.size() >= 2 ? header.mid(1, header.size() - 2) : QString();
}

void AddPrefix(const QString& line)
{
    BrailleTableState& t = g_table;
    if (t.brlprefcount >= BrailleTableState::PrefixCapacity)
        return; // surplus prefixes are ignored
    const EntryParts parts = SplitEntryLine(line);
    brlpreftype& entry = t.brlprefixes[t.brlprefcount];
    entry.name = parts.key;
    entry.dots = parts.value;
    ++t.brlprefcount;
}

void AddRow(const QString& section, const QString& line)
{
    BrailleTableState& t = g_table;
    if (t.brlcharcount >= BrailleTableState::MaxRowsInUse)
        return; // the one-byte count cannot go further; surplus rows are ignored
    const EntryParts parts = SplitEntryLine(line);
    brlchartype& row = t.brlchars[t.brlcharcount];
    row.section = section;
    row.character = parts.key;
    row.dots = parts.value;
    ++t.brlcharcount;
}

// Stores one line of a section that is read; other lines are ignored.
void TakeSectionLine(const QString& name, const QString& line)
{
    if (name == QLatin1String("prefixes")) {
        if (line.startsWith(QLatin1Char('#')))
            AddPrefix(line);
    } else if (line.isEmpty()) {
        return;
    } else if (name == QLatin1String("characters")) {
        AddRow(QString(), line);
    } else {
        AddRow(name, line);
    }
}

bool IsReadSection(const QString& name)
{
    return name == QLatin1String("prefixes") || name == QLatin1String("characters") ||
           name.startsWith(QLatin1Char('#'));
}

} // namespace

BrailleTableState& BrailleTable() { return g_table; }

void ResetBrailleTable() { g_table = BrailleTableState(); }

void LoadBrailleTableLines(const QStringList& lines)
{
    QString section;     // the section being read
    bool reading = false; // false before the first header and inside skipped sections
    for (const QString& line : lines) {
        if (IsHeader(line)) {
            section = SectionName(line);
            reading = IsReadSection(section);
            // Each prefixes section starts the prefix list afresh.
            if (section == QLatin1String("prefixes"))
                g_table.brlprefcount = 0;
            continue;
        }
        if (reading)
            TakeSectionLine(section, line);
    }
}

void LoadBrailleTable()
{
    g_table.brlcharcount = 0;
    LoadBrailleTableLines(ReadTextFileLines(g_table.brailletablefile));
}
