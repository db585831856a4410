#include "model/regions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

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

// One rule wherever a region is looked up by name: blanks around the text, letter case and «ё»
// do not count; every other character does.
TEST(Regions, ATextNamesARegionByOneRule)
{
    EXPECT_EQ(regionCoefficient("г. Санкт-Петербург"), 1.0);
    EXPECT_EQ(regionCoefficient("Камчатский край"), 0.643184131999298);
    EXPECT_EQ(regionCoefficient("Республика Северная Осетия – Алания"), 0.194565560821485);
    const struct {
        const char* text;
        const char* kept; // nullptr: names no region
    } cases[] = {
        {"Камчатский край", "Камчатский край"},
        {"Еврейская АО ", "Еврейская АО"}, // as a spreadsheet may leave it
        {"\t\xC2\xA0 еврейская ао\r\n", "Еврейская АО"},
        {"КАМЧАТСКИЙ КРАЙ", "Камчатский край"},
        {"Республика Саха (ЯКУТИЯ)", "Республика Саха (Якутия)"},
        {"Чеченская Республика", "Чеченская республика"},
        {"Мурманская Область", "Мурманская область"},
        {"ёврейская АО", "Еврейская АО"},
        {"Республика Сёверная Осетия – Алания", "Республика Северная Осетия – Алания"},
        {"ЕВРЕЙСКАЯ АO", nullptr}, // a Latin O
        {"Республика Северная Осетия - Алания", nullptr}, // a hyphen, not the dash
        {"Камчатский  край", nullptr},
        {"Камчатский", nullptr},
        {"Камчатский край Камчатский край", nullptr},
        {"Кам\xD1", nullptr},
        {"\xFF\xFE", nullptr},
        {"", ""},
        {"  \t", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto kept = keptRegionName(c.text);
        ASSERT_EQ(kept.has_value(), c.kept != nullptr);
        if (!c.kept)
            continue;
        EXPECT_EQ(*kept, c.kept);
        EXPECT_EQ(regionCoefficient(c.text), regionCoefficient(c.kept));
        EXPECT_EQ(regionCoefficient(c.text).has_value(), *kept != "");
    }
    // No two names of the table are one name by the rule.
    for (const Region& r : regions())
        EXPECT_EQ(findRegion(" " + std::string(r.name) + " "), &r) << r.name;
}
