#include "input/key_echo.h"

#include "input/entry_line.h"
#include "input/integer_text.h"
#include "shell/cp1250.h"
#include "shell/text_file.h"

#include <optional>

namespace {

KeyEchoState g_echo;

// Small letter, then its capital, for 22 letters, and a closing character.
const QString kLetterPairs2 = QStringLiteral("áÁäÄčČďĎéÉěĚíÍĺĹľĽňŇóÓôÔöÖŕŔřŘšŠťŤúÚůŮüÜýÝžŽ§");

// The Windows-1250 code, or nothing for a character outside that code page.
std::optional<uint8_t> CodeOf(QChar c)
{
    const unsigned char code = Cp1250Code(c);
    if (code == 0x1A && c != QChar(0x1A))
        return std::nullopt; // the encoder's mark for "no such character"
    return code;
}

} // namespace

KeyEchoState& KeyEcho() { return g_echo; }

void ResetKeyEcho() { g_echo = KeyEchoState(); }

void LoadKeyEchoLines(const QStringList& lines)
{
    int next = 0;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const EntryParts parts = SplitEntryLine(line);
        // A line without "=" has no code text at all.
        const QString codePart = parts.hadSeparator ? parts.key : QString();
        const int32_t code = StrToInt(codePart);
        if (next >= KeyEchoState::Capacity)
            continue; // surplus entries are ignored (their codes are still checked)
        echokeytype& entry = g_echo.echokeys[next++];
        entry.code = static_cast<uint8_t>(code & 0xFF);
        entry.text = parts.value;
    }
}

void LoadKeyEcho() { LoadKeyEchoLines(ReadTextFileLines(g_echo.keyechofile)); }

QString FindKeyEcho(QChar character)
{
    const std::optional<uint8_t> code = CodeOf(character);
    if (!code)
        return QString();
    for (const echokeytype& entry : g_echo.echokeys) {
        if (entry.code == *code)
            return entry.text;
    }
    return QString();
}

bool IsCapitalLetter(QChar character, int table)
{
    const std::optional<uint8_t> code = CodeOf(character);
    if (!code)
        return false;
    if (*code < 128)
        return *code >= 'A' && *code <= 'Z';
    if (table != 2)
        return false;
    const qsizetype at = kLetterPairs2.indexOf(character);
    return at >= 0 && at % 2 == 1; // capitals stand at even positions counted from 1
}
