#include "model/TextResourceObject.h"

#include "common/Entries.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint32_t> Ids(const TextResourceObject& object) {
    std::vector<std::uint32_t> ids;
    for (std::uint32_t i = 0; i < object.GetEntryCount(); ++i)
        ids.push_back(object.GetEntry(i)->id);
    return ids;
}

} // namespace

TEST(TextResourceEntry, DefaultsAreThePlaceholders) {
    // Every field named, in file order.
    EXPECT_EQ(TextResourceEntry(), MakeEntry({0, "UNBENANNT", "leer", "leer", "leer", "", 0}));
}

TEST(TextResourceObject, NextFreeIdIsOneAboveTheLargest) {
    TextResourceObject object;
    EXPECT_EQ(object.GetNextFreeId(), 1u);
    object.AddEntry(MakeEntry({.id = 5}));
    object.AddEntry(MakeEntry({.id = 2}));
    EXPECT_EQ(object.GetNextFreeId(), 6u);
    object.DeleteEntry(5);
    EXPECT_EQ(object.GetNextFreeId(), 3u) << "gaps are not reused, the maximum is";
    object.AddEntry(MakeEntry({.id = 0xFFFFFFFFu}));
    EXPECT_EQ(object.GetNextFreeId(), 0u) << "the maximum id wraps";
}

TEST(TextResourceObject, DeleteRemovesOnlyTheFirstMatch) {
    TextResourceObject object;
    for (std::uint32_t id : {1u, 7u, 3u, 7u, 4u})
        object.AddEntry(
            MakeEntry({.id = id, .identifier = "e" + std::to_string(object.GetEntryCount())}));
    object.DeleteEntry(7);
    EXPECT_EQ(Ids(object), (std::vector<std::uint32_t>{1, 3, 7, 4}));
    EXPECT_EQ(object.GetEntry(2)->identifier, "e3") << "the later one of the pair stays";
    object.DeleteEntry(99);
    EXPECT_EQ(Ids(object), (std::vector<std::uint32_t>{1, 3, 7, 4}));
}

TEST(TextResourceObject, DeleteAtRemovesThatEntryEvenWhenAnEarlierOneSharesItsId) {
    TextResourceObject object;
    for (std::uint32_t id : {1u, 7u, 3u, 7u})
        object.AddEntry(
            MakeEntry({.id = id, .identifier = "e" + std::to_string(object.GetEntryCount())}));
    const std::uint32_t position = object.PositionOf(object.GetEntry(3));
    ASSERT_EQ(position, 3u);
    object.DeleteEntryAt(position);
    EXPECT_EQ(Ids(object), (std::vector<std::uint32_t>{1, 7, 3}));
    EXPECT_EQ(object.GetEntry(1)->identifier, "e1") << "the earlier entry with the id stays";

    TextResourceEntry outside = MakeEntry({.id = 1});
    EXPECT_EQ(object.PositionOf(&outside), object.GetEntryCount());
    EXPECT_EQ(object.PositionOf(nullptr), object.GetEntryCount());
    object.DeleteEntryAt(object.GetEntryCount());
    EXPECT_EQ(object.GetEntryCount(), 3u) << "a position past the end removes nothing";
}

TEST(TextResourceObject, GetEntryIsBoundedAndMutable) {
    TextResourceObject object;
    EXPECT_EQ(object.GetEntry(0), nullptr);
    object.AddEntry(MakeEntry({.id = 1, .identifier = "SAME"}));
    object.AddEntry(MakeEntry({.id = 2, .identifier = "SAME"}));
    EXPECT_EQ(object.GetEntryCount(), 2u) << "duplicate identifiers are kept";
    EXPECT_EQ(object.GetEntry(object.GetEntryCount()), nullptr);
    object.GetEntry(1)->text = "changed";
    EXPECT_EQ(object.GetEntry(1)->text, "changed");

    // The collection holds copies.
    TextResourceEntry entry = MakeEntry({.id = 3});
    object.AddEntry(entry);
    entry.text = "outside";
    EXPECT_EQ(object.GetEntry(2)->text, "leer");

    object.Clear();
    EXPECT_EQ(object.GetEntryCount(), 0u);
}
