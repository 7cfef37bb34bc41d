#include "ToolFiles.h"

#include "support/tsResult.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

void ReportLoadFailure() {
    // "accured" is kept on purpose: the editor has always said it this way.
    std::fprintf(stderr, "An error accured while loading this file!\n");
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
    std::int32_t result = m_stream.Open(file, TS_OPEN_READ);
    if (tsSucceeded(result)) {
        m_reader = std::make_unique<TextResourceReader>(m_stream, report);
        result = m_reader->ReadHeader();
    }
    if (tsFailed(result)) {
        ReportLoadFailure();
        return false;
    }
    return true;
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
