#pragma once
// Localized interface texts looked up by language base plus index.
#include <QList>
#include <QPair>
#include <QString>

// A list of strings, each with an associated integer (a language's name and its base).
using LanguageList = QList<QPair<QString, int>>;

class TResourceLocalizer {
public:
    // The text with id base + index, or "" when the table has no such id.
    static QString GetString(int base, int index);
    // Empties the list, then appends each language's name with its base, for
    // bases 1000, 2000, ... while the base's index-0 text exists.
    static void GetLanguages(LanguageList& list);
};

// The process-wide current language base (1000 Czech, 2000 English, 3000 Slovak).
int CurrentLanguage();
void SetCurrentLanguage(int base);

// Shorthand for a lookup in the current language.
QString Str(int index);
