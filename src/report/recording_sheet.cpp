#include "recording_sheet.h"

#include <cstdio>

namespace kvarton::report {

namespace {

std::string joined(std::string_view op, std::string_view range, std::string_view detail = {})
{
    std::string line(op);
    line.append(" ").append(range);
    if (!detail.empty())
        line.append(" ").append(detail);
    return line;
}

const char* onOff(bool b) { return b ? "on" : "off"; }

} // namespace

std::string describe(const Alignment& a)
{
    static constexpr const char* kOrders[] = {"context", "left to right", "right to left"};
    char buf[256];
    std::snprintf(buf, sizeof buf,
        "horizontal %s, vertical %s, wrap %s, orientation %d, add indent %s, indent level %d, "
        "shrink to fit %s, reading order %s, merge cells %s",
        a.horizontal == HorizontalAlignment::Centre ? "centre" : "general",
        a.vertical == VerticalAlignment::Centre ? "centre" : "bottom", onOff(a.wrapText), a.orientation,
        onOff(a.addIndent), a.indentLevel, onOff(a.shrinkToFit), kOrders[static_cast<int>(a.readingOrder)],
        onOff(a.mergeCells));
    return buf;
}

void RecordingSheet::writeText(std::string_view cell, std::string_view text)
{
    writes.push_back({std::string(cell), std::string(text)});
}

void RecordingSheet::writeNumber(std::string_view cell, double value) { writes.push_back({std::string(cell), value}); }

void RecordingSheet::setNumberFormat(std::string_view range, std::string_view format)
{
    formatting.push_back(joined("number format", range, format));
}

void RecordingSheet::setAlignment(std::string_view range, const Alignment& alignment)
{
    formatting.push_back(joined("alignment", range, describe(alignment)));
}

void RecordingSheet::setColumnWidth(std::string_view columns, double width)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", width);
    formatting.push_back(joined("column width", columns, buf));
}

void RecordingSheet::autoFitRows() { formatting.emplace_back("auto-fit rows"); }
void RecordingSheet::setThinBorders(std::string_view range) { formatting.push_back(joined("thin borders", range)); }
void RecordingSheet::merge(std::string_view range) { formatting.push_back(joined("merge", range)); }
void RecordingSheet::setBold(std::string_view range) { formatting.push_back(joined("bold", range)); }

} // namespace kvarton::report
