#pragma once

#include "quantity.h"
#include "step_view.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The charts of the results: what a chart draws and the words that state its figures. The charts
// beside the tables of steps 15 and 16 are built from what the table shows (its StepView), so that
// a chart never disagrees with its table; the screen only paints them.
namespace kvarton::calc {

// A kind of bar, with one look on the screen and in the workbook: a colour from a palette that
// colour-blind readers tell apart (Okabe and Ito's) and, for the kinds that stand next to a kind of
// similar lightness, a hatch, so that the bars stay distinct in greyscale print.
enum class Swatch {
    Normative,
    Need,
    PedagogicalPay,
    AdminPay,
    ServicePay,
    AssistantPay,
    Accruals,
    Material,
    Subsidy,
};

enum class Hatch { None, Diagonal, Cross, Horizontal, Dots };

struct SwatchLook {
    std::uint32_t rgb; // 0xRRGGBB
    Hatch hatch;
};

SwatchLook look(Swatch swatch) noexcept;

struct ChartSegment {
    Swatch swatch;
    double value;
};

// A bar: its parts one after another from zero.
using ChartBar = std::vector<ChartSegment>;

double total(const ChartBar& bar) noexcept;

// A line of a chart: its caption, its bars one under another, and a remark after them
// ("не хватает 14035"). A heading line stands out from the lines of its parts.
struct ChartLine {
    std::string caption;
    std::vector<ChartBar> bars;
    std::string remark;
    bool heading = false;
};

struct LegendEntry {
    Swatch swatch;
    std::string text;
};

// A figure a chart states, which can be asked how it was obtained: where it stands, what it is and
// the words that state it (a tip over it, and what a screen reader reads when it is picked).
struct ChartFigure {
    enum class Place : std::uint8_t { Segment, Remark, Legend, Sentence };
    Place place = Place::Segment;
    std::size_t index = 0; // the line (Segment, Remark), the legend entry or the sentence
    std::size_t bar = 0; // Segment: the bar of the line and the segment of the bar
    std::size_t segment = 0;
    FigureRef figure;
    std::string words;
};

// A horizontal bar chart on one scale from zero. Where there is nothing sound to draw (every value
// zero, a value that cannot be computed or is negative) it has no lines and says why in words.
struct BarChart {
    std::string name; // what the chart shows; its accessible name
    std::vector<ChartLine> lines;
    std::vector<LegendEntry> legend;
    std::vector<std::string> sentences; // under the bars, or in their place
    std::string description; // every figure in words; its accessible description
    std::vector<ChartFigure> figures; // what can be asked, in reading order

    // The largest bar, which spans the whole width.
    double scale() const noexcept;
};

// The captions of the two bars of the estimate's chart, which a results sheet's chart names alike.
inline constexpr std::string_view kExpensesBar = "Расходы";
inline constexpr std::string_view kSubsidyBar = "Субсидия";

// The expenses of step 16 by kind, in the order they are stacked, beside the subsidy: what the
// estimate's chart shows. The accruals on pay are the expenses less the pay and the material
// costs, all as the table shows them. An amount is nullopt where the table shows no number.
struct ExpenseKind {
    Swatch swatch;
    std::string caption;
    std::optional<double> amount;
    FigureRef figure; // the table's value label, or the quantity the chart computes
};

struct ExpenseStructure {
    std::vector<ExpenseKind> kinds;
    std::string expensesCaption; // "Всего расходов, с учетом начислений"
    std::optional<double> expenses;
    std::string subsidyCaption;
    std::optional<double> subsidy;

    // Whether every amount is known.
    bool complete() const noexcept;
};

ExpenseStructure expenseStructure(const StepView& estimate);

// Step 15: normative and needs of the group's sections and of their parts, the remainder of each
// stated as what is left or what is missing.
BarChart normativeChart(const StepView& table, NormativeGroup group);

// Step 16: the institution's expenses as one bar of their kinds (the accruals on pay being the
// expenses less the pay and the material costs) beside the subsidy, and the difference in words.
BarChart estimateChart(const StepView& estimate);

} // namespace kvarton::calc

namespace kvarton {
template <>
inline constexpr std::size_t kCount<calc::Swatch> = 9;
} // namespace kvarton
