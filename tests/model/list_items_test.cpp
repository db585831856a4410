#include "model/list_items.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace kvarton;

namespace {

struct Expected {
    ListKind kind;
    std::size_t count;
    const char* first;
    const char* second;
    const char* last;
};

} // namespace

TEST(ListItems, EveryKindHasItsItemsInOrder)
{
    const Expected all[] = {
        {ListKind::StayModeHours, 23, "2", "2,5", "24"},
        {ListKind::RoleHours, 321, "0", "0,05", "16"},
        {ListKind::Positions, 1001, "0", "0,05", "50"},
        {ListKind::Children, 1001, "0", "1", "1000"},
        {ListKind::Percent1To99, 99, "1", "2", "99"},
        {ListKind::Percent0To30, 31, "0", "1", "30"},
        {ListKind::Percent40To100, 61, "40", "41", "100"},
        {ListKind::Percent0To100, 101, "0", "1", "100"},
        {ListKind::Percent0To20, 41, "0", "0,5", "20"},
        {ListKind::Percent0To50, 101, "0", "0,5", "50"},
        {ListKind::Months, 11, "7", "7,5", "12"},
        {ListKind::Days, 5, "3", "4", "7"},
        {ListKind::GroupSize, 36, "5", "6", "40"},
    };
    for (const Expected& e : all) {
        const auto& items = listItems(e.kind);
        ASSERT_EQ(items.size(), e.count) << e.first << "…" << e.last;
        EXPECT_EQ(items[0], e.first);
        EXPECT_EQ(items[1], e.second);
        EXPECT_EQ(items.back(), e.last);
        for (std::size_t i = 0; i < items.size(); ++i)
            EXPECT_EQ(listRow(e.kind, items[i]), static_cast<int>(i));
    }
}

TEST(ListItems, DecimalsHaveNoTrailingZeros)
{
    const auto& hours = listItems(ListKind::RoleHours);
    EXPECT_EQ(hours[2], "0,1");
    EXPECT_EQ(hours[7], "0,35");
    EXPECT_EQ(hours[10], "0,5");
    EXPECT_EQ(hours[319], "15,95");
    for (ListKind kind : {ListKind::RoleHours, ListKind::Positions, ListKind::Percent0To50})
        for (const std::string& item : listItems(kind))
            EXPECT_FALSE(item.find(',') != std::string::npos && item.back() == '0') << item;
    EXPECT_FALSE(listRow(ListKind::RoleHours, "0,50"));
    EXPECT_FALSE(listRow(ListKind::RoleHours, "0.5"));
}

TEST(ListItems, StayModesSkipTheMissingHours)
{
    const auto& modes = listItems(ListKind::StayModeHours);
    for (const char* absent : {"6,5", "7", "7,5", "15", "23"})
        EXPECT_EQ(std::find(modes.begin(), modes.end(), absent), modes.end()) << absent;
    EXPECT_EQ(modes[20], "13,5");
    EXPECT_EQ(modes[21], "14");
}

TEST(ListItems, TheSameKindIsBuiltOnce) { EXPECT_EQ(&listItems(ListKind::Children), &listItems(ListKind::Children)); }
