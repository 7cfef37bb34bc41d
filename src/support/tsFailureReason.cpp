#include "support/tsFailureReason.h"

#include "platform/FileReplace.h"
#include "support/tsResult.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

using namespace platform;

bool IsFolder(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool Is(std::int32_t result, DWORD error) {
    return result == tsResultFromError(error);
}

struct ErrorWords {
    DWORD error;
    const char* words;
};

// The errors whose words are the same in both directions and need nothing
// but the error.
constexpr ErrorWords kCommonWords[] = {
    {ERROR_PATH_NOT_FOUND, "no such folder"},
    {ERROR_SHARING_VIOLATION, "another program has it open"},
    {ERROR_LOCK_VIOLATION, "another program has it open"},
    {ERROR_FILENAME_EXCED_RANGE, "the name is too long"},
    {ERROR_CANT_RESOLVE_FILENAME, "too many symbolic links lead to it"},
    {ERROR_TOO_MANY_OPEN_FILES, "too many files are open"},
    {ERROR_NOT_ENOUGH_MEMORY, "not enough memory"},
};

// The words both directions share; empty when the error has none of its own.
std::string CommonReason(std::int32_t result, const char* path) {
    for (const ErrorWords& known : kCommonWords)
        if (Is(result, known.error))
            return known.words;
    if (Is(result, ERROR_ACCESS_DENIED) && IsFolder(path))
        return "it is a folder";
    if (result == E_OUTOFMEMORY)
        return "not enough memory";
    return std::string();
}

std::string Unknown(std::int32_t result) {
    char text[32];
    std::snprintf(text, sizeof text, "error 0x%08X", static_cast<unsigned>(result));
    return text;
}

} // namespace

std::string tsLoadFailureReason(std::int32_t result, const char* path, std::uint64_t bytesRead) {
    if (Is(result, ERROR_FILE_NOT_FOUND))
        return "no such file";
    if (std::string reason = CommonReason(result, path); !reason.empty())
        return reason;
    if (Is(result, ERROR_ACCESS_DENIED))
        return "permission denied";
    if (Is(result, ERROR_IO_DEVICE))
        return "the disk could not be read";
    if (result == E_FAIL) // the data ended before the header did
        return bytesRead == 0 ? "it is empty"
                              : "it is too short (" + std::to_string(bytesRead) +
                                    (bytesRead == 1 ? " byte)" : " bytes)");
    return Unknown(result);
}

std::string tsSaveFailureReason(std::int32_t result, const char* path) {
    // A missing file is made by the save: only its folder can be missing.
    if (Is(result, ERROR_FILE_NOT_FOUND))
        return "no such folder";
    if (std::string reason = CommonReason(result, path); !reason.empty())
        return reason;
    if (Is(result, ERROR_ACCESS_DENIED))
        return IsReadOnlyFile(path) ? "the file is read-only" : "permission denied";
    if (Is(result, ERROR_WRITE_PROTECT))
        return "the disk is read-only";
    if (Is(result, ERROR_DISK_FULL))
        return "the disk is full";
    if (Is(result, ERROR_IO_DEVICE))
        return "the disk could not be written";
    if (result == E_FAIL) // a write that took only part of its bytes
        return "the disk may be full";
    return Unknown(result);
}
