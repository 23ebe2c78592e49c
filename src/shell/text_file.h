#pragma once
// Reading the program's text data files (braille table, key echo files):
// lines end with CR LF or a lone LF, a CR not followed by LF is dropped, a
// byte 0x1A ends the file, nothing is trimmed, text is Windows-1250.
#include <QString>
#include <QStringList>

// Reads every line of the file opened by its bare name. Raises FileError when
// the file is missing or unreadable.
QStringList ReadTextFileLines(const QString& path);

// Splits raw file bytes into lines by the rules above.
QStringList SplitTextLines(const QByteArray& bytes);
