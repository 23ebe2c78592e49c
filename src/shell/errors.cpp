#include "shell/errors.h"

#include <cerrno>

VeltraError::VeltraError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

FileError::FileError(int code) : VeltraError(FileErrorText(code)), m_code(code) {}

QString FileErrorText(int code)
{
    switch (code) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Invalid filename");
    case 4: return QStringLiteral("Too many open files");
    case 5: return QStringLiteral("File access denied");
    case 100: return QStringLiteral("Read beyond end of file");
    case 101: return QStringLiteral("Disk full");
    case 106: return QStringLiteral("Invalid numeric input");
    default: return QStringLiteral("I/O error %1").arg(code);
    }
}

int FileErrorCodeFromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR: return 2;
    case ENAMETOOLONG:
    case EINVAL: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EISDIR: return 5;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return 101;
    default: return err;
    }
}

void RaiseFileErrorFromErrno(int err) { throw FileError(FileErrorCodeFromErrno(err)); }
