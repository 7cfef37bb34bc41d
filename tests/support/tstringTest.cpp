#include "support/tstring.h"

#include "common/TraceCapture.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

#include <gtest/gtest.h>

namespace {

std::string Written(const std::string& value) {
    tsMemoryStream stream;
    EXPECT_EQ(WriteString(value, stream), 0);
    return stream.Data();
}

std::string Prefix(const std::string& value) {
    std::string bytes = Written(value);
    return bytes.substr(0, bytes.size() - value.size());
}

} // namespace

TEST(tstring, WriteStringPrefixesAtTheirLimits) {
    EXPECT_EQ(Written(""), std::string(1, '\0'));
    EXPECT_EQ(Prefix(std::string(254, 'x')), "\xFE");
    EXPECT_EQ(Prefix(std::string(255, 'x')), std::string("\xFF\xFF\x00", 3));
    EXPECT_EQ(Prefix(std::string(65533, 'x')), "\xFF\xFD\xFF");
    EXPECT_EQ(Prefix(std::string(65534, 'x')), std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7));
    EXPECT_EQ(Prefix(std::string(70000, 'x')), std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7));
}

TEST(tstring, ReadStringReadsWhatWriteStringWrote) {
    for (std::size_t size : {0u, 1u, 254u, 255u, 65533u, 65534u, 200000u}) {
        std::string value(size, '\0');
        for (std::size_t i = 0; i < size; ++i)
            value[i] = static_cast<char>('a' + i % 26);
        tsMemoryStream stream(Written(value));
        std::string read = "before";
        EXPECT_EQ(ReadString(read, stream), 0);
        EXPECT_EQ(read, value) << size;
        EXPECT_EQ(stream.Position(), stream.Data().size());
    }
}

TEST(tstring, ReadStringCutsAtAZeroByteButConsumesTheField) {
    tsMemoryStream stream(std::string("\x03"
                                      "A\x00"
                                      "B!",
                                      5));
    std::string read;
    EXPECT_EQ(ReadString(read, stream), 0);
    EXPECT_EQ(read, "A");
    EXPECT_EQ(stream.Position(), 4u);
}

TEST(tstring, MalformedPrefixFailsAfterThreeBytes) {
    tsMemoryStream stream(std::string("\xFF\xFE\xFF\x01X", 5));
    std::string read = "kept";
    TraceCapture trace;
    EXPECT_EQ(ReadString(read, stream), E_FAIL);
    EXPECT_EQ(read, "kept");
    EXPECT_EQ(stream.Position(), 3u);
    EXPECT_EQ(trace.lines,
              std::vector<std::string>{
                  "tstring.cpp(365) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n"});
}

TEST(tstring, DamagedLengthsFailWithoutHugeBuffers) {
    // Lengths near 4294967295 must neither wrap the buffer size nor allocate it.
    for (std::uint32_t length : {0xFFFFFFFFu, 0xFFFFFFFEu, 0x7FFFFFFFu, 100000u}) {
        std::string bytes("\xFF\xFF\xFF", 3);
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>(length >> (8 * i)));
        bytes += "only a few bytes";
        tsMemoryStream stream(bytes);
        std::string read = "kept";
        TraceCapture trace;
        EXPECT_EQ(ReadString(read, stream), E_FAIL) << length;
        EXPECT_EQ(read, "kept");
        // The stream reports its short read, then the string its failure.
        ASSERT_EQ(trace.lines.size(), 2u);
        EXPECT_EQ(trace.lines[1],
                  "tstring.cpp(365) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n");
    }
}

TEST(tstring, FailingWritesAreReported) {
    tsMemoryStream stream;
    stream.SetCapacity(2);
    TraceCapture trace;
    EXPECT_EQ(WriteString(std::string(300, 'x'), stream), E_FAIL) << "the prefix does not fit";
    EXPECT_EQ(trace.lines.back(),
              "tstring.cpp(430) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n");
}

TEST(tstring, AnsiAndUtf8Conversions) {
    std::string out = "stale";
    EXPECT_EQ(AnsiToUtf8(out, "\xE4"), 0);
    EXPECT_EQ(out, "\xC3\xA4");
    EXPECT_EQ(Utf8ToAnsi(out, "\xC3\xA4"), 0);
    EXPECT_EQ(out, "\xE4");
    EXPECT_EQ(AnsiToUtf8(out, "Gr\xFC\xDF"
                              " \x80"),
              0);
    EXPECT_EQ(out, "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");

    // Polish, Greek and Japanese have no place in Windows-1252.
    EXPECT_EQ(Utf8ToAnsi(out, "\xC5\x82\xCE\xB1\xE6\x97\xA5"), 0);
    EXPECT_EQ(out, "???");

    out = "stale";
    EXPECT_EQ(AnsiToUtf8(out, ""), 0);
    EXPECT_EQ(out, "");
    out = "stale";
    EXPECT_EQ(Utf8ToAnsi(out, ""), 0);
    EXPECT_EQ(out, "");

    // The result ends at the first zero byte.
    EXPECT_EQ(AnsiToUtf8(out, std::string("a\0\xE4", 3)), 0);
    EXPECT_EQ(out, "a");
}
