#include "ToolFiles.h"

#include "platform/Win32Error.h"
#include "support/tsResult.h"
#include "support/tsSafeSave.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <utility>

namespace {

// Why a save failed, in plain words.
const char* Reason(std::int32_t result) {
    static const std::pair<std::uint32_t, const char*> kReasons[] = {
        {platform::ERROR_FILE_NOT_FOUND, "the folder does not exist"},
        {platform::ERROR_PATH_NOT_FOUND, "the folder does not exist"},
        {platform::ERROR_ACCESS_DENIED, "permission denied"},
        {platform::ERROR_WRITE_PROTECT, "the medium is write-protected"},
        {platform::ERROR_SHARING_VIOLATION, "the file is in use by another program"},
        {platform::ERROR_DISK_FULL, "the disk is full"},
    };
    for (const auto& [error, reason] : kReasons)
        if (result == tsResultFromError(error))
            return reason;
    return "write error";
}

} // namespace

void ReportLoadFailure() {
    // "accured" is kept on purpose: the editor has always said it this way.
    std::fprintf(stderr, "An error accured while loading this file!\n");
}

bool Load(const char* file, TextResourceObject& object, TextResourceReadReport* report) {
    std::int32_t result;
    {
        tsFileStream stream;
        result = stream.Open(file, TS_OPEN_READ);
        if (tsSucceeded(result))
            result = report != nullptr ? object.Read(stream, *report) : object.Read(stream);
    }
    if (tsFailed(result)) {
        ReportLoadFailure();
        return false;
    }
    return true;
}

int Save(const char* output, const std::function<std::int32_t(tsOutputStream&)>& write,
         bool keepOldContent) {
    tsSafeSaveOptions options;
    options.keepOldContent = keepOldContent;
    tsSafeSaveReport report;
    std::int32_t result = tsSaveFileSafely(output, write, options, &report);
    if (result == E_ABORT)
        return 1;
    if (tsFailed(result)) {
        std::fprintf(stderr, "Could not write %s: %s (error 0x%08X). ", output, Reason(result),
                     static_cast<unsigned>(result));
        if (report.backupPath.empty())
            std::fprintf(stderr, "The file was not changed.\n");
        else
            std::fprintf(stderr, "Its previous content is kept in %s.\n",
                         report.backupPath.c_str());
        return 1;
    }
    return 0;
}

std::int32_t WriteAll(tsOutputStream& out, const char* data, std::size_t size) {
    constexpr std::size_t kPiece = std::size_t(1) << 30;
    std::int32_t result = S_OK;
    while (size > 0 && tsSucceeded(result)) {
        const std::size_t piece = std::min(size, kPiece);
        result = out.Write(data, static_cast<std::uint32_t>(piece));
        data += piece;
        size -= piece;
    }
    return result;
}

bool StreamedFile::Open(const char* file, TextResourceReadReport* report) {
    if (OpenQuietly(file, report))
        return true;
    ReportLoadFailure();
    return false;
}

bool StreamedFile::OpenQuietly(const char* file, TextResourceReadReport* report) {
    std::int32_t result = m_stream.Open(file, TS_OPEN_READ);
    if (tsSucceeded(result)) {
        m_reader = std::make_unique<TextResourceReader>(m_stream, report);
        result = m_reader->ReadHeader();
    }
    return tsSucceeded(result);
}

bool IsReadableFolder(const char* folder, std::string& reason) {
    DIR* listing = ::opendir(folder); // owned: closed below
    if (listing == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    ::closedir(listing);
    return true;
}

bool CheckReadableFolder(const char* folder) {
    std::string reason;
    if (IsReadableFolder(folder, reason))
        return true;
    std::fprintf(stderr, "Cannot read the folder %s: %s\n", folder, reason.c_str());
    return false;
}

std::uint64_t FileSize(const char* file) {
    struct stat status {};
    return ::stat(file, &status) == 0 && S_ISREG(status.st_mode)
               ? static_cast<std::uint64_t>(status.st_size)
               : 0;
}

bool IsSameFile(const char* a, const char* b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a, &first) == 0 && ::stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
