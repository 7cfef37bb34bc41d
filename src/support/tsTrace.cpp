#include "support/tsTrace.h"

#include "platform/Win32File.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

std::uint8_t traceFlags = 7;
void* traceHandle = nullptr;

namespace {

constexpr std::size_t kBufferSize = 4096;

char fileNameBuffer[kBufferSize];
char messageRing[10][kBufferSize];
std::int32_t ringCounter = 0;

tsTraceSink* traceSink = nullptr; // not owned

} // namespace

const char* TraceFileName(const char* path) {
    std::size_t length = std::strlen(path);
    std::size_t i = length;
    while (i > 0 && path[i - 1] != '\\')
        --i;
    if (i == 0) {
        fileNameBuffer[0] = '\0';
        return fileNameBuffer;
    }
    std::snprintf(fileNameBuffer, kBufferSize, "%s", path + i);
    return fileNameBuffer;
}

const char* TraceFormat(const char* format, ...) {
    char* buffer = messageRing[ringCounter];
    ringCounter = (ringCounter + 1) % 10;
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, kBufferSize, format, args);
    va_end(args);
    return buffer;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
void TraceWrite(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const char* fileName = va_arg(args, const char*);
    int line = va_arg(args, int);
    const char* message = va_arg(args, const char*);

    // The message keeps its own placeholder through the first pass; the second
    // pass fills it from the arguments that are left.
    char firstPass[kBufferSize];
    std::snprintf(firstPass, kBufferSize, format, fileName, line, message);
    char lineBuffer[kBufferSize];
    std::vsnprintf(lineBuffer, kBufferSize, firstPass, args);
    va_end(args);

    std::size_t length = std::strlen(lineBuffer);
    if (length == 0 || lineBuffer[length - 1] != '\n') {
        if (length == kBufferSize - 1)
            --length; // a cut line still ends in a line feed
        lineBuffer[length++] = '\n';
        lineBuffer[length] = '\0';
    }

    // The outcome is ignored: the trace never fails outward, and the caller's
    // last error survives the write to a missing handle.
    platform::DWORD savedError = platform::GetLastError();
    platform::DWORD written = 0;
    platform::WriteFile(traceHandle, lineBuffer, static_cast<platform::DWORD>(length), &written,
                        nullptr);
    platform::SetLastError(savedError);
    if (traceSink != nullptr)
        traceSink->WriteTraceLine(std::string_view(lineBuffer, length));
}
#pragma GCC diagnostic pop

tsTraceSink* tsSetTraceSink(tsTraceSink* sink) {
    tsTraceSink* previous = traceSink;
    traceSink = sink;
    return previous;
}

void tsTraceResult(const char* sourcePath, int line, std::int32_t result) {
    if (traceFlags & 1)
        TraceWrite("%s(%d) : %s", TraceFileName(sourcePath), line,
                   TraceFormat("TRACE_ERROR: %s", "Error: ASSERT_HRESULT(0x%X)\n"),
                   static_cast<unsigned>(result));
}

void tsTraceMessage(const char* sourcePath, int line, const char* message, const char* argument) {
    if (traceFlags & 1)
        TraceWrite("%s(%d) : %s", TraceFileName(sourcePath), line,
                   TraceFormat("TRACE_ERROR: %s", message), argument);
}
