#include "xlsx_report_sheet.h"

#include "xlsx_workbook.h"

#include <cmath>
#include <cstdint>

namespace kvarton::report {

namespace {

// Blocks are formatted cell by cell; anything this large is a mistake, not a report.
constexpr std::int64_t kMaxBlockCells = std::int64_t{1} << 16;

} // namespace

void XlsxReportSheet::fail(std::string message)
{
    if (!failure_)
        failure_ = "Отчет не создан из-за внутренней ошибки программы: " + std::move(message) + ".";
}

std::optional<CellRange> XlsxReportSheet::range(std::string_view text, bool cellOnly)
{
    const auto r = parseRange(text);
    const bool isCell = r && !r->wholeColumns && r->firstRow == r->lastRow && r->firstColumn == r->lastColumn;
    const std::int64_t cells
        = r && !r->wholeColumns ? std::int64_t{r->lastRow - r->firstRow + 1} * (r->lastColumn - r->firstColumn + 1) : 0;
    if (!r || (cellOnly && !isCell) || cells > kMaxBlockCells) {
        fail("неверный адрес «" + std::string(text) + "»");
        return std::nullopt;
    }
    return r;
}

void XlsxReportSheet::writeText(std::string_view cell, std::string_view text)
{
    if (const auto r = range(cell, true))
        state_.write(r->firstRow, r->firstColumn, std::string(text));
}

void XlsxReportSheet::writeNumber(std::string_view cell, double value)
{
    if (!std::isfinite(value)) // a spreadsheet has no such numbers
        fail("в ячейку " + std::string(cell) + " записывается не число");
    else if (const auto r = range(cell, true))
        state_.write(r->firstRow, r->firstColumn, value);
}

void XlsxReportSheet::setNumberFormat(std::string_view text, std::string_view format)
{
    if (const auto r = range(text))
        state_.format(*r, [&](CellFormat& f) { f.numberFormat = format; });
}

void XlsxReportSheet::setAlignment(std::string_view text, const Alignment& alignment)
{
    const auto r = range(text);
    if (!r)
        return;
    Alignment a = alignment;
    a.mergeCells = false; // merging is a property of the range, not of its cells
    state_.format(*r, [&](CellFormat& f) { f.alignment = a; });
    if (alignment.mergeCells)
        state_.merge(*r);
    else
        state_.unmerge(*r);
}

void XlsxReportSheet::setColumnWidth(std::string_view columns, double width)
{
    const auto r = range(columns);
    if (!r)
        return;
    if (!r->wholeColumns || !std::isfinite(width) || width < 0 || width > 255)
        fail("неверная ширина столбцов " + std::string(columns));
    else
        state_.setWidth(*r, width);
}

// Not every spreadsheet fits rows to their content when it opens a file, so the heights that the
// fit arrives at are written with the sheet.
void XlsxReportSheet::autoFitRows() { state_.fitRows(); }

void XlsxReportSheet::setThinBorders(std::string_view text)
{
    // Edges and inside lines are all thin, so every cell of the range gets all four sides.
    if (const auto r = range(text))
        state_.format(*r, [](CellFormat& f) { f.borders = {true, true, true, true}; });
}

void XlsxReportSheet::merge(std::string_view text)
{
    if (const auto r = range(text)) {
        if (r->wholeColumns)
            fail("объединение целых столбцов");
        else
            state_.merge(*r);
    }
}

void XlsxReportSheet::setBold(std::string_view text)
{
    if (const auto r = range(text))
        state_.format(*r, [](CellFormat& f) { f.bold = true; });
}

std::optional<ReportProblem> XlsxReportSheet::save(const std::string& path) const
{
    if (failure_)
        return ReportProblem{*failure_};
    return writeWorkbook(state_, path);
}

} // namespace kvarton::report
