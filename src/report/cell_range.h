#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvarton::report {

inline constexpr int kMaxRow = 1048576; // rows are numbered from 1
inline constexpr int kMaxColumn = 16383; // columns from 0 (A) to XFD

// A block of cells, A1 style: "B8", "A7:D20", or whole columns "A:D".
struct CellRange {
    int firstRow = 1;
    int firstColumn = 0;
    int lastRow = 1;
    int lastColumn = 0;
    bool wholeColumns = false;

    bool contains(int row, int column) const noexcept
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool intersects(const CellRange& o) const noexcept
    {
        return firstRow <= o.lastRow && o.firstRow <= lastRow && firstColumn <= o.lastColumn
            && o.firstColumn <= lastColumn;
    }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

// nullopt for anything else, including reversed or out-of-sheet ranges.
std::optional<CellRange> parseRange(std::string_view text) noexcept;

std::string columnName(int column); // 0 → "A", 26 → "AA"
std::string cellAddress(int row, int column); // (8, 1) → "B8"

} // namespace kvarton::report
