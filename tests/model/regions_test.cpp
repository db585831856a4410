#include "model/regions.h"

#include <gtest/gtest.h>

#include <set>

using namespace kvarton;

TEST(Regions, HoldsTheEightyThreeRegionsInListOrder)
{
    const auto all = regions();
    ASSERT_EQ(all.size(), 83u);
    EXPECT_EQ(all.front().name, "Республика Башкортостан");
    EXPECT_EQ(all[70].name, "г. Санкт-Петербург");
    EXPECT_EQ(all.back().name, "Чеченская республика");
    std::set<std::string_view> names;
    for (const Region& r : all) {
        names.insert(r.name);
        EXPECT_GT(r.coefficient, 0.0);
        EXPECT_LE(r.coefficient, 1.0);
    }
    EXPECT_EQ(names.size(), 83u);
}

TEST(Regions, LooksUpByTheExactText)
{
    EXPECT_EQ(regionCoefficient("г. Санкт-Петербург"), 1.0);
    EXPECT_EQ(regionCoefficient("Камчатский край"), 0.643184131999298);
    EXPECT_EQ(regionCoefficient("Республика Северная Осетия – Алания"), 0.194565560821485);
    EXPECT_FALSE(regionCoefficient("Республика Северная Осетия - Алания")); // hyphen, not the dash
    EXPECT_FALSE(regionCoefficient("камчатский край"));
    EXPECT_FALSE(regionCoefficient(""));
}
