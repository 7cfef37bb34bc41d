#include "common/TempDir.h"
#include "common/TraceCapture.h"
#include "platform/Win32File.h"
#include "support/tsResult.h"
#include "support/tsStream.h"
#include "support/tsTraceEnvironment.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

TEST(tsTrace, FileNameIsTheTextAfterTheLastBackslash) {
    EXPECT_STREQ(TraceFileName("commonCode\\AbstractData\\streams\\tsStream.cpp"), "tsStream.cpp");
    EXPECT_STREQ(TraceFileName("a\\"), "");
    EXPECT_STREQ(TraceFileName("tsStream.cpp"), "") << "no backslash, no name";
    EXPECT_STREQ(TraceFileName(""), "");
}

TEST(tsTrace, FormatUsesARingOfTenBuffers) {
    const char* first = TraceFormat("%d", 1);
    for (int i = 2; i <= 10; ++i)
        EXPECT_NE(TraceFormat("%d", i), first);
    const char* eleventh = TraceFormat("%s", "eleven");
    EXPECT_EQ(eleventh, first);
    EXPECT_STREQ(first, "eleven");
}

TEST(tsTrace, LinesEndInExactlyOneLineFeed) {
    TraceCapture trace;
    TRACE_ERROR("x\\site.cpp", 7, "Error: no line feed %s", "here");
    TRACE_ERROR("x\\site.cpp", 8, "Error: '%s'\n", "done");
    ASSERT_EQ(trace.lines.size(), 2u);
    EXPECT_EQ(trace.lines[0], "site.cpp(7) : TRACE_ERROR: Error: no line feed here\n");
    EXPECT_EQ(trace.lines[1], "site.cpp(8) : TRACE_ERROR: Error: 'done'\n");
}

TEST(tsTrace, OverlongLinesAreCut) {
    TraceCapture trace;
    std::string longName(10000, 'n');
    TRACE_ERROR("x\\site.cpp", 1, "Error: Open file '%s' failed.\n", longName.c_str());
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0].size(), 4095u);
    EXPECT_EQ(trace.lines[0].back(), '\n');
    EXPECT_EQ(trace.lines[0].rfind("site.cpp(1) : TRACE_ERROR: Error: Open file 'nnn", 0), 0u);

    // A huge format result is cut in the ring buffer as well.
    EXPECT_EQ(std::strlen(TraceFormat("%s", longName.c_str())), 4095u);
}

TEST(tsTrace, DisabledOrUnattachedTraceChangesNoResult) {
    TempDir dir;
    std::string path = dir.File("missing");
    tsFileStream stream;
    // No sink and no handle: the line is formatted and dropped.
    EXPECT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), TS_E_FILE_NOT_FOUND);

    TraceCapture trace;
    traceFlags = 6;
    EXPECT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), TS_E_FILE_NOT_FOUND);
    traceFlags = 7;
    EXPECT_TRUE(trace.lines.empty());
}

TEST(tsTrace, EnvironmentAttachesAFileSink) {
    TempDir dir;
    std::string log = dir.FileWith("trace.log", "earlier\n");
    ::setenv("LEXARIUM_TRACE", log.c_str(), 1);
    ASSERT_TRUE(tsAttachTraceFromEnvironment());
    ::unsetenv("LEXARIUM_TRACE");
    tsFileStream stream;
    char byte;
    EXPECT_EQ(stream.Read(&byte, 1), E_UNEXPECTED);
    platform::CloseHandle(traceHandle);
    traceHandle = nullptr;
    EXPECT_EQ(ReadBytes(log),
              "earlier\ntsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)\n");
    EXPECT_FALSE(tsAttachTraceFromEnvironment());
}
