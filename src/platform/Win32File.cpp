#include "platform/Win32File.h"

#include "platform/PathParts.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A handle carries its file descriptor plus one, so that no valid handle is null
// and none equals INVALID_HANDLE_VALUE.
HANDLE HandleFromFd(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

int FdFromHandle(HANDLE handle) {
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return -1;
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle) - 1);
}

// A missing file is ERROR_FILE_NOT_FOUND only when its folder exists.
DWORD ErrorForMissing(const char* fileName) {
    const std::string folder = FolderOf(fileName);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

DWORD ErrorForOpen(int err, const char* fileName) {
    if (err == ENOENT)
        return ErrorForMissing(fileName);
    return ErrorFromErrno(err);
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

// The descriptor behind `file`; -1, with ERROR_INVALID_HANDLE, for a handle
// that is no file's.
int DescriptorOf(HANDLE file) {
    const int fd = FdFromHandle(file);
    if (fd < 0)
        SetLastError(ERROR_INVALID_HANDLE);
    return fd;
}

// Runs `call` on the descriptor behind `file`, which tells whether it
// succeeded (errno says why not): TRUE with ERROR_SUCCESS, else FALSE with
// the error.
template <class Call> BOOL OnDescriptor(HANDLE file, Call call) {
    const int fd = DescriptorOf(file);
    if (fd < 0)
        return FALSE;
    if (!call(fd)) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// Moves `size` bytes with `move` (a read or a write of the bytes from an
// offset on), again after an interruption, until all are moved or, with
// `stopAtNone`, a move moves none (the end of the file). `moved`, when given,
// tells how many were moved, also after a failure.
template <class Move>
BOOL MoveAll(HANDLE file, DWORD size, LPDWORD moved, bool stopAtNone, Move move) {
    DWORD total = 0;
    const BOOL done = OnDescriptor(file, [&](int fd) {
        while (total < size) {
            const ssize_t n = move(fd, total);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0 && stopAtNone)
                break;
            total += static_cast<DWORD>(n);
        }
        return true;
    });
    if (moved != nullptr)
        *moved = total;
    return done;
}

// Which advisory lock the access and share mode call for: none when the opener
// shares everything it does, shared when it reads and lets others read, else exclusive.
int LockFor(DWORD access, DWORD share) {
    bool writes = (access & GENERIC_WRITE) != 0;
    if ((share & FILE_SHARE_READ) && (share & FILE_SHARE_WRITE))
        return 0;
    if (!writes && (share & FILE_SHARE_READ))
        return LOCK_SH;
    return LOCK_EX;
}

} // namespace

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPVOID,
                   DWORD creationDisposition, DWORD, HANDLE) {
    if (fileName == nullptr || *fileName == '\0')
        return Fail(ERROR_PATH_NOT_FOUND);

    bool reads = (desiredAccess & GENERIC_READ) != 0;
    bool writes = (desiredAccess & GENERIC_WRITE) != 0;
    int flags = O_CLOEXEC;
    if (reads && writes)
        flags |= O_RDWR;
    else if (writes)
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;

    bool truncate = false;
    switch (creationDisposition) {
    case CREATE_NEW:
        flags |= O_CREAT | O_EXCL;
        break;
    case CREATE_ALWAYS:
        flags |= O_CREAT;
        truncate = true;
        break;
    case OPEN_EXISTING:
        break;
    case OPEN_ALWAYS:
        flags |= O_CREAT;
        break;
    case TRUNCATE_EXISTING:
        if (!writes)
            return Fail(ERROR_INVALID_PARAMETER);
        truncate = true;
        break;
    default:
        return Fail(ERROR_INVALID_PARAMETER);
    }

    int fd = ::open(fileName, flags, 0666);
    if (fd < 0)
        return Fail(ErrorForOpen(errno, fileName));

    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Fail(ERROR_ACCESS_DENIED);
    }

    // The lock comes before the truncation, so that a file held by another
    // opener is left as it was.
    int lock = LockFor(desiredAccess, shareMode);
    if (lock != 0 && ::flock(fd, lock | LOCK_NB) != 0) {
        int err = errno;
        ::close(fd);
        return Fail(err == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : ErrorFromErrno(err));
    }
    if (truncate && ::ftruncate(fd, 0) != 0) {
        int err = errno;
        ::close(fd);
        return Fail(ErrorFromErrno(err));
    }

    SetLastError(ERROR_SUCCESS);
    return HandleFromFd(fd);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPVOID) {
    auto* out = static_cast<unsigned char*>(buffer);
    return MoveAll(file, bytesToRead, bytesRead, true,
                   [&](int fd, DWORD done) { return ::read(fd, out + done, bytesToRead - done); });
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPVOID) {
    auto* in = static_cast<const unsigned char*>(buffer);
    return MoveAll(file, bytesToWrite, bytesWritten, false,
                   [&](int fd, DWORD done) { return ::write(fd, in + done, bytesToWrite - done); });
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    const int fd = DescriptorOf(file);
    if (fd < 0)
        return INVALID_SET_FILE_POINTER;
    int whence;
    switch (moveMethod) {
    case FILE_BEGIN:
        whence = SEEK_SET;
        break;
    case FILE_CURRENT:
        whence = SEEK_CUR;
        break;
    case FILE_END:
        whence = SEEK_END;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // Without a high part the distance is a signed 32-bit value.
    std::int64_t offset = distance;
    if (distanceHigh != nullptr)
        offset =
            (static_cast<std::int64_t>(*distanceHigh) << 32) | static_cast<std::uint32_t>(distance);
    off_t base = 0;
    if (whence == SEEK_CUR)
        base = ::lseek(fd, 0, SEEK_CUR);
    else if (whence == SEEK_END) {
        struct stat st {};
        base = ::fstat(fd, &st) == 0 ? st.st_size : -1;
    }
    if (base < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (base + offset < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    off_t position = ::lseek(fd, static_cast<off_t>(base + offset), SEEK_SET);
    if (position < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr)
        *distanceHigh = static_cast<LONG>(static_cast<std::int64_t>(position) >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(position & 0xFFFFFFFF);
}

BOOL RewindFile(HANDLE file) {
    // A position that reads as INVALID_SET_FILE_POINTER is no failure when the last error says so.
    return SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER ||
           GetLastError() == ERROR_SUCCESS;
}

BOOL SetEndOfFile(HANDLE file) {
    return OnDescriptor(file, [](int fd) {
        const off_t position = ::lseek(fd, 0, SEEK_CUR);
        return position >= 0 && ::ftruncate(fd, position) == 0;
    });
}

BOOL FlushFileBuffers(HANDLE file) {
    return OnDescriptor(file, [](int fd) { return ::fsync(fd) == 0; });
}

BOOL CloseHandle(HANDLE object) {
    // The descriptor is released even when close reports an error.
    return OnDescriptor(object, [](int fd) { return ::close(fd) == 0 || errno == EINTR; });
}

HANDLE GetStdHandle(DWORD stdHandle) {
    if (stdHandle == STD_ERROR_HANDLE)
        return HandleFromFd(STDERR_FILENO);
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
}

} // namespace platform
