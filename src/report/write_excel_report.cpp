#include "write_excel_report.h"

#include "cell_range.h"
#include "report.h"
#include "report_layout.h"
#include "report_values.h"

namespace kvarton::report {

namespace {

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

} // namespace

std::optional<ReportProblem> writeExcelReport(const InstitutionModel& model, ReportSheet& sheet)
{
    if (const auto names = invalidInputs(model); !names.empty())
        return invalidInputsProblem(names);

    // Column A from row 1 to 112, then B, C and D.
    for (const ReportCell& cell : reportCells()) {
        const std::string address = cellAddress(cell.row, cell.column);
        std::visit(Overloaded{
                       [&](const std::string& text) { sheet.writeText(address, text); },
                       [&](IdentityField f) { sheet.writeText(address, model.*f); },
                       [&](const InputCell& input) {
                           sheet.writeNumber(address, reportNumber(field(model, input.field)).value_or(0.0));
                       },
                   },
            cell.content);
    }

    for (std::string_view range : kNumberFormatRanges)
        sheet.setNumberFormat(range, "General");
    sheet.setAlignment("A:D", kReportAlignment);
    sheet.setColumnWidth("A:A", 41);
    sheet.setColumnWidth("B:D", 15.43);
    sheet.autoFitRows();
    for (std::string_view range : kBordersBeforeHeading)
        sheet.setThinBorders(range);
    sheet.setAlignment(kParametersHeading, kReportAlignment);
    sheet.merge(kParametersHeading);
    for (std::string_view range : kBordersAfterHeading)
        sheet.setThinBorders(range);
    for (std::string_view range : kBoldRanges)
        sheet.setBold(range);
    return std::nullopt;
}

} // namespace kvarton::report
