#pragma once

#include "report_problem.h"
#include "report_sheet.h"
#include "sheet_state.h"

#include <optional>
#include <string>

namespace kvarton::report {

// A sheet that becomes an .xlsx workbook. libxlsxwriter fixes a cell's format when the cell is
// written, so the operations are gathered first and the workbook is made in one go by `save`.
class XlsxReportSheet final : public ReportSheet {
public:
    void writeText(std::string_view cell, std::string_view text) override;
    void writeNumber(std::string_view cell, double value) override;
    void setNumberFormat(std::string_view range, std::string_view format) override;
    void setAlignment(std::string_view range, const Alignment& alignment) override;
    void setColumnWidth(std::string_view columns, double width) override;
    void autoFitRows() override;
    void setThinBorders(std::string_view range) override;
    void merge(std::string_view range) override;
    void setBold(std::string_view range) override;

    const SheetState& state() const noexcept { return state_; }

    // Writes the workbook to `path` (which must not exist yet); nullopt on success. A failure,
    // including one of the operations above, leaves nothing at `path`.
    std::optional<ReportProblem> save(const std::string& path) const;

private:
    std::optional<CellRange> range(std::string_view text, bool cellOnly = false);
    void fail(std::string message);

    SheetState state_;
    std::optional<std::string> failure_; // the first operation that could not be carried out
};

} // namespace kvarton::report
