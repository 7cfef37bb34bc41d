#include "exchange/ByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace exchange {

ByteSource::~ByteSource() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ByteSource::Open(const std::string& path, std::string& reason) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::fstat(m_fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        reason = "it is a folder";
        return false;
    }
    return true;
}

long ByteSource::ReadFile(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0)
            return static_cast<long>(got);
        if (errno != EINTR) {
            m_error = std::strerror(errno);
            return -1;
        }
    }
}

const std::string& ByteSource::Peek(std::size_t size) {
    while (m_fd >= 0 && m_peeked.size() < size) {
        char buffer[4096];
        const long got = ReadFile(buffer, std::min(sizeof buffer, size - m_peeked.size()));
        if (got <= 0)
            break;
        m_peeked.append(buffer, static_cast<std::size_t>(got));
    }
    return m_peeked;
}

long ByteSource::Read(char* buffer, std::size_t size) {
    // Small requests are served from a larger read: fewer calls to the system.
    if (m_peekedUsed == m_peeked.size() && m_fd >= 0 && size < kChunk) {
        m_peeked.resize(kChunk);
        const long got = ReadFile(m_peeked.data(), kChunk);
        m_peeked.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        m_peekedUsed = 0;
        if (got <= 0)
            return got;
    }
    if (m_peekedUsed < m_peeked.size()) {
        const std::size_t n = std::min(size, m_peeked.size() - m_peekedUsed);
        std::memcpy(buffer, m_peeked.data() + m_peekedUsed, n);
        m_peekedUsed += n;
        return static_cast<long>(n);
    }
    return m_fd >= 0 ? ReadFile(buffer, size) : 0;
}

} // namespace exchange
