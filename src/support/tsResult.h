#pragma once

// Result codes: signed 32-bit values in the Windows HRESULT form, negative for failure.

#include <cstdint>

#ifndef _WIN32
constexpr std::int32_t S_OK = 0;
constexpr std::int32_t E_UNEXPECTED = static_cast<std::int32_t>(0x8000FFFFu);
constexpr std::int32_t E_NOTIMPL = static_cast<std::int32_t>(0x80004001u);
constexpr std::int32_t E_ABORT = static_cast<std::int32_t>(0x80004004u);
constexpr std::int32_t E_FAIL = static_cast<std::int32_t>(0x80004005u);
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
std::int32_t tsResultFromError(std::uint32_t error);

// The same for the calling thread's last platform error: a last error of 0
// counts as success.
std::int32_t tsResultFromLastError();
