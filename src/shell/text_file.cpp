#include "shell/text_file.h"

#include "shell/cp1250.h"
#include "shell/errors.h"

#include <cerrno>
#include <cstdio>
#include <memory>

QStringList SplitTextLines(const QByteArray& bytes)
{
    QStringList lines;
    QByteArray line;
    bool pending = false; // a line has started (so a last line without LF counts)
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == 0x1A)
            break;
        if (c == '\n') {
            lines.append(FromCp1250(line));
            line.clear();
            pending = false;
        } else if (c == '\r') {
            pending = true; // dropped unless it precedes LF; either way not stored
        } else {
            line.append(c);
            pending = true;
        }
    }
    if (pending)
        lines.append(FromCp1250(line));
    return lines;
}

QStringList ReadTextFileLines(const QString& path)
{
    QByteArray name = path.toLocal8Bit();
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(name.constData(), "rb"), &std::fclose);
    if (!f)
        RaiseFileErrorFromErrno(errno);
    QByteArray bytes;
    char buf[65536];
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, f.get());
        bytes.append(buf, static_cast<qsizetype>(n));
        if (n < sizeof buf) {
            if (std::ferror(f.get()))
                RaiseFileErrorFromErrno(errno ? errno : EIO);
            break;
        }
    }
    return SplitTextLines(bytes);
}
