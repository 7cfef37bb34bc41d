#include "common/TraceCapture.h"
#include "model/TextResourceObject.h"
#include "model/TrsBytes.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"

#include <gtest/gtest.h>

using namespace trsbytes;

namespace {

std::string Record(std::uint32_t id, const std::string& identifier) {
    return U32(id) + Str(identifier) + Str("a.wav") + Str("text") + Str("comment") +
           Str("speaker") + U32(1000);
}

} // namespace

TEST(DamagedFile, MissingRecordsAreAppendedWithDefaults) {
    std::string bytes = Header(4, 3) + Record(1, "ONE") + Record(2, "TWO");
    TextResourceObject object;
    tsMemoryStream stream(bytes);
    TraceCapture trace;
    EXPECT_EQ(object.Read(stream), 0);
    ASSERT_EQ(object.GetEntryCount(), 3u);
    EXPECT_EQ(object.GetEntry(1)->identifier, "TWO");
    EXPECT_TRUE(*object.GetEntry(2) == TextResourceEntry());
    // Every failed read of the third record is traced, by the stream and by the strings.
    EXPECT_EQ(trace.lines.size(), 2u + 5u * 2u);
    EXPECT_EQ(object.GetReadFailures(), 7u) << "the caller learns of the damage";

    const std::string wholeBytes = Header(4, 2) + Record(1, "ONE") + Record(2, "TWO");
    tsMemoryStream whole(wholeBytes);
    EXPECT_EQ(object.Read(whole), 0);
    EXPECT_EQ(object.GetReadFailures(), 0u);
}

TEST(DamagedFile, UnreadableCountFailsTheLoadAndAppendsNothing) {
    for (std::size_t size : {0u, 10u, 16u, 20u, 23u}) {
        std::string bytes = (Header(4, 1) + Record(1, "ONE")).substr(0, size);
        TextResourceObject object;
        tsMemoryStream stream(bytes);
        TraceCapture trace;
        EXPECT_EQ(object.Read(stream), E_FAIL) << size;
        EXPECT_EQ(object.GetEntryCount(), 0u);
        ASSERT_FALSE(trace.lines.empty());
        EXPECT_EQ(trace.lines.back(),
                  "TextResourceObject.cpp(363) : TRACE_ERROR: Error: ASSERT_HRESULT(0x80004005)\n");
    }
}

TEST(DamagedFile, MalformedPrefixCostsOnlyItsField) {
    std::string bytes = Header(4, 2) + U32(1) + Str("ONE") + std::string("\xFF\xFE\xFF", 3) +
                        Str("text") + Str("comment") + Str("speaker") + U32(5) + Record(2, "TWO");
    TextResourceObject object;
    tsMemoryStream stream(bytes);
    EXPECT_EQ(object.Read(stream), 0);
    ASSERT_EQ(object.GetEntryCount(), 2u);
    EXPECT_EQ(object.GetEntry(0)->audioFile, "leer");
    EXPECT_EQ(object.GetEntry(0)->text, "text");
    EXPECT_EQ(object.GetEntry(0)->lengthMs, 5u);
    EXPECT_EQ(object.GetEntry(1)->identifier, "TWO");
    EXPECT_EQ(object.GetReadFailures(), 1u) << "a refused string is a failure of its own";
}

TEST(DamagedFile, AbsurdCountsAndLengthsStayBounded) {
    // A count of four billion over one record must neither hang nor fill memory.
    std::string bytes = Header(4, 0xFFFFFFFFu) + Record(1, "ONE");
    TextResourceObject object;
    tsMemoryStream stream(bytes);
    EXPECT_EQ(object.Read(stream), 0);
    EXPECT_GE(object.GetEntryCount(), 2u);
    EXPECT_LE(object.GetEntryCount(), 1u + 256u);
    EXPECT_EQ(object.GetEntry(0)->identifier, "ONE");

    // A string that claims four gigabytes takes the rest of the file and fails.
    std::string huge =
        Header(4, 1) + U32(7) + std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "rest of the data";
    TextResourceObject other;
    tsMemoryStream hugeStream(huge);
    EXPECT_EQ(other.Read(hugeStream), 0);
    ASSERT_EQ(other.GetEntryCount(), 1u);
    EXPECT_EQ(other.GetEntry(0)->id, 7u);
    EXPECT_EQ(other.GetEntry(0)->identifier, "UNBENANNT");
}

TEST(DamagedFile, PartialNumbersKeepTheBytesThatArrived) {
    std::string bytes = Header(4, 1) + std::string("\x05\x01", 2);
    TextResourceObject object;
    tsMemoryStream stream(bytes);
    EXPECT_EQ(object.Read(stream), 0);
    ASSERT_EQ(object.GetEntryCount(), 1u);
    EXPECT_EQ(object.GetEntry(0)->id, 0x0105u);
}
