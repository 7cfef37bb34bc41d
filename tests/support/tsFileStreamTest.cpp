#include "common/TempDir.h"
#include "common/TraceCapture.h"
#include "support/tsResult.h"
#include "support/tsStream.h"

#include <gtest/gtest.h>

namespace {

std::string Pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

TEST(tsFileStream, OpeningAMissingFileFailsWithTwoTraceLines) {
    TempDir dir;
    std::string path = dir.File("missing.trs");
    TraceCapture trace;
    tsFileStream stream;
    EXPECT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), TS_E_FILE_NOT_FOUND);
    ASSERT_EQ(trace.lines.size(), 2u);
    EXPECT_EQ(trace.lines[0],
              "tsStream.cpp(82) : TRACE_ERROR: Error: Open file '" + path + "' failed.\n");
    EXPECT_EQ(trace.lines[1],
              "tsStream.cpp(85) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070002)\n");

    // The stream stays closed.
    trace.lines.clear();
    char byte;
    EXPECT_EQ(stream.Read(&byte, 1), E_UNEXPECTED);
    EXPECT_EQ(stream.Write("x", 1), E_UNEXPECTED);
    EXPECT_EQ(trace.lines,
              (std::vector<std::string>{
                  "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)\n",
                  "tsStream.cpp(159) : TRACE_ERROR: Error: ASSERT_HRESULT(0x8000FFFF)\n"}));
}

TEST(tsFileStream, ShortReadIsAFailureThatReportsWhatArrived) {
    TempDir dir;
    std::string path = dir.FileWith("short.bin", "abcdef");
    tsFileStream stream;
    ASSERT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), 0);
    char buffer[8] = {};
    std::uint32_t got = 99;
    EXPECT_EQ(stream.Read(buffer, 4, &got), 0);
    EXPECT_EQ(got, 4u);

    TraceCapture trace;
    EXPECT_EQ(stream.Read(buffer, 4, &got), E_FAIL);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_EQ(trace.lines,
              std::vector<std::string>{
                  "tsStream.cpp(130) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n"});
    EXPECT_EQ(stream.Read(buffer, 0, &got), 0) << "0 of 0 bytes at the end succeeds";
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(stream.Read(buffer, 1, &got), E_FAIL);
    EXPECT_EQ(got, 0u);
}

TEST(tsFileStream, BufferedReadsDeliverTheFileExactly) {
    TempDir dir;
    std::string path = dir.File("large.bin");
    std::string content = Pattern(300000);
    WriteBytes(path, content);
    tsFileStream stream;
    ASSERT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), 0);
    // Small reads across buffer borders, large ones past the buffer, and a skip.
    const std::uint32_t sizes[] = {1, 3, 70000, 5, 65536, 17, 100000};
    std::string read;
    std::size_t expectedPosition = 0;
    for (std::uint32_t size : sizes) {
        std::string piece(size, '\0');
        ASSERT_EQ(stream.Read(piece.data(), size), 0);
        EXPECT_EQ(piece, content.substr(expectedPosition, size));
        expectedPosition += size;
        ASSERT_EQ(stream.Skip(11), 0);
        expectedPosition += 11;
    }
    ASSERT_EQ(stream.Seek(1, -20), 0);
    expectedPosition -= 20;
    std::string rest(content.size() - expectedPosition + 5, '\0');
    std::uint32_t got = 0;
    EXPECT_EQ(stream.Read(rest.data(), static_cast<std::uint32_t>(rest.size()), &got), E_FAIL);
    EXPECT_EQ(got, content.size() - expectedPosition);
    EXPECT_EQ(rest.substr(0, got), content.substr(expectedPosition));
}

TEST(tsFileStream, SeekAndSkipFailures) {
    TempDir dir;
    std::string path = dir.FileWith("seek.bin", "0123456789");
    tsFileStream stream;
    ASSERT_EQ(stream.Open(path.c_str(), TS_OPEN_READ), 0);
    char byte = 0;
    ASSERT_EQ(stream.Read(&byte, 1), 0);

    TraceCapture trace;
    EXPECT_EQ(stream.Seek(3, 5), E_INVALIDARG);
    ASSERT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(byte, '1') << "a refused seek does not move";

    // Skip makes the move before it refuses its reserved argument.
    EXPECT_EQ(stream.Skip(2, 1), E_NOTIMPL);
    ASSERT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(byte, '4');
    EXPECT_EQ(trace.lines,
              (std::vector<std::string>{
                  "tsStream.cpp(221) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80070057)\n",
                  "tsStream.cpp(238) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004001)\n"}));

    EXPECT_EQ(stream.Seek(2, -1), 0);
    ASSERT_EQ(stream.Read(&byte, 1), 0);
    EXPECT_EQ(byte, '9');
    EXPECT_LT(stream.Seek(0, -1), 0);
}

TEST(tsFileStream, WriteAfterReadLandsAtTheReadPosition) {
    TempDir dir;
    std::string path = dir.FileWith("update.bin", "0123456789");
    {
        tsFileStream stream;
        ASSERT_EQ(stream.Open(path.c_str(), TS_OPEN_WRITE | TS_OPEN_READ), 0);
        char buffer[3];
        ASSERT_EQ(stream.Read(buffer, 3), 0);
        ASSERT_EQ(stream.Write("ab", 2), 0);
    }
    EXPECT_EQ(ReadBytes(path), "012ab56789");
}

TEST(tsFileStream, ShareModesOfLoadingAndSaving) {
    TempDir dir;
    std::string path = dir.FileWith("doc.trs", "old content");
    TraceCapture trace;

    tsFileStream loading;
    ASSERT_EQ(loading.Open(path.c_str(), TS_OPEN_READ), 0);
    tsFileStream otherReader;
    EXPECT_EQ(otherReader.Open(path.c_str(), TS_OPEN_READ), 0);
    tsFileStream saving;
    EXPECT_EQ(saving.Open(path.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE), TS_E_SHARING_VIOLATION);
    EXPECT_EQ(ReadBytes(path), "old content");
    loading.Close();
    otherReader.Close();

    ASSERT_EQ(saving.Open(path.c_str(), TS_OPEN_CREATE | TS_OPEN_WRITE), 0);
    EXPECT_EQ(ReadBytes(path), "") << "opening for saving truncates";
    EXPECT_EQ(loading.Open(path.c_str(), TS_OPEN_READ), TS_E_SHARING_VIOLATION);
    ASSERT_EQ(saving.Write("new", 3), 0);
    saving.Close();
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(tsFileStream, FullDiskFailsTheWrite) {
    tsFileStream stream;
    if (stream.Open("/dev/full", TS_OPEN_WRITE) != 0)
        GTEST_SKIP() << "no /dev/full here";
    TraceCapture trace;
    // The short byte count decides over the platform's disk-full error.
    EXPECT_EQ(stream.Write("data", 4), E_FAIL);
    EXPECT_EQ(trace.lines,
              std::vector<std::string>{
                  "tsStream.cpp(159) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n"});
}
