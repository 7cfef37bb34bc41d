#include "platform/FileBackup.h"

#include "platform/PathParts.h"
#include "platform/Win32File.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::size_t kCopyChunk = 256 * 1024;
// File names may hold 255 bytes; the time, the key and the ending take up to 50.
constexpr std::size_t kMaxNameBytes = 200;
constexpr int kMaxSameSecond = 100;

bool Fail(int err) {
    SetLastError(ErrorFromErrno(err));
    return false;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    const passwd* user = ::getpwuid(::geteuid());
    return user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/' ? user->pw_dir : "";
}

// The final path made absolute through its folder's real path.
std::string AbsolutePath(const std::string& path) {
    const std::string name = NameOf(path);
    if (char* real = ::realpath(FolderOf(path).c_str(), nullptr)) {
        std::string result = WithoutTrailingSlashes(real) + "/" + name;
        std::free(real);
        return result == "//" + name ? "/" + name : result;
    }
    return path;
}

// The file name, cut to a length that leaves room for the rest of the copy's
// name, at a character boundary of its UTF-8.
std::string NamePart(const std::string& absolutePath) {
    std::string name = NameOf(absolutePath);
    if (name.size() > kMaxNameBytes) {
        std::size_t cut = kMaxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name;
}

// A short key of the full path (FNV-1a): copies of files of the same name in
// different folders do not mix.
std::string PathKey(const std::string& absolutePath) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : absolutePath) {
        hash ^= c;
        hash *= 16777619u;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return text;
}

std::string TimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

// "2024-05-17_14-03-22", optionally followed by "-2", "-3", ...
bool IsTimeText(const std::string& text) {
    static const char kPattern[] = "dddd-dd-dd_dd-dd-dd";
    const std::size_t length = sizeof kPattern - 1;
    if (text.size() < length)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (kPattern[i] == 'd' ? !digit : text[i] != kPattern[i])
            return false;
    }
    if (text.size() == length)
        return true;
    if (text[length] != '-' || text.size() == length + 1)
        return false;
    for (std::size_t i = length + 1; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

// Makes the folder and its missing parents, only for ourselves.
bool MakeFolder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const std::string parent = FolderOf(folder);
    if (parent != folder && !MakeFolder(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Copies `source` from its start into `fd`, which is flushed to the disk.
// False with errno set for a failure of the copy, with the last error set for
// one of the source (then `sourceFailed`).
bool CopyInto(HANDLE source, int fd, bool& sourceFailed) {
    sourceFailed = false;
    if (!RewindFile(source)) {
        sourceFailed = true;
        return false;
    }
    std::vector<unsigned char> chunk(kCopyChunk);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(source, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr)) {
            sourceFailed = true;
            return false;
        }
        if (got == 0)
            break;
        if (!WriteAll(fd, chunk.data(), got))
            return false;
    }
    return ::fsync(fd) == 0;
}

void FlushFolder(const std::string& folder) {
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

std::vector<std::string> BackupFolders() {
    std::vector<std::string> folders;
    const char* state = std::getenv("XDG_STATE_HOME");
    // A relative setting is no setting, as the base directory rules say.
    if (state != nullptr && state[0] == '/')
        folders.push_back(WithoutTrailingSlashes(state) + "/lexarium/backups");
    std::string home = HomeFolder();
    if (!home.empty())
        folders.push_back(WithoutTrailingSlashes(home) + "/.local/state/lexarium/backups");
    std::error_code error;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    folders.push_back(error ? std::string("/tmp") : WithoutTrailingSlashes(temporary.string()));
    return folders;
}

bool BackupFileContent(HANDLE source, const std::string& path, BackupKind kind,
                       std::string& backupPath) {
    const std::string absolute = AbsolutePath(path);
    const std::string stem = NamePart(absolute) + "." + TimeText();
    const std::string ending =
        "." + PathKey(absolute) + (kind == BackupKind::Original ? ".original.bak" : ".bak");
    int lastErrno = ENOENT;
    for (const std::string& folder : BackupFolders()) {
        if (!MakeFolder(folder)) {
            lastErrno = errno;
            continue;
        }
        // A name of its own, also for several saves in the same second; never
        // through a link someone else put there.
        std::string candidate;
        int fd = -1;
        for (int n = 1; n <= kMaxSameSecond && fd < 0; ++n) {
            candidate = folder + "/" + stem + (n > 1 ? "-" + std::to_string(n) : "") + ending;
            fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        0600);
            if (fd < 0 && errno != EEXIST)
                break;
        }
        if (fd < 0) {
            lastErrno = errno;
            continue;
        }
        bool sourceFailed = false;
        bool copied = CopyInto(source, fd, sourceFailed);
        int copyErrno = errno;
        bool closed = ::close(fd) == 0;
        int closeErrno = errno;
        if (copied && closed) {
            FlushFolder(folder);
            backupPath = candidate;
            SetLastError(ERROR_SUCCESS);
            return true;
        }
        ::unlink(candidate.c_str());
        if (sourceFailed)
            return false; // another folder would not help
        // A full disk here may leave room in the next folder.
        lastErrno = copied ? closeErrno : copyErrno;
    }
    return Fail(lastErrno);
}

bool RestoreFileContent(const std::string& backupPath, HANDLE target) {
    int fd = ::open(backupPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return Fail(errno);
    bool ok = RewindFile(target) && SetEndOfFile(target);
    std::vector<unsigned char> chunk(kCopyChunk);
    while (ok) {
        ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastError(ErrorFromErrno(errno));
            ok = false;
            break;
        }
        if (n == 0)
            break;
        DWORD written = 0;
        ok = WriteFile(target, chunk.data(), static_cast<DWORD>(n), &written, nullptr) &&
             written == static_cast<DWORD>(n);
    }
    ::close(fd);
    return ok && FlushFileBuffers(target);
}

void RemoveSafetyBackups(const std::string& path) {
    const std::string absolute = AbsolutePath(path);
    const std::string prefix = NamePart(absolute) + ".";
    const std::string ending = "." + PathKey(absolute) + ".bak";
    for (const std::string& folder : BackupFolders()) {
        DIR* dir = ::opendir(folder.c_str());
        if (dir == nullptr)
            continue;
        std::vector<std::string> found;
        while (const dirent* item = ::readdir(dir)) {
            std::string name = item->d_name;
            if (name.size() > prefix.size() + ending.size() &&
                name.compare(0, prefix.size(), prefix) == 0 &&
                name.compare(name.size() - ending.size(), ending.size(), ending) == 0 &&
                IsTimeText(name.substr(prefix.size(), name.size() - prefix.size() - ending.size())))
                found.push_back(folder + "/" + name);
        }
        ::closedir(dir);
        for (const std::string& file : found) {
            // Only our own copies: the temporary folder is shared with others.
            struct stat st {};
            if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
                ::unlink(file.c_str());
        }
    }
    SetLastError(ERROR_SUCCESS);
}

} // namespace platform
