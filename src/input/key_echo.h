#pragma once
// The key echo table: the text spoken for each typed or reviewed character
// (a name for a punctuation mark, the spoken form of a letter, nothing for a
// character that should stay silent). Read once at start-up from a key echo
// file of "code=text" lines, one file per interface language.
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

struct echokeytype {
    uint8_t code = 0; // Windows-1250 code of the character
    QString text;     // its echo, possibly empty
};

struct KeyEchoState {
    static constexpr int Capacity = 256;
    // Filled from entry 0 on in file order; entries not filled keep code 0
    // and an empty text.
    std::array<echokeytype, Capacity> echokeys;
    // The file LoadKeyEcho reads, opened by this bare name.
    QString keyechofile;
};

KeyEchoState& KeyEcho();
// Back to the start-up state: every entry code 0 with an empty text, no file name.
void ResetKeyEcho();

// Reads the file named by KeyEcho().keyechofile. A missing or unreadable
// file raises FileError; a non-empty line whose code (the text before the
// first "=") is not an integer raises VeltraError "'<code>' is not a valid
// integer value". Entries stored before the failing line stay.
void LoadKeyEcho();
// The loader's rules for lines already read (fuzzing and tests).
void LoadKeyEchoLines(const QStringList& lines);

// The echo of the character: the text of the first entry with its
// Windows-1250 code, or "" when no entry has it.
QString FindKeyEcho(QChar character);

// Whether the character is a capital letter: "A".."Z", or above code 127 the
// capital of a pair in the letter-pair table (2 is the Windows-1250 Czech and
// Slovak table, the only one there is; other numbers know no such letters).
bool IsCapitalLetter(QChar character, int table);
