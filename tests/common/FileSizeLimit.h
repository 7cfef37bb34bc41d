#pragma once

// A disk that fills up part-way, for the tests of saves and exports that fail:
// while it lives, no file of this process grows past `bytes` (a write beyond
// fails with EFBIG), and the signal that would end the process instead is
// ignored. Both are put back when it goes.

#include <csignal>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        rlimit limit{};
        m_active = ::getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        limit = m_old;
        limit.rlim_cur = bytes;
        m_active = m_active && ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        if (m_active)
            ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set: the test cannot simulate a full disk.
    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    bool m_active = false;
    void (*m_previousHandler)(int);
};
