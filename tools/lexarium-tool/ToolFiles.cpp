#include "ToolFiles.h"

#include "support/tsResult.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

void ReportLoadFailure() {
    std::fprintf(stderr, "An error accured while loading this file!\n");
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
