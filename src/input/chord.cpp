#include "input/chord.h"

#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/key_state.h"

namespace {

struct DotKey {
    char dot;
    quint32 scanCode;
    int qtKey;
};

constexpr DotKey kDotKeys[] = {
    {'1', scancode::F, Qt::Key_F}, {'2', scancode::D, Qt::Key_D}, {'3', scancode::S, Qt::Key_S},
    {'4', scancode::J, Qt::Key_J}, {'5', scancode::K, Qt::Key_K}, {'6', scancode::L, Qt::Key_L},
};

const QString kCapitalPrefix = QStringLiteral("#cap");

} // namespace

QString ChordPattern(const KeyStateTracker& keys)
{
    QString pattern;
    for (const DotKey& key : kDotKeys) {
        if (keys.isDown(key.scanCode, key.qtKey))
            pattern.append(QLatin1Char(key.dot));
    }
    if (!pattern.isEmpty())
        return pattern; // the space bar and all other keys do not count then
    if (keys.isDown(scancode::Space, Qt::Key_Space))
        return QStringLiteral(" ");
    return QString();
}

void ReadChord() { Braille().brlchord = ChordPattern(KeyStateTracker::instance()); }

QString TranslateChord(const QString& pattern)
{
    QString& prefix = Braille().brlprefix;
    if (pattern == QLatin1String(" ")) {
        prefix.clear();
        return QStringLiteral(" ");
    }
    const BrailleTableState& table = BrailleTable();
    for (int i = 0; i < table.brlprefcount; ++i) {
        if (table.brlprefixes[i].dots == pattern) {
            prefix = table.brlprefixes[i].name;
            return QString();
        }
    }
    for (int i = 0; i < table.brlcharcount; ++i) {
        const brlchartype& row = table.brlchars[i];
        if (row.dots == pattern && row.section == prefix) {
            if (prefix == kCapitalPrefix)
                prefix.clear();
            return row.character;
        }
    }
    return QString();
}
