#include "check/RegularFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace check {

int OpenRegularFile(const std::string& path, std::string& reason, std::uint64_t* size) {
    // Without O_NONBLOCK, opening a FIFO waits until something writes to it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        reason = std::strerror(errno);
    } else if (!S_ISREG(status.st_mode)) {
        reason = "not a regular file";
    } else if (static_cast<std::uint64_t>(status.st_size) > kLargestReadFile) {
        reason = "larger than 2 GiB";
    } else {
        // O_NONBLOCK stays set: reads of a regular file never block and take
        // no notice of it, and a check of a big folder would otherwise spend
        // a system call per recording on clearing it.
        if (size != nullptr)
            *size = static_cast<std::uint64_t>(status.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace check
