#pragma once
// Windows-1250 text, the encoding of the program's data files and of the
// character codes it compares (key echo codes, braille table entries).
#include <QByteArray>
#include <QString>

QString FromCp1250(const QByteArray& bytes);
// Characters outside Windows-1250 become 0x1A.
QByteArray ToCp1250(const QString& text);
// The Windows-1250 code of one character (0x1A when it has none).
unsigned char Cp1250Code(QChar c);
QChar CharFromCp1250(unsigned char code);
