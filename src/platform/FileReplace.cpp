#include "platform/FileReplace.h"

#include "platform/Win32Error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool FailErrno() {
    SetLastError(ErrorFromErrno(errno));
    return false;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

bool ResolveFinalPath(const std::string& path, std::string& finalPath) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            finalPath = current;
            SetLastError(ERROR_SUCCESS);
            return true;
        }
        std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        ssize_t n = ::readlink(current.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return FailErrno();
        std::string link(buffer.data(), static_cast<std::size_t>(n));
        current = link.front() == '/' ? link : FolderOf(current) + "/" + link;
    }
    SetLastError(ERROR_CANT_RESOLVE_FILENAME);
    return false;
}

bool CreateTemporaryFileBeside(const std::string& target, std::string& temporaryPath) {
    std::string folder = FolderOf(target);
    std::string name = target.substr(target.find_last_of('/') + 1);
    std::string pattern = folder + "/." + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            SetLastError(ERROR_PATH_NOT_FOUND);
        else
            SetLastError(ErrorFromErrno(errno));
        return false;
    }
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    mode_t mode = exists ? (st.st_mode & 07777) : NewFileMode();
    // The owner is kept where we may set it; otherwise the group, if we can, else ours.
    if (exists && ::fchown(fd, st.st_uid, st.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0)
        SetLastError(ERROR_SUCCESS);
    if (::fchmod(fd, mode) != 0) {
        int err = errno;
        ::close(fd);
        ::unlink(buffer.data());
        errno = err;
        return FailErrno();
    }
    ::close(fd);
    temporaryPath = buffer.data();
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool ReplaceFileAtomically(const std::string& source, const std::string& destination) {
    if (::rename(source.c_str(), destination.c_str()) != 0)
        return FailErrno();
    int dir = ::open(FolderOf(destination).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        // The rename has happened; a folder that cannot be flushed is reported all the same.
        int rc = ::fsync(dir);
        int err = errno;
        ::close(dir);
        if (rc != 0 && err != EINVAL) {
            errno = err;
            return FailErrno();
        }
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool DeleteFileA(const char* fileName) {
    if (::unlink(fileName) != 0)
        return FailErrno();
    SetLastError(ERROR_SUCCESS);
    return true;
}

} // namespace platform
