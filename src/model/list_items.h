#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvarton {

// Every kind of drop-down list of the input steps. Each kind's items are built once and shared.
enum class ListKind {
    StayModeHours, // steps 1–6: 2 … 14 and 24 hours (23 items)
    RoleHours, // steps 1–6: 0 to 16 by 0,05 (321)
    Positions, // steps 8 and 12: 0 to 50 by 0,05 (1001)
    Children, // steps 9–10: 0 to 1000 (1001)
    Percent1To99, // step 11, questions 1 and 2
    Percent0To30, // questions 3 and 4
    Percent40To100, // question 6
    Percent0To100, // questions 7, 8 and 10
    Percent0To20, // question 9, by 0,5
    Percent0To50, // question 11, by 0,5
    Months, // question 12: 7 to 12 by 0,5
    Days, // question 12: 3 to 7
    GroupSize, // question 13: 5 to 40
};
inline constexpr int kListKindCount = 13;

// The items of a kind, exactly as the list shows them ("0", "0,05", …, "16").
const std::vector<std::string>& listItems(ListKind kind);

// The row of `text` among the items of a kind, or nullopt; a lookup built once per kind.
std::optional<int> listRow(ListKind kind, std::string_view text);

} // namespace kvarton
