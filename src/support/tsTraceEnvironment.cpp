#include "support/tsTraceEnvironment.h"

#include "platform/Win32File.h"
#include "support/tsTrace.h"

#include <cstdlib>
#include <cstring>

using namespace platform;

bool tsAttachTraceFromEnvironment() {
    const char* target = std::getenv("LEXARIUM_TRACE");
    if (target == nullptr || *target == '\0')
        return false;
    if (std::strcmp(target, "-") == 0) {
        traceHandle = GetStdHandle(STD_ERROR_HANDLE);
        return true;
    }
    HANDLE file = CreateFileA(target, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    SetFilePointer(file, 0, nullptr, FILE_END);
    // The handle stays open for the rest of the process.
    traceHandle = file;
    return true;
}
