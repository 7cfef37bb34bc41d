// The search scan over a collection, without windows: the byte matcher against
// the standard library's search, the id's signed form, and where a scan starts.
#include "document/EntrySearch.h"

#include "common/Entries.h"
#include "model/TextResourceObject.h"

#include <gtest/gtest.h>
#include <random>

// The matcher filters blocks of candidate positions; compare it with
// std::string_view::find over fields and needles of every length around the
// block size, from a small alphabet (with CR, LF, NUL and a non-ASCII byte) so
// that partial matches are frequent.
TEST(EntrySearch, SubstringMatchAgreesWithTheStandardSearch) {
    const std::string alphabet("ab\r\n\0\xc3", 6);
    std::mt19937 random(20261208);
    for (int round = 0; round < 20000; ++round) {
        std::string field(random() % 100, ' ');
        for (char& c : field)
            c = alphabet[random() % alphabet.size()];
        std::string needle(random() % 7, ' ');
        for (char& c : needle)
            c = alphabet[random() % alphabet.size()];
        if (round % 5 == 0 && field.size() >= 4) // plant the needle at the end sometimes
            needle = field.substr(field.size() - 1 - random() % 3);

        const TextResourceObject entries = EntriesWithTexts({field});
        const bool expected = std::string_view(field).find(needle) != std::string_view::npos;
        ASSERT_EQ(FindMatchingEntry(entries, needle, SEARCH_IN_TEXT, -1) == 0, expected)
            << "field of " << field.size() << " bytes, needle of " << needle.size();
    }
}

TEST(EntrySearch, EachFieldIsSearchedOnItsOwn) {
    const TextResourceObject entries = MakeEntries({{.id = 12,
                                                     .identifier = "GATE_GUARD",
                                                     .audioFile = "gate_guard_01.wav",
                                                     .text = "Halt! Who goes there?",
                                                     .comment = "shouted"}});

    EXPECT_EQ(FindMatchingEntry(entries, "GUARD", SEARCH_IN_IDENTIFIER, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "GUARD", SEARCH_IN_TEXT, -1), -1);
    EXPECT_EQ(FindMatchingEntry(entries, "_01.wav", SEARCH_IN_AUDIO, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "shout", SEARCH_IN_COMMENT, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "goes", SEARCH_IN_TEXT, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "12", SEARCH_IN_ID, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "", 0, -1), -1);
    EXPECT_EQ(FindMatchingEntry(entries, "", 6, -1), -1);
}

TEST(EntrySearch, IdIsComparedAsItsSignedDecimalForm) {
    const TextResourceObject entries =
        MakeEntries({{.id = 7}, {.id = 4294967294u}, {.id = 2147483648u}, {.id = 0}});
    EXPECT_EQ(FindMatchingEntry(entries, "7", SEARCH_IN_ID, -1), 0);
    EXPECT_EQ(FindMatchingEntry(entries, "-2", SEARCH_IN_ID, -1), 1);
    EXPECT_EQ(FindMatchingEntry(entries, "4294967294", SEARCH_IN_ID, -1), -1);
    EXPECT_EQ(FindMatchingEntry(entries, "-2147483648", SEARCH_IN_ID, -1), 2);
    EXPECT_EQ(FindMatchingEntry(entries, "0", SEARCH_IN_ID, -1), 3);
    for (const char* near : {"07", " 7", "7 ", "+7", ""})
        EXPECT_EQ(FindMatchingEntry(entries, near, SEARCH_IN_ID, -1), -1) << '"' << near << '"';
}

TEST(EntrySearch, StartBeyondTheLastEntryWrapsAround) {
    const TextResourceObject entries = EntriesWithTexts({"x", "hit", "x"});
    EXPECT_EQ(FindMatchingEntry(entries, "hit", SEARCH_IN_TEXT, 3), 1);
    EXPECT_EQ(FindMatchingEntry(entries, "hit", SEARCH_IN_TEXT, 1000), 1);
    EXPECT_EQ(FindMatchingEntry(entries, "miss", SEARCH_IN_TEXT, 1000), -1);
    EXPECT_EQ(FindMatchingEntry(TextResourceObject(), "", SEARCH_IN_TEXT, 0), -1);
}
