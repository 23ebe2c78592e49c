#include "shell/cp1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString FromCp1250(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1250");
    return decoder.decode(bytes);
}

QByteArray ToCp1250(const QString& text)
{
    QStringEncoder encoder("windows-1250");
    return encoder.encode(text);
}

unsigned char Cp1250Code(QChar c)
{
    QByteArray bytes = ToCp1250(QString(c));
    return bytes.size() == 1 ? static_cast<unsigned char>(bytes[0]) : 0x1A;
}

QChar CharFromCp1250(unsigned char code)
{
    QString s = FromCp1250(QByteArray(1, static_cast<char>(code)));
    return s.isEmpty() ? QChar(0xFFFD) : s[0];
}
