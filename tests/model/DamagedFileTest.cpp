#include "common/TraceCapture.h"
#include "model/TextResourceObject.h"
#include "model/TrsBytes.h"
#include "support/tsMemoryStream.h"
#include "support/tsResult.h"
#include "testdata/TestData.h"

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
    TextResourceReadReport report;
    EXPECT_EQ(object.Read(stream, report), 0);
    ASSERT_EQ(object.GetEntryCount(), 3u);
    EXPECT_EQ(object.GetEntry(1)->identifier, "TWO");
    EXPECT_TRUE(*object.GetEntry(2) == TextResourceEntry());
    // Every failed read of the third record is traced, by the stream and by the strings.
    EXPECT_EQ(trace.lines.size(), 2u + 5u * 2u);
    EXPECT_FALSE(report.LoadedWhole()) << "the caller learns of the damage";

    const std::string wholeBytes = Header(4, 2) + Record(1, "ONE") + Record(2, "TWO");
    tsMemoryStream whole(wholeBytes);
    TextResourceReadReport wholeReport;
    EXPECT_EQ(object.Read(whole, wholeReport), 0);
    EXPECT_TRUE(wholeReport.LoadedWhole());
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
    TextResourceReadReport report;
    EXPECT_EQ(object.Read(stream, report), 0);
    ASSERT_EQ(object.GetEntryCount(), 2u);
    EXPECT_EQ(object.GetEntry(0)->audioFile, "leer");
    EXPECT_EQ(object.GetEntry(0)->text, "text");
    EXPECT_EQ(object.GetEntry(0)->lengthMs, 5u);
    EXPECT_EQ(object.GetEntry(1)->identifier, "TWO");
    EXPECT_EQ(report.failedFieldReads, 1u) << "a refused string is a failure of its own";
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

TEST(DamagedFile, AReportTellsWhatTheReaderMetAndChangesNothing) {
    for (const auto& [name, bytes] : testdata::MakeSeedFiles()) {
        SCOPED_TRACE(name);
        TextResourceObject plain;
        tsMemoryStream plainStream(bytes);
        const std::int32_t plainResult = plain.Read(plainStream);
        TextResourceObject reported;
        TextResourceReadReport report;
        tsMemoryStream reportedStream(bytes);
        EXPECT_EQ(reported.Read(reportedStream, report), plainResult);
        ASSERT_EQ(reported.GetEntryCount(), plain.GetEntryCount());
        for (std::uint32_t p = 0; p < plain.GetEntryCount(); ++p)
            EXPECT_TRUE(*reported.GetEntry(p) == *plain.GetEntry(p)) << p;
        EXPECT_EQ(reported.GetFileVersion(), plain.GetFileVersion());
        EXPECT_EQ(report.entries, plain.GetEntryCount());
        const bool damaged = name.find("count") == 0 || name.find("cut") == 0 ||
                             name.find("bad") == 0 || name.find("huge") == 0;
        EXPECT_EQ(!report.LoadedWhole(), damaged);
        EXPECT_FALSE(report.MagicDiffers());
        EXPECT_EQ(report.trailingBytes, 0u);
    }

    // Each problem with its record, field and offset; the bytes after the end.
    std::string bytes = Header(4, 2) + U32(1) + Str("ONE") + std::string("\xFF\xFE\xFF", 3) +
                        Str(std::string("te\0xt", 5)) + Str("c") + Str("s") + U32(5) +
                        Record(2, "TWO") + "tail";
    bytes[0] = 'X';
    TextResourceObject object;
    TextResourceReadReport report;
    tsMemoryStream stream(bytes);
    EXPECT_EQ(object.Read(stream, report), 0);
    EXPECT_TRUE(report.MagicDiffers());
    EXPECT_FALSE(report.LoadedWhole());
    EXPECT_EQ(report.failedFieldReads, 1u);
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].kind, TextResourceFieldProblem::Kind::ReadFailed);
    EXPECT_EQ(report.problems[0].field, trs::Field::AudioFile);
    EXPECT_EQ(report.problems[0].offset, 32u);
    EXPECT_FALSE(report.problems[0].dataEnded);
    EXPECT_EQ(report.problems[1].kind, TextResourceFieldProblem::Kind::CutAtZero);
    EXPECT_EQ(report.problems[1].field, trs::Field::Text);
    EXPECT_EQ(report.problems[1].offset, 35u);
    EXPECT_EQ(report.problems[1].storedLength, 5u);
    EXPECT_EQ(report.problems[1].keptLength, 2u);
    EXPECT_EQ(report.trailingBytes, 4u);
    EXPECT_EQ(report.bytesRead, bytes.size() - 4);
    EXPECT_EQ(report.recordsWithData, 2u);
}
