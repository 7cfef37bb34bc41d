#pragma once

// Result codes: signed 32-bit values in the Windows HRESULT form, negative for failure.

#include "platform/Win32Error.h"

#include <cstdint>

#ifndef _WIN32
constexpr std::int32_t S_OK = 0;
constexpr std::int32_t E_UNEXPECTED = static_cast<std::int32_t>(0x8000FFFFu);
constexpr std::int32_t E_NOTIMPL = static_cast<std::int32_t>(0x80004001u);
constexpr std::int32_t E_ABORT = static_cast<std::int32_t>(0x80004004u);
constexpr std::int32_t E_FAIL = static_cast<std::int32_t>(0x80004005u);
constexpr std::int32_t E_ACCESSDENIED = static_cast<std::int32_t>(0x80070005u);
constexpr std::int32_t E_OUTOFMEMORY = static_cast<std::int32_t>(0x8007000Eu);
constexpr std::int32_t E_INVALIDARG = static_cast<std::int32_t>(0x80070057u);
#endif

inline bool tsSucceeded(std::int32_t result) {
    return result >= 0;
}
inline bool tsFailed(std::int32_t result) {
    return result < 0;
}

// 0x80070000 combined with the low 16 bits of a Windows error; 0 for no error.
constexpr std::int32_t tsResultFromError(std::uint32_t error) {
    return error == 0 ? S_OK : static_cast<std::int32_t>(0x80070000u | (error & 0xFFFFu));
}

// The results of the Windows errors that callers tell apart, which have no
// names of their own.
constexpr std::int32_t TS_E_FILE_NOT_FOUND = tsResultFromError(platform::ERROR_FILE_NOT_FOUND);
constexpr std::int32_t TS_E_PATH_NOT_FOUND = tsResultFromError(platform::ERROR_PATH_NOT_FOUND);
constexpr std::int32_t TS_E_SHARING_VIOLATION =
    tsResultFromError(platform::ERROR_SHARING_VIOLATION);

// The same for the calling thread's last platform error: a last error of 0
// counts as success.
std::int32_t tsResultFromLastError();
