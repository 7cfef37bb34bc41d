// The filter's folded text: folded from a copy on a thread it finds what the
// direct fold finds, and it follows removals without being built again.

#include "EntryFoldIndex.h"

#include "common/Entries.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint32_t> Find(const EntryFoldIndex& index, const char* word,
                                const std::string& speaker = {}) {
    return index.Find({FoldForFilter(word)}, FoldForFilter(speaker));
}

} // namespace

TEST(EntryFoldIndexTest, TheCopyFoldsLikeTheEntriesAndFollowsRemovals) {
    TextResourceObject entries = MakeEntries({
        {.id = 1, .identifier = "A", .text = std::string("zero\0byte", 9), .speaker = "Vale"},
        {.id = 2, .identifier = "B", .text = "Der KAPITÄN", .comment = "byte"},
        {.id = 3, .identifier = "C", .text = "\xFF kapitän", .speaker = "Vale"},
        {.id = 4, .identifier = "D", .audioFile = "zero.wav"},
    });
    EntryFoldIndex direct;
    direct.Build(entries);
    EntryFoldIndex copied;
    const std::atomic<bool> go{false};
    ASSERT_TRUE(copied.Build(EntryFoldSource::Copy(entries), go));
    for (const char* word : {"kapitän", "zero", "byte", "a", "\xFF", "vale"}) {
        EXPECT_EQ(Find(copied, word), Find(direct, word)) << word;
        EXPECT_EQ(Find(copied, word, "vale"), Find(direct, word, "vale")) << word;
    }
    // The zero byte inside a field does not split it: "zero byte" is no two fields.
    EXPECT_EQ(Find(copied, "zero"), (std::vector<std::uint32_t>{0, 3}));

    copied.Remove(1);
    EXPECT_EQ(copied.Count(), 3u);
    EXPECT_EQ(Find(copied, "kapitän"), std::vector<std::uint32_t>{1});
    EXPECT_EQ(Find(copied, "zero"), (std::vector<std::uint32_t>{0, 2}));
    copied.Remove(0);
    copied.Update(2, *entries.GetEntry(1)); // appended after the removals
    EXPECT_EQ(Find(copied, "kapitän"), (std::vector<std::uint32_t>{0, 2}));

    const std::atomic<bool> stop{true};
    EntryFoldIndex cancelled;
    EXPECT_FALSE(cancelled.Build(EntryFoldSource::Copy(entries), stop));
    EXPECT_FALSE(cancelled.IsBuilt());
}
