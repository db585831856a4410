// Writes the workbooks that read_back.py reads with an independent reader, each next to JSON files
// of what its sheets must hold (as the sheets' descriptions give them): NAME.json the cells of the
// first sheet, NAME.results.json the cells, number formats, charts and page of the results sheet.
#include "report/report.h"
#include "report/report_layout.h"
#include "report/results_layout.h"
#include "report/xlsx_workbook.h"
#include "sample_model.h"

#include "model/defaults.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

using namespace kvarton;
using namespace kvarton::report;

namespace {

InstitutionModel stPetersburg()
{
    InstitutionModel m = test::stPetersburg();
    m.directHours[GroupKind::GeneralDay][StaffRole::Teacher] = ModelValue::text("9,5");
    m.payroll2011Admin = ModelValue::text("1486896,1234");
    return m;
}

// Identity texts a spreadsheet would take for formulas or numbers if they were not written as text.
InstitutionModel formulas()
{
    auto m = stPetersburg();
    m.regionName = "=HYPERLINK(\"http://example.com\",\"x\")";
    m.institutionName = "  ГДОУ № 5 ";
    m.surname = "+1";
    m.firstInitial = "@x";
    m.patronymicInitial = "-2";
    return m;
}

// `piece` repeated until the text has `characters` characters (code points).
std::string repeatedTo(const std::string& piece, std::size_t characters)
{
    std::vector<std::string> chars;
    for (const char c : piece) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            chars.emplace_back();
        chars.back() += c;
    }
    std::string out;
    for (std::size_t n = 0; n < characters; ++n)
        out += chars[n % chars.size()];
    return out;
}

// Control characters, XML's non-characters, literal escapes and the longest texts a field takes.
InstitutionModel controls()
{
    auto m = stPetersburg();
    m.regionName = "a\x01"
                   "b\x1F"
                   "c\td\ne\rf\x7F";
    m.institutionName = repeatedTo("😀", 1000);
    m.surname = repeatedTo("\x02\x03\x0B\x0C\x0E\x1F\xEF\xBF\xBE\xEF\xBF\xBF", 1000);
    m.firstInitial = repeatedTo("_x0041_ _x005F_", 1000);
    m.patronymicInitial = "";
    return m;
}

void appendJsonString(std::string& out, const std::string& s)
{
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    out += '"';
}

std::string jsonNumber(double number)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", number);
    return buf;
}

// Cell address → value of every cell of `sheet`.
std::string cellsJson(const Sheet& sheet)
{
    std::string json = "{";
    for (const Cell& cell : sheet.cells) {
        if (json.size() > 1)
            json += ",\n";
        appendJsonString(json, cellAddress(cell.row, cell.column));
        json += ": ";
        if (const auto* number = std::get_if<double>(&cell.value))
            json += jsonNumber(*number);
        else
            appendJsonString(json, std::get<std::string>(cell.value));
    }
    return json + "}";
}

std::string expectedCells(const InstitutionModel& m) { return cellsJson(reportSheet(m)) + "\n"; }

std::string rangeJson(const CellRange& r)
{
    return "\"" + cellAddress(r.firstRow, r.firstColumn) + ":" + cellAddress(r.lastRow, r.lastColumn) + "\"";
}

// The results sheet: its cells, the number format of each number, its charts with the cells of
// their series, its page.
std::string expectedResults(const InstitutionModel& m)
{
    const Sheet sheet = resultsSheet(m);
    std::string json = "{\"cells\": " + cellsJson(sheet) + ",\n\"formats\": {";
    bool first = true;
    for (const Cell& cell : sheet.cells) {
        if (!std::holds_alternative<double>(cell.value))
            continue;
        json += first ? "" : ", ";
        first = false;
        appendJsonString(json, cellAddress(cell.row, cell.column));
        json += ": ";
        appendJsonString(json, sheet.styles.at(static_cast<std::size_t>(cell.style)).numberFormat);
    }
    json += "},\n\"charts\": [";
    for (std::size_t c = 0; c < sheet.charts.size(); ++c) {
        const Chart& chart = sheet.charts[c];
        json += c ? ",\n" : "";
        json += "{\"title\": ";
        appendJsonString(json, chart.title);
        json += ", \"stacked\": ";
        json += chart.kind == ChartKind::StackedColumns ? "true" : "false";
        json += ", \"at\": \"" + cellAddress(chart.row, chart.column) + "\", \"series\": [";
        for (std::size_t i = 0; i < chart.series.size(); ++i) {
            const ChartSeries& series = chart.series[i];
            json += i ? ", " : "";
            json += "{\"name\": ";
            appendJsonString(json, series.name);
            json += ", \"categories\": " + rangeJson(series.categories) + ", \"values\": " + rangeJson(series.values)
                + "}";
        }
        json += "]}";
    }
    json += "],\n\"header\": ";
    appendJsonString(json, sheet.page.header);
    json += ", \"breaks\": [";
    for (std::size_t i = 0; i < sheet.page.pageBreaks.size(); ++i)
        json += (i ? ", " : "") + std::to_string(sheet.page.pageBreaks[i]);
    return json + "]}\n";
}

// What the report sheet does not use yet: a second sheet, number formats, alignments, a header.
Workbook features()
{
    Sheet results;
    results.name = "Результаты";
    results.styles = {Style{.bold = true, .bordered = true, .horizontal = Horizontal::Left}, Style{.numberFormat = "0"},
        Style{.numberFormat = "0.0", .horizontal = Horizontal::Right},
        Style{.numberFormat = "0.00", .vertical = Vertical::Top}};
    results.cells = {{1, 0, "Итоги", 0}, {2, 0, 1234.5, 1}, {2, 1, 1234.56, 2}, {2, 2, 1234.567, 3}};
    results.merges = {{1, 0, 1, 2}};
    results.columns = {{0, 20, -1}, {2, 12, 1}};
    results.rowHeights = {{2, 45}};
    results.page.paper = Paper::A4;
    results.page.header = "Итоги & выводы";
    return {{reportSheet(stPetersburg()), results}};
}

bool write(const InstitutionModel& m, const std::string& dir, const std::string& name)
{
    const auto started = std::chrono::steady_clock::now();
    const auto problem = writeXlsxReport(m, dir + "/" + name + ".xlsx");
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    if (problem) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), problem->message.c_str());
        return false;
    }
    std::printf("%s.xlsx written in %.1f ms\n", name.c_str(), took.count());
    std::ofstream(dir + "/" + name + ".json", std::ios::binary) << expectedCells(m);
    std::ofstream(dir + "/" + name + ".results.json", std::ios::binary) << expectedResults(m);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: report_fixture <empty folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = write(stPetersburg(), dir, "default") && write(stPetersburg(), dir, "default-again")
        && write(formulas(), dir, "formulas") && write(controls(), dir, "controls");
    if (const auto problem = writeWorkbook(features(), dir + "/features.xlsx")) {
        std::fprintf(stderr, "features: %s\n", problem->message.c_str());
        return 1;
    }
    return ok ? 0 : 1;
}
