// Tables on the huge-page allocator behave as on the heap: growth from a few
// bytes past the huge-page size keeps every element, and copies, swaps and
// frees mix blocks of both kinds.
#include "support/tsHugePageAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

TEST(tsHugePageAllocatorTest, GrowingPastTheHugePageSizeKeepsEveryElement) {
    using Table = std::vector<std::uint32_t, tsHugePageAllocator<std::uint32_t>>;
    Table table;
    for (std::uint32_t i = 0; i < 3'000'000; ++i) // 12 MB: several huge pages
        table.push_back(i);
    std::vector<std::uint32_t> expected(table.size());
    std::iota(expected.begin(), expected.end(), 0u);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), expected.begin(), expected.end()));

    Table small(10, 7u);
    small.swap(table);
    EXPECT_EQ(table.size(), 10u);
    table = small; // a copy onto a block of the other kind
    EXPECT_EQ(table.back(), 2'999'999u);
    small.clear();
    small.shrink_to_fit();

    std::basic_string<char, std::char_traits<char>, tsHugePageAllocator<char>> text;
    for (int i = 0; i < 400'000; ++i)
        text += "IDENTIFIER_";
    EXPECT_EQ(text.size(), 4'400'000u);
    EXPECT_EQ(text.substr(text.size() - 11), "IDENTIFIER_");
}
