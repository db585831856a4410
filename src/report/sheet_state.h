#pragma once

#include "cell_range.h"
#include "report_sheet.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kvarton::report {

// The width of a column no one has set, in characters of the default font.
inline constexpr double kDefaultColumnWidth = 8.43;

// Thin continuous lines on the sides of one cell.
struct CellBorders {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    friend bool operator==(const CellBorders&, const CellBorders&) = default;
};

struct CellFormat {
    std::string numberFormat = "General";
    std::optional<Alignment> alignment; // mergeCells is not part of it: merges are kept apart
    CellBorders borders;
    bool bold = false;
    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

using CellValue = std::variant<std::monostate, std::string, double>;

struct CellState {
    CellValue value;
    CellFormat format;
};

struct ColumnState {
    std::optional<double> width;
    CellFormat format;
};

// The final state of a worksheet after a sequence of range operations, cell by cell, as a
// spreadsheet keeps it: a column's format applies to the cells the column has and to the cells it
// gets later; a block's format applies to every cell of the block, empty ones included.
class SheetState final {
public:
    using Position = std::pair<int, int>; // row, column

    void write(int row, int column, CellValue value);
    void format(const CellRange& range, const std::function<void(CellFormat&)>& change);
    void setWidth(const CellRange& columns, double width);
    // Merging keeps the value of the top left cell only.
    void merge(const CellRange& range);
    void unmerge(const CellRange& range);
    // Gives every row the height its texts need with the current widths and wrapping.
    void fitRows();

    const std::map<Position, CellState>& cells() const noexcept { return cells_; }
    const std::map<int, ColumnState>& columns() const noexcept { return columns_; }
    const std::vector<CellRange>& merges() const noexcept { return merges_; }
    // Rows taller than the default, by row number.
    const std::map<int, double>& rowHeights() const noexcept { return rowHeights_; }

private:
    CellState& cell(int row, int column);

    std::map<Position, CellState> cells_;
    std::map<int, ColumnState> columns_;
    std::vector<CellRange> merges_;
    std::map<int, double> rowHeights_;
};

} // namespace kvarton::report
