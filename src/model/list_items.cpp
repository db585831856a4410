#include "list_items.h"

#include <array>
#include <unordered_map>

namespace kvarton {

namespace {

// An arithmetic range in hundredths, so that 0,05 steps add up exactly.
struct Range {
    int fromHundredths;
    int toHundredths;
    int stepHundredths;
};

constexpr std::array<Range, kListKindCount> kRanges{{
    {0, 0, 1}, // StayModeHours: explicit items below
    {0, 1600, 5}, // RoleHours
    {0, 5000, 5}, // Positions
    {0, 100000, 100}, // Children
    {100, 9900, 100}, // Percent1To99
    {0, 3000, 100}, // Percent0To30
    {4000, 10000, 100}, // Percent40To100
    {0, 10000, 100}, // Percent0To100
    {0, 2000, 50}, // Percent0To20
    {0, 5000, 50}, // Percent0To50
    {700, 1200, 50}, // Months
    {300, 700, 100}, // Days
    {500, 4000, 100}, // GroupSize
}};

// Stay modes of a group: there is no 6,5, 7 or 7,5, and nothing between 14 and 24.
constexpr std::array<std::string_view, 23> kStayModeHours{"2", "2,5", "3", "3,5", "4", "4,5", "5", "5,5", "6", "8",
    "8,5", "9", "9,5", "10", "10,5", "11", "11,5", "12", "12,5", "13", "13,5", "14", "24"};

std::string hundredthsText(int h)
{
    std::string text = std::to_string(h / 100);
    if (const int fraction = h % 100; fraction != 0) {
        text += ',';
        text += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            text += static_cast<char>('0' + fraction % 10);
    }
    return text;
}

struct ListData {
    std::vector<std::string> items;
    std::unordered_map<std::string_view, int> rows; // views into `items`, which never changes
};

// Fills `d` in place: the row lookup refers to the item texts where they finally live.
void build(ListKind kind, ListData& d)
{
    if (kind == ListKind::StayModeHours) {
        d.items.assign(kStayModeHours.begin(), kStayModeHours.end());
    } else {
        const Range r = kRanges[static_cast<std::size_t>(kind)];
        d.items.reserve(static_cast<std::size_t>((r.toHundredths - r.fromHundredths) / r.stepHundredths + 1));
        for (int h = r.fromHundredths; h <= r.toHundredths; h += r.stepHundredths)
            d.items.push_back(hundredthsText(h));
    }
    d.rows.reserve(d.items.size());
    for (std::size_t i = 0; i < d.items.size(); ++i)
        d.rows.emplace(d.items[i], static_cast<int>(i));
}

const ListData& data(ListKind kind)
{
    static std::array<ListData, kListKindCount> all;
    static const bool built = [] {
        for (int i = 0; i < kListKindCount; ++i)
            build(static_cast<ListKind>(i), all[static_cast<std::size_t>(i)]);
        return true;
    }();
    (void)built;
    return all[static_cast<std::size_t>(kind)];
}

} // namespace

const std::vector<std::string>& listItems(ListKind kind) { return data(kind).items; }

std::optional<int> listRow(ListKind kind, std::string_view text)
{
    const auto& rows = data(kind).rows;
    if (const auto it = rows.find(text); it != rows.end())
        return it->second;
    return std::nullopt;
}

} // namespace kvarton
