#include "testsupport/file_faults.h"

#include <csignal>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;
}

ScopedUnprivilegedUser::ScopedUnprivilegedUser(const char* dirToOpen)
{
    if (::geteuid() != 0)
        return;
    ::chmod(dirToOpen, 0777);
    if (::seteuid(kNobody) != 0)
        throw std::runtime_error("cannot switch to an unprivileged user");
    m_switched = true;
}

ScopedUnprivilegedUser::~ScopedUnprivilegedUser()
{
    if (m_switched && ::seteuid(0) != 0)
        std::abort();
}

ScopedFileSizeLimit::ScopedFileSizeLimit(rlim_t bytes)
{
    // Exceeding the limit raises SIGXFSZ, which would end the process.
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit()
{
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}
