#include "summary_columns.h"

#include "report/results_layout.h"

#include "calc/panel_options.h"

#include <vector>

namespace kvarton::summary {

namespace {

using calc::ResultsPanel;

std::string text(std::string_view t) { return std::string(t); }

// "рублей на воспитанника " → "рублей на воспитанника"; "Воспитатель -" → "Воспитатель";
// "…с обычным режимом:" → "…с обычным режимом".
std::string trimmed(std::string_view t, std::string_view ending)
{
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (t.ends_with(ending))
        t.remove_suffix(ending.size());
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return text(t);
}

std::string withUnit(const calc::PanelLine& line, const calc::ValueLabel& value)
{
    const std::string unit = trimmed(value.unit.text, {});
    return unit.empty() ? text(line.caption.text) : text(line.caption.text) + ", " + unit;
}

std::vector<SummaryColumn> build()
{
    std::vector<SummaryColumn> columns;
    const auto add = [&](ResultsPanel panel, int option, const calc::ValueLabel* label, std::string head) {
        columns.push_back({panel, option, label, report::optionName(panel, option), std::move(head)});
    };
    for (calc::Method m : allOf<calc::Method>()) {
        const int option = static_cast<int>(ix(m));
        for (calc::PupilHourLine l : {calc::PupilHourLine::CostDay, calc::PupilHourLine::CostShortTerm}) {
            const calc::PanelLine& line = calc::line(l);
            add(ResultsPanel::PupilHourCost, option, &calc::value(line), withUnit(line, calc::value(line)));
        }
    }
    for (calc::Method m : allOf<calc::Method>()) {
        const int option = 2 * static_cast<int>(ix(m)); // the view of ordinary stay modes
        const calc::PanelLine& fund = calc::line(calc::IncentiveLine::SalaryFund);
        add(ResultsPanel::Incentives, option, &calc::value(fund), withUnit(fund, calc::value(fund)));
        const calc::PanelLine& teacher = calc::incentiveLine(StaffRole::Teacher);
        add(ResultsPanel::Incentives, option, &calc::value(teacher, calc::RoleColumn::Coefficient),
            trimmed(teacher.heading.text, ":") + ": " + trimmed(teacher.caption.text, "-"));
    }
    const calc::Panel& table = calc::panel(ResultsPanel::NormativeTable);
    const calc::PanelLine& total = calc::line(calc::NormativeLine::Total);
    for (calc::NormativeGroup g : allOf<calc::NormativeGroup>())
        for (std::size_t c = 0; c < table.columnHeads.size(); ++c)
            add(ResultsPanel::NormativeTable, static_cast<int>(ix(g)), &total.values[c],
                text(total.caption.text) + ": " + text(table.columnHeads[c].text));
    for (calc::EstimateLine l : {calc::EstimateLine::Expenses, calc::EstimateLine::Subsidy}) {
        const calc::PanelLine& line = calc::line(l);
        add(ResultsPanel::Estimate, 0, &calc::value(line, calc::EstimateColumn::Total), text(line.caption.text));
    }
    add(ResultsPanel::Estimate, 0, nullptr, "Остаток (субсидия минус расходы)");
    return columns;
}

} // namespace

std::span<const SummaryColumn> summaryColumns()
{
    static const std::vector<SummaryColumn> columns = build();
    return columns;
}

std::size_t subsidyBalanceColumn() { return summaryColumns().size() - 1; }

} // namespace kvarton::summary
