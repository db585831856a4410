#pragma once

#include <string_view>

namespace kvarton::report {

enum class HorizontalAlignment { General, Centre };
enum class VerticalAlignment { Bottom, Centre };
enum class ReadingOrder { Context, LeftToRight, RightToLeft };

// The whole alignment of a range, set at once: every member is written, none is left as it was.
struct Alignment {
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    VerticalAlignment vertical = VerticalAlignment::Bottom;
    bool wrapText = false;
    int orientation = 0; // degrees
    bool addIndent = false;
    int indentLevel = 0;
    bool shrinkToFit = false;
    ReadingOrder readingOrder = ReadingOrder::Context;
    bool mergeCells = false; // false also undoes any merge inside the range
    friend bool operator==(const Alignment&, const Alignment&) = default;
};

// What the report writer needs of a spreadsheet: the first worksheet of a new workbook. Cells are
// addressed in A1 style ("B8"); ranges are blocks ("A7:D20") or whole columns ("A:D").
// A medium that can fail (a bad address, a file that cannot be written) says so when the sheet is
// finished, not by throwing from these operations.
class ReportSheet {
public:
    virtual ~ReportSheet() = default;

    // A text cell, always: a text that looks like a number or a formula stays text.
    virtual void writeText(std::string_view cell, std::string_view text) = 0;
    virtual void writeNumber(std::string_view cell, double value) = 0;

    virtual void setNumberFormat(std::string_view range, std::string_view format) = 0;
    virtual void setAlignment(std::string_view range, const Alignment& alignment) = 0;
    virtual void setColumnWidth(std::string_view columns, double width) = 0;
    // Every row takes the height its content needs (after widths and wrapping are set).
    virtual void autoFitRows() = 0;
    // Continuous thin lines on the four edges and every inside line, no diagonal lines.
    virtual void setThinBorders(std::string_view range) = 0;
    virtual void merge(std::string_view range) = 0;
    virtual void setBold(std::string_view range) = 0;

protected:
    ReportSheet() = default;
    ReportSheet(const ReportSheet&) = default;
    ReportSheet& operator=(const ReportSheet&) = default;
};

} // namespace kvarton::report
