#pragma once

#include "model/conversion.h"
#include "model/enums.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace kvarton::calc {

// The results panels of steps 13–16 as data: every value label with the display pattern of its
// number, and the caption, unit, heading and column head the screen shows beside it. The
// calculations write their texts by these tables and the calculation screen is built from them,
// so that a value label's name is written once; a results sheet or a summary finds the screen's
// own caption of each figure here.

// A text of a panel with the object name of its label; both empty where there is none.
struct PanelText {
    std::string_view name;
    std::string_view text;
};

// A label that shows a number: its object name, the display pattern that gives the number's
// decimals, and the unit written after it. A text the calculation chooses instead of a number
// ("-", or "0" for an amount without working time) goes into the same label.
struct ValueLabel {
    std::string_view name;
    Pattern pattern = Pattern::Whole;
    PanelText unit;
};

// The number of decimals a display pattern shows.
constexpr int decimals(Pattern pattern) noexcept { return static_cast<int>(pattern); }

// One line of a panel: the heading of the section it stands in (repeated on every line of the
// section), its caption, and its values in the panel's columns. A column without a value holds an
// unnamed label. An indented line is a part of the nearest line above it that is not. A total
// (and the subsidy set against the totals) stands apart from the lines above it.
struct PanelLine {
    PanelText heading;
    PanelText caption;
    std::array<ValueLabel, 3> values;
    bool indented = false;
    bool total = false;
};

// A results panel: its frame, the heads over the captions and over the value columns where the
// screen shows them, and its lines from top to bottom.
struct Panel {
    std::string_view frame;
    PanelText captionsHead;
    std::array<PanelText, 3> columnHeads;
    std::span<const PanelLine> lines;
};

// The panels in the order of their steps, 13 to 16.
enum class ResultsPanel { PupilHourCost, Incentives, NormativeTable, Estimate };

} // namespace kvarton::calc

namespace kvarton {
template <>
inline constexpr std::size_t kCount<calc::ResultsPanel> = 4;
} // namespace kvarton

namespace kvarton::calc {

const Panel& panel(ResultsPanel p) noexcept;
inline constexpr int kFirstResultsStep = 13;

// The title of the step a panel stands on, Label1 of the calculation screen.
constexpr std::string_view stepTitle(ResultsPanel p) noexcept
{
    constexpr std::array<std::string_view, 4> titles{"Шаг 13. Расчет ученико-часа.",
        "Шаг 14. Расчет стимулирующих выплат.", "Шаг 15. Нормативы финансирования.",
        "Шаг 16. Ориентировочные расходы учреждения."};
    return titles[static_cast<std::size_t>(p)];
}

constexpr ResultsPanel panelOfStep(int step) noexcept { return static_cast<ResultsPanel>(step - kFirstResultsStep); }

// The lines of each panel by meaning; a line's index in its panel is its enumerator's value.

// Step 13: the two weighted costs, then hours per pupil and total hours of the cells day general,
// day compensating, short-term general, short-term compensating.
enum class PupilHourLine {
    CostDay,
    CostShortTerm,
    HoursPerPupilDay,
    HoursPerPupilDayCompensating,
    HoursPerPupilShortTerm,
    HoursPerPupilShortTermCompensating,
    HoursDay,
    HoursDayCompensating,
    HoursShortTerm,
    HoursShortTermCompensating,
};

// Step 14: the three funds, the coefficients for compensating groups, then one line per
// pedagogical role in role order, whose values are its coefficient and the amount of its raise.
enum class IncentiveLine { SalaryFund, CompensationFund, AwardsFund, CompensatingTeachers, CompensatingOther, Teacher };
enum class RoleColumn { Coefficient, Amount };

// Step 15: the total, the education section with its four parts, the care section with its four
// parts; each line shows the normative, the need and the remainder.
enum class NormativeLine {
    Total,
    Education,
    Pedagogical,
    AdminEducation,
    ServiceEducation,
    MaterialEducation,
    Care,
    Assistant,
    AdminCare,
    ServiceCare,
    MaterialCare,
};
enum class NormativeColumn { Normative, Need, Remainder };

// Step 16: the pedagogical payroll and one line per pedagogical role, then the other rows of the
// estimate; each line shows the amount in all and its special part (none on three lines).
enum class EstimateLine : std::size_t {
    Pedagogical,
    Teacher,
    Admin = Teacher + kPedagogicalRoleCount,
    Head,
    Service,
    Assistant,
    Payroll,
    Material,
    Expenses,
    Subsidy,
};
enum class EstimateColumn { Total, Special };

const PanelLine& line(PupilHourLine l) noexcept;
const PanelLine& line(IncentiveLine l) noexcept;
const PanelLine& line(NormativeLine l) noexcept;
const PanelLine& line(EstimateLine l) noexcept;
// The line of a pedagogical role on step 14 or 16.
const PanelLine& incentiveLine(StaffRole role) noexcept;
const PanelLine& estimateLine(StaffRole role) noexcept;

// The value of a line in a column of its panel.
template <typename Column>
const ValueLabel& value(const PanelLine& l, Column column) noexcept
{
    return l.values[static_cast<std::size_t>(column)];
}
inline const ValueLabel& value(const PanelLine& l) noexcept { return l.values[0]; }

// A value label with its place: the panel, the line (caption and heading) and the column.
struct PlacedValue {
    ResultsPanel panel;
    const PanelLine* line;
    std::size_t column;
    const ValueLabel* value;

    // The head over the value's column; empty on panels without column heads.
    std::string_view columnHead() const noexcept;
};

// Every value label of a panel, line by line, each line's columns from left to right.
std::vector<PlacedValue> valueLabels(ResultsPanel p);
std::size_t valueLabelCount(ResultsPanel p) noexcept;
// The value label of that name on any panel.
std::optional<PlacedValue> findValueLabel(std::string_view name);

} // namespace kvarton::calc
