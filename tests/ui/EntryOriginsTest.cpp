// Where the entries were when a check started, followed through removals and
// appends in any order, against a plain list of the entries' starting
// positions that is edited the same way.

#include "EntryOrigins.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

TEST(EntryOriginsTest, FollowsRemovalsAndAppendsInAnyOrder) {
    std::mt19937 random(17);
    for (int round = 0; round < 50; ++round) {
        const std::uint32_t start = random() % 40;
        EntryOrigins origins(start);
        std::vector<std::uint32_t> model(start); // the origin of each entry now
        for (std::uint32_t i = 0; i < start; ++i)
            model[i] = i;
        std::uint32_t nextOrigin = start;
        std::vector<bool> removed(start + 100, false);
        for (int step = 0; step < 60; ++step) {
            if (!model.empty() && random() % 3 != 0) {
                const std::uint32_t at = random() % model.size();
                removed[model[at]] = true;
                model.erase(model.begin() + at);
                origins.Removed(at);
            } else {
                model.push_back(nextOrigin++);
                origins.Appended();
            }
            for (std::uint32_t p = 0; p < model.size(); ++p)
                ASSERT_EQ(origins.OriginOf(p), model[p]) << "round " << round << " step " << step;
            for (std::uint32_t o = 0; o < nextOrigin; ++o) {
                const std::optional<std::uint32_t> now = origins.PositionOf(o);
                if (removed[o]) {
                    EXPECT_FALSE(now) << "origin " << o << " was removed";
                } else {
                    ASSERT_TRUE(now);
                    EXPECT_EQ(model[*now], o);
                }
            }
        }
    }
    // A position past the end changes nothing.
    EntryOrigins few(2);
    few.Removed(5);
    EXPECT_EQ(few.PositionOf(1), 1u);
}
