#include "shell/atomic_file.h"

#include "shell/errors.h"

#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
struct FdCloser {
    int fd;
    ~FdCloser()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

[[noreturn]] void Fail(int err, const QByteArray& tempName)
{
    if (!tempName.isEmpty())
        ::unlink(tempName.constData());
    RaiseFileErrorFromErrno(err);
}
} // namespace

void ReplaceFileContents(const QString& path, const QByteArray& content)
{
    const QByteArray target = QFile::encodeName(path);
    mode_t mode = 0666 & ~[] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    struct stat st {};
    if (::stat(target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            RaiseFileErrorFromErrno(EISDIR);
        // A plain write would fail on a file we may not write; the rename
        // would not, so test first.
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
            RaiseFileErrorFromErrno(errno);
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        RaiseFileErrorFromErrno(errno);
    }

    QByteArray tempName = target + ".tmp-XXXXXX";
    int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        RaiseFileErrorFromErrno(errno);
    FdCloser closer{fd};
    const char* p = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno, tempName);
        }
        p += n;
        left -= n;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0)
        Fail(errno, tempName);
    closer.fd = -1;
    if (::close(fd) != 0)
        Fail(errno, tempName);
    if (::rename(tempName.constData(), target.constData()) != 0)
        Fail(errno, tempName);
}
