#pragma once
// Making file writes fail on purpose, also when the tests run as root (who
// ignores file permissions).
#include <sys/resource.h>
#include <sys/types.h>

// While alive, the process acts as an unprivileged user (effective uid
// "nobody"), so permission bits count. The test directory is opened up so
// that user can still work in it.
class ScopedUnprivilegedUser {
public:
    explicit ScopedUnprivilegedUser(const char* dirToOpen);
    ~ScopedUnprivilegedUser();

private:
    bool m_switched = false;
};

// While alive, no file may grow beyond `bytes`: writes past it fail as on a
// full disk (EFBIG, reported as "Disk full").
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes);
    ~ScopedFileSizeLimit();

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
