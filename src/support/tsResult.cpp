#include "support/tsResult.h"

#include "platform/Win32Error.h"

std::int32_t tsResultFromLastError() {
    return tsResultFromError(platform::GetLastError());
}
