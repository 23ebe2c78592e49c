#pragma once
// Splitting an entry line of the braille table or the key echo file at its
// first "=". Neither side is trimmed; a later "=" belongs to the value.
#include <QString>

struct EntryParts {
    QString key;
    QString value;
    bool hadSeparator = false;
};

// Without "=", key and value both hold the whole line (hadSeparator false).
EntryParts SplitEntryLine(const QString& line);
