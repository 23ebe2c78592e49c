// Any bytes as a braille table: the loader must fill the tables within their
// bounds, and every chord must translate without fault afterwards.
#include "input/braille_state.h"
#include "input/braille_table.h"
#include "input/chord.h"
#include "shell/text_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The 63 dot patterns, the space chord and the empty pattern.
QStringList AllPatterns()
{
    QStringList patterns{QStringLiteral(" "), QString()};
    for (int set = 1; set < 64; ++set) {
        QString p;
        for (int dot = 0; dot < 6; ++dot) {
            if (set & (1 << dot))
                p.append(QLatin1Char(char('1' + dot)));
        }
        patterns.append(p);
    }
    return patterns;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QStringList patterns = AllPatterns();
    ResetBrailleTable();
    Braille() = BrailleState();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LoadBrailleTableLines(SplitTextLines(bytes));

    const BrailleTableState& t = BrailleTable();
    if (t.brlprefcount > BrailleTableState::PrefixCapacity || t.brlcharcount > BrailleTableState::MaxRowsInUse)
        std::abort();
    for (const QString& p : patterns) {
        TranslateChord(p);
        TranslateChord(p); // again with whatever prefix the first left active
    }
    return 0;
}
