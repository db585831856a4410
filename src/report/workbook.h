#pragma once

#include <map>
#include <string>
#include <variant>
#include <vector>

// A finished workbook as plain data: what every cell holds and how it looks. Layouts produce it;
// xlsx_workbook writes it as it stands, sheet after sheet.
namespace kvarton::report {

enum class Horizontal { General, Left, Centre, Right };
enum class Vertical { Bottom, Centre, Top };

struct Style {
    std::string numberFormat = "General"; // as a spreadsheet writes it: "0", "0.0", "# ##0.00"
    bool bold = false;
    bool bordered = false; // thin continuous lines on all four sides
    Horizontal horizontal = Horizontal::General;
    Vertical vertical = Vertical::Bottom;
    bool wrap = false;
    friend bool operator==(const Style&, const Style&) = default;
};

// A text always stays a text, even one that looks like a number or a formula.
using CellValue = std::variant<std::string, double>;

// Rows are numbered from 1 as on screen, columns from 0 (A).
struct Cell {
    int row = 1;
    int column = 0;
    CellValue value;
    int style = 0; // index into Sheet::styles
};

// A block of cells shown as one; it takes the style of its top left cell, edges included.
struct Merge {
    int firstRow = 1;
    int firstColumn = 0;
    int lastRow = 1;
    int lastColumn = 0;
};

inline constexpr double kDefaultColumnWidth = 8.43; // characters of the default font's "0"

struct Column {
    int column = 0;
    double width = kDefaultColumnWidth;
    int style = -1; // the look of the column's cells that hold nothing; -1 for none
};

enum class Paper { Default, A4 };

struct PageSetup {
    Paper paper = Paper::Default;
    bool fitToPageWidth = false; // every column on one page width, as many pages down as needed
    std::string header; // centred above every printed page; empty for none
};

// The parts in the order the writer writes them.
struct Sheet {
    std::string name; // at most 31 characters, none of []:*?/\ (the format's rule)
    std::vector<Style> styles;
    std::vector<Column> columns;
    PageSetup page;
    std::map<int, double> rowHeights; // rows not of the default height, in points
    std::vector<Merge> merges;
    // In the order they are written, which numbers the shared texts: layouts go row after row,
    // each from left to right.
    std::vector<Cell> cells;
};

struct Workbook {
    std::vector<Sheet> sheets;
};

// 0 → "A", 26 → "AA"
inline std::string columnName(int column)
{
    std::string name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

// (8, 1) → "B8"
inline std::string cellAddress(int row, int column) { return columnName(column) + std::to_string(row); }

} // namespace kvarton::report
