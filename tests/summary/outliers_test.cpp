#include "summary/outliers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kvarton::summary;

namespace {

constexpr std::nullopt_t no = std::nullopt;

} // namespace

// The figures a group gives, and which of them the teacher sees marked.
TEST(Outliers, FarFiguresOfAColumn)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    using Values = std::vector<std::optional<double>>;
    using Marks = std::vector<bool>;
    const struct {
        const char* what;
        Values values;
        Marks far;
    } cases[] = {
        {"a typo among close figures", {10.1, 10.3, 9.8, 10.0, 16.3}, {0, 0, 0, 0, 1}},
        {"one slip does not hide another", {10, 11, 9, 10, 1000, 900}, {0, 0, 0, 0, 1, 1}},
        {"a spread group marks nothing", {1, 5, 9, 13, 17}, {0, 0, 0, 0, 0}},
        {"all equal", {7, 7, 7, 7}, {0, 0, 0, 0}},
        {"most equal: the mean deviation decides", {7, 7, 7, 7, 8}, {0, 0, 0, 0, 1}},
        {"most equal, close figures stay unmarked", {7, 7, 7, 7, 7.2, 7.3, 12}, {0, 0, 0, 0, 0, 0, 1}},
        {"texts and errors are no figures", {10, no, 10.2, nan, 9.9, 500}, {0, 0, 0, 0, 0, 1}},
        {"two figures are no group", {1, 1000}, {0, 0}},
        {"negative figures alike", {-5, -6, -5.5, -5.2, 300}, {0, 0, 0, 0, 1}},
        {"nothing", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(farFromTypical(c.values), c.far) << c.what;
}

TEST(Outliers, EveryFigureColumnOfTheRows)
{
    std::vector<SummaryRow> rows(5);
    for (std::size_t r = 0; r < rows.size(); ++r)
        rows[r].figures = {10.0 + static_cast<double>(r) / 10, std::string("-"), SummaryValue{}};
    rows[2].figures[0] = 90.0;
    const auto far = farFigures(rows);
    ASSERT_EQ(far.size(), 5u);
    for (std::size_t r = 0; r < rows.size(); ++r)
        EXPECT_EQ(far[r], (std::vector<bool>{r == 2, false, false})) << r;
}
