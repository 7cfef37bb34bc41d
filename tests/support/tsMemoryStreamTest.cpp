#include "support/tsMemoryStream.h"

#include "common/TraceCapture.h"
#include "support/tsBufferedOutputStream.h"
#include "support/tsResult.h"

#include <gtest/gtest.h>

TEST(tsMemoryStream, ReadsLikeAFile) {
    tsMemoryStream stream("abcdef");
    char buffer[8] = {};
    std::uint32_t got = 0;
    EXPECT_EQ(stream.Read(buffer, 4, &got), 0);
    EXPECT_EQ(stream.Skip(1), 0);
    EXPECT_EQ(stream.Read(buffer, 4, &got), E_FAIL);
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(buffer[0], 'f');
    EXPECT_EQ(stream.Read(buffer, 0, &got), 0);
    EXPECT_LT(stream.Skip(-10), 0);
    EXPECT_EQ(stream.Skip(0, 1), E_NOTIMPL);
}

TEST(tsMemoryStream, CapacityFailsWritesPartWay) {
    tsMemoryStream stream;
    stream.SetCapacity(5);
    EXPECT_EQ(stream.Write("abc", 3), 0);
    EXPECT_EQ(stream.Write("def", 3), E_FAIL);
    EXPECT_EQ(stream.Data(), "abcde");
}

TEST(tsBufferedOutputStream, PassesEverythingOnAndKeepsTheFirstFailure) {
    tsMemoryStream target;
    {
        tsBufferedOutputStream buffered(target, 8);
        EXPECT_EQ(buffered.Write("abc", 3), 0);
        EXPECT_EQ(target.Data(), "") << "small writes wait in the buffer";
        EXPECT_EQ(buffered.Write("defghijklmnop", 13), 0);
        EXPECT_EQ(buffered.Write("q", 1), 0);
        EXPECT_EQ(buffered.Flush(), 0);
    }
    EXPECT_EQ(target.Data(), "abcdefghijklmnopq");

    tsMemoryStream small;
    small.SetCapacity(4);
    TraceCapture trace;
    tsBufferedOutputStream buffered(small, 4);
    EXPECT_EQ(buffered.Write("abc", 3), 0);
    EXPECT_EQ(buffered.Write("de", 2), 0);
    EXPECT_EQ(buffered.Write("f", 1), 0);
    EXPECT_EQ(buffered.Flush(), E_FAIL) << "the failure of the last block is reported";
    EXPECT_EQ(buffered.Write("g", 1), E_FAIL);
    EXPECT_EQ(buffered.Result(), E_FAIL);
}
