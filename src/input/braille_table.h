#pragma once
// The braille table: which dot pattern stands for which character, which
// patterns are prefixes (such as the capital sign), and which characters the
// patterns stand for while a prefix is active. Read once from a text file at
// start-up; the chord translation is its only reader.
//
// File format (Windows-1250 text lines): a line beginning with "[" is a
// section header, the name being the line without its first and last
// character. "[prefixes]" holds "#name=dots" lines, "[characters]" holds
// "text=dots" lines valid with no prefix, and a section named "#name" holds
// the lines valid while that prefix is active. Other sections are skipped.
#include <QString>

#include <array>
#include <cstdint>

struct brlpreftype {
    QString name; // "#cap", ...
    QString dots; // "6", ...
};

struct brlchartype {
    QString section;   // "" for the characters section, else the prefix name
    QString character; // what the chord produces
    QString dots;      // "1", "25", "123456", ...
};

struct BrailleTableState {
    static constexpr int PrefixCapacity = 10;
    // The row count is one byte, so at most 255 of the 256 rows are in use.
    static constexpr int RowCapacity = 256;
    static constexpr int MaxRowsInUse = 255;

    // Entry n (counted from 1) is brlprefixes[n - 1]; entries 1..brlprefcount are in use.
    std::array<brlpreftype, PrefixCapacity> brlprefixes;
    uint8_t brlprefcount = 0;
    // Row n (counted from 1) is brlchars[n - 1]; rows 1..brlcharcount are in use.
    std::array<brlchartype, RowCapacity> brlchars;
    uint8_t brlcharcount = 0;
    // The file LoadBrailleTable reads, opened by this bare name.
    QString brailletablefile;
};

BrailleTableState& BrailleTable();
// Back to the start-up state: empty tables, no file name.
void ResetBrailleTable();

// Reads the file named by BrailleTable().brailletablefile into the tables.
// A missing or unreadable file raises FileError; rows stored before stay.
void LoadBrailleTable();

// Fills the tables from lines already read (the loader's rules without the
// file access; fuzzing and tests use it directly).
void LoadBrailleTableLines(const QStringList& lines);
