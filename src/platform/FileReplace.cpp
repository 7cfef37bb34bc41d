#include "platform/FileReplace.h"

#include "platform/PathParts.h"
#include "platform/Win32Error.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

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

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if ((st.st_mode & 0222) == 0)
        return true;
    // The kernel's answer for the effective user, with its access lists; the
    // superuser passes it for every file that has a write bit.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool CanReplaceByRename(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)
        return false;
    // Where the file system cannot list attributes, there are none to lose.
    ssize_t attributes = ::listxattr(path.c_str(), nullptr, 0);
    return attributes == 0 || (attributes < 0 && errno == ENOTSUP);
}

bool CreateTemporaryFileBeside(const std::string& target, std::string& temporaryPath) {
    std::string pattern = FolderOf(target) + "/." + NameOf(target) + ".XXXXXX";
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
    auto fail = [&](DWORD error) {
        ::close(fd);
        ::unlink(buffer.data());
        SetLastError(error);
        return false;
    };
    struct stat st {};
    bool exists = ::stat(target.c_str(), &st) == 0;
    mode_t mode = exists ? (st.st_mode & 07777) : NewFileMode();
    // The owner and group come first: changing them clears the set-id bits.
    if (exists && ::fchown(fd, st.st_uid, st.st_gid) != 0)
        return fail(ERROR_ACCESS_DENIED);
    if (::fchmod(fd, mode) != 0)
        return fail(ErrorFromErrno(errno));
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        return fail(ErrorFromErrno(errno));
    if ((made.st_mode & 07777) != mode ||
        (exists && (made.st_uid != st.st_uid || made.st_gid != st.st_gid)))
        return fail(ERROR_ACCESS_DENIED);
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
