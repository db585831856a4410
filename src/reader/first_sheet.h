#pragma once

#include "read_limits.h"
#include "refusal.h"
#include "zip_package.h"

#include <string>
#include <string_view>
#include <vector>

namespace kvarton::reader {

// A cell as the sheet holds it. Texts come from the shared strings, from inline strings (their
// rich-text runs joined) or from a formula's text result; numbers keep the digits as written.
struct SheetCell {
    enum class Kind { Empty, Text, Number, Other }; // Other: a truth value, an error, a date
    Kind kind = Kind::Empty;
    std::string text; // the text; for a number or another value, what the sheet writes
    double number = 0;
};

// The block of a sheet from A1: `rows` rows of `columns` cells.
class SheetBlock final {
public:
    SheetBlock(int rows, int columns);
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    // row from 1, column from 0 (A)
    const SheetCell& at(int row, int column) const;
    SheetCell& at(int row, int column);

private:
    int rows_;
    int columns_;
    std::vector<SheetCell> cells_;
};

// A cell's text without the blanks and line breaks around it.
std::string_view trimmed(std::string_view text);

// The cells of the workbook's first sheet (its first tab, found through the workbook and its
// relationships, whatever its part is called) in the block from A1 of `rows` × `columns`. Cells
// beyond the block are passed over, other sheets never read.
Read<SheetBlock> readFirstSheet(ZipPackage& package, int rows, int columns, const ReadLimits& limits);

} // namespace kvarton::reader
