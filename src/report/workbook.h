#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A finished workbook as plain data: what every cell holds and how it looks. Layouts produce it;
// xlsx_workbook writes it as it stands, sheet after sheet.
namespace kvarton::report {

enum class Horizontal { General, Left, Centre, Right };
enum class Vertical { Bottom, Centre, Top };

// The spreadsheet's number format of a figure shown with `decimals` digits after the comma
// ("0", "0.0", "0.00").
inline std::string decimalsFormat(int decimals)
{
    return decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
}

struct Style {
    std::string numberFormat = "General"; // as a spreadsheet writes it: "0", "0.0", "# ##0.00"
    bool bold = false;
    bool bordered = false; // thin continuous lines on all four sides
    Horizontal horizontal = Horizontal::General;
    Vertical vertical = Vertical::Bottom;
    bool wrap = false;
    int indent = 0; // levels of indent from the aligned edge
    double fontSize = 0; // points; 0 for the workbook's default (kDefaultFontSize)
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
inline constexpr double kDefaultFontSize = 11; // points

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
    bool landscape = false;
    std::vector<int> pageBreaks; // rows that begin a new printed page, in order
    std::vector<int> columnBreaks; // columns that begin a new printed page, in order
    int scale = 100; // percent of the natural size; fitToPageWidth overrides it
    // Rows and columns printed again on every page: the heads of a table wider and longer than a
    // page. 0 for none.
    int repeatedRows = 0; // rows 1 … repeatedRows
    int repeatedColumns = 0; // columns A … before repeatedColumns
};

// Rows above and columns left of the first cell that scrolls stay in place; 0 and 0 for none.
struct FrozenPanes {
    int rows = 0;
    int columns = 0;
};

// A block of cells of the sheet, rows from 1 and columns from 0 as in Cell.
struct CellRange {
    int firstRow = 1;
    int firstColumn = 0;
    int lastRow = 1;
    int lastColumn = 0;
};

enum class FillPattern { Solid, Diagonal, Cross, Horizontal, Dots };

// A bar's fill: solid in its colour, or a pattern in its colour on white.
struct Fill {
    std::uint32_t rgb = 0x000000;
    FillPattern pattern = FillPattern::Solid;
};

// One series of a chart: its name in the legend, the cells of its category names and of its values,
// on the sheet `sheet` names, or on the chart's own sheet when it names none.
struct ChartSeries {
    std::string name;
    CellRange categories;
    CellRange values;
    Fill fill;
    std::string sheet = {};
};

// Bars lie across, their categories listed from the top down: a category per person reads as a list.
enum class ChartKind { Columns, StackedColumns, Bars };

// A chart of the sheet's own cells, placed with its top left corner on a cell.
struct Chart {
    ChartKind kind = ChartKind::Columns;
    std::string title;
    std::string categoryAxis; // captions of the axes; empty for none
    std::string valueAxis;
    std::string valueFormat = "General"; // of the value axis and of the values written on the bars
    bool valuesOnBars = false;
    std::vector<ChartSeries> series;
    std::string description; // what the chart shows, in words, for readers who cannot see it
    int row = 1;
    int column = 0;
    int width = 480; // pixels
    int height = 288;
};

// A note on a cell (a comment): the text a spreadsheet shows in a box beside the cell when the
// pointer rests on it.
struct Note {
    int row = 1;
    int column = 0;
    std::string text;
    int width = 0; // pixels of the box; 0 for the spreadsheet's own size
    int height = 0;
};

// The parts in the order the writer writes them.
struct Sheet {
    std::string name; // at most 31 characters, none of []:*?/\ (the format's rule)
    std::vector<Style> styles;
    std::vector<Column> columns;
    PageSetup page;
    std::map<int, double> rowHeights; // rows not of the default height, in points
    FrozenPanes frozen;
    std::optional<CellRange> autofilter; // a filter on the head row of a table
    std::vector<Merge> merges;
    // In the order they are written, which numbers the shared texts: layouts go row after row,
    // each from left to right.
    std::vector<Cell> cells;
    std::vector<Note> notes;
    std::vector<Chart> charts;
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
