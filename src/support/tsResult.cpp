#include "support/tsResult.h"

#include "platform/Win32Error.h"

std::int32_t tsResultFromError(std::uint32_t error) {
    if (error == 0)
        return S_OK;
    return static_cast<std::int32_t>(0x80070000u | (error & 0xFFFFu));
}

std::int32_t tsResultFromLastError() {
    return tsResultFromError(platform::GetLastError());
}
