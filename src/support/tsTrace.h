#pragma once

// The trace: every failure that the core detects is formatted as one line,
// "<file>(<line>) : TRACE_ERROR: <message>", and written to the trace handle
// and to an attached sink, if any. Without either the line is dropped.
//
// The file and line name the failure site. The sites whose lines callers and
// their logs rely on (opening, reading, writing, seeking and skipping in the
// file stream, reading and writing a string field and the code-page
// conversions, reading a file and writing its XML, the document's failed
// load) report fixed numbers: constants named kLine... in their module, kept
// on purpose even when the code moves. Every other site reports __LINE__.

#include <cstdint>
#include <string_view>

#if defined(__GNUC__)
#define TS_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define TS_PRINTF_FORMAT(f, a)
#endif

// Bit 0 enables trace output.
extern std::uint8_t traceFlags;
// The platform file handle that trace lines are written to; null by default.
extern void* traceHandle;

// The part of `path` after its last backslash; empty without one. The result
// lives in one shared buffer that the next call overwrites.
const char* TraceFileName(const char* path);
// printf-style formatting into the next of a ring of ten buffers of 4096 bytes.
const char* TraceFormat(const char* format, ...) TS_PRINTF_FORMAT(1, 2);
// Formats "<format>" with the first three arguments, then uses the result as the
// format for the remaining ones, and writes the line (cut to 4095 characters,
// ending in a line feed).
void TraceWrite(const char* format, ...);

// Receives every finished trace line, for diagnosis and for tests.
class tsTraceSink {
public:
    virtual ~tsTraceSink() = default;
    virtual void WriteTraceLine(std::string_view line) = 0;
};

// Attaches `sink` (not owned; null detaches) and returns the previous one.
tsTraceSink* tsSetTraceSink(tsTraceSink* sink);

// The two reporting forms, with the site's source path (backslashes) and line.
void tsTraceResult(const char* sourcePath, int line, std::int32_t result);
void tsTraceMessage(const char* sourcePath, int line, const char* message, const char* argument);

#define ASSERT_HRESULT(sourcePath, line, result) tsTraceResult((sourcePath), (line), (result))
#define TRACE_ERROR(sourcePath, line, message, argument)                                           \
    tsTraceMessage((sourcePath), (line), (message), (argument))
