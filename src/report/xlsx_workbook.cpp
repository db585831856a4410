#include "xlsx_workbook.h"

#include "quiet_standard_error.h"
#include "xlsx_package_check.h"
#include "xlsx_text.h"
#include "xlsxwriter_library.h"

#include "model/numeric_locale.h"
#include "model/utf8_path.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

namespace kvarton::report {

namespace fs = std::filesystem;

namespace {

// The library's functions. writeReportWorkbook makes sure they are there before anything here
// calls one.
const XlsxWriterLibrary& xlsx()
{
    static const XlsxWriterLibrary* const library = [] {
        std::string unloaded;
        return xlsxWriterLibrary(unloaded);
    }();
    assert(library);
    return *library;
}

std::string quoted(const std::string& path) { return "«" + path + "»"; }

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return in.bad() ? std::string() : bytes;
}

// --- Formats ---------------------------------------------------------------------------------

lxw_format* makeFormat(lxw_workbook* wb, const Style& style)
{
    lxw_format* f = xlsx().workbook_add_format(wb);
    if (style.numberFormat == "General")
        xlsx().format_set_num_format_index(f, 0);
    else
        xlsx().format_set_num_format(f, style.numberFormat.c_str());
    if (style.bold)
        xlsx().format_set_bold(f);
    if (style.bordered)
        xlsx().format_set_border(f, LXW_BORDER_THIN);
    static constexpr std::uint8_t kHorizontal[]{LXW_ALIGN_NONE, LXW_ALIGN_LEFT, LXW_ALIGN_CENTER, LXW_ALIGN_RIGHT};
    static constexpr std::uint8_t kVertical[]{
        LXW_ALIGN_NONE, LXW_ALIGN_VERTICAL_CENTER, LXW_ALIGN_VERTICAL_TOP}; // bottom is the default
    if (const auto h = kHorizontal[static_cast<int>(style.horizontal)])
        xlsx().format_set_align(f, h);
    if (const auto v = kVertical[static_cast<int>(style.vertical)])
        xlsx().format_set_align(f, v);
    if (style.wrap)
        xlsx().format_set_text_wrap(f);
    if (style.indent > 0)
        xlsx().format_set_indent(f, static_cast<std::uint8_t>(std::min(style.indent, 15)));
    if (style.fontSize > 0)
        xlsx().format_set_font_size(f, style.fontSize);
    return f;
}

// --- Charts ----------------------------------------------------------------------------------

std::uint8_t chartType(ChartKind kind)
{
    static constexpr std::uint8_t kTypes[]{LXW_CHART_COLUMN, LXW_CHART_COLUMN_STACKED, LXW_CHART_BAR};
    return kTypes[static_cast<int>(kind)];
}

void setFill(lxw_chart_series* series, const Fill& fill)
{
    // Every bar has a thin dark edge, so that light fills and patterns keep their outline in print.
    lxw_chart_line edge{};
    edge.color = 0x404040;
    edge.width = 0.75;
    xlsx().chart_series_set_line(series, &edge);
    if (fill.pattern == FillPattern::Solid) {
        lxw_chart_fill solid{};
        solid.color = fill.rgb;
        xlsx().chart_series_set_fill(series, &solid);
        return;
    }
    static constexpr std::uint8_t kPatterns[]{LXW_CHART_PATTERN_NONE, LXW_CHART_PATTERN_WIDE_UPWARD_DIAGONAL,
        LXW_CHART_PATTERN_LARGE_GRID, LXW_CHART_PATTERN_DARK_HORIZONTAL, LXW_CHART_PATTERN_PERCENT_50};
    lxw_chart_pattern pattern{};
    pattern.type = kPatterns[static_cast<int>(fill.pattern)];
    pattern.fg_color = fill.rgb;
    pattern.bg_color = 0xFFFFFF;
    xlsx().chart_series_set_pattern(series, &pattern);
}

// A chart of the sheet's cells; its data are the cells already written, which libxlsxwriter copies
// into the chart so that a reader shows it without recalculating.
lxw_error insertChart(lxw_workbook* wb, lxw_worksheet* ws, const std::string& sheetName, const Chart& c)
{
    lxw_chart* chart = xlsx().workbook_add_chart(wb, chartType(c.kind));
    if (!chart)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    const std::string valueFormat = c.valueFormat;
    for (const ChartSeries& s : c.series) {
        lxw_chart_series* series = xlsx().chart_add_series(chart, nullptr, nullptr);
        if (!series)
            return LXW_ERROR_MEMORY_MALLOC_FAILED;
        const auto row = [](int r) { return static_cast<lxw_row_t>(r - 1); };
        const auto column = [](int col) { return static_cast<lxw_col_t>(col); };
        const std::string& dataSheet = s.sheet.empty() ? sheetName : s.sheet;
        xlsx().chart_series_set_categories(series, dataSheet.c_str(), row(s.categories.firstRow),
            column(s.categories.firstColumn), row(s.categories.lastRow), column(s.categories.lastColumn));
        xlsx().chart_series_set_values(series, dataSheet.c_str(), row(s.values.firstRow), column(s.values.firstColumn),
            row(s.values.lastRow), column(s.values.lastColumn));
        xlsx().chart_series_set_name(series, xlsxCellText(s.name).c_str());
        setFill(series, s.fill);
        if (c.valuesOnBars) {
            xlsx().chart_series_set_labels(series);
            xlsx().chart_series_set_labels_num_format(series, valueFormat.c_str());
        }
    }
    xlsx().chart_title_set_name(chart, xlsxCellText(c.title).c_str());
    // The default title (14 pt) takes half of a small chart's height.
    lxw_chart_font titleFont{};
    titleFont.size = 11;
    titleFont.bold = LXW_TRUE;
    xlsx().chart_title_set_name_font(chart, &titleFont);
    // The library names a chart's axes by where they lie: a bar chart's categories stand on the
    // vertical one.
    const bool across = c.kind == ChartKind::Bars;
    lxw_chart_axis* categoryAxis = across ? chart->y_axis : chart->x_axis;
    lxw_chart_axis* valueAxis = across ? chart->x_axis : chart->y_axis;
    if (!c.categoryAxis.empty())
        xlsx().chart_axis_set_name(categoryAxis, xlsxCellText(c.categoryAxis).c_str());
    if (!c.valueAxis.empty())
        xlsx().chart_axis_set_name(valueAxis, xlsxCellText(c.valueAxis).c_str());
    xlsx().chart_axis_set_num_format(valueAxis, valueFormat.c_str());
    xlsx().chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
    if (c.kind == ChartKind::StackedColumns)
        xlsx().chart_set_series_gap(chart, 60);
    // Bars list their categories from the top down, as the rows of the table they come from, with
    // the values' axis under them and the categories' names at the left edge, clear of bars that
    // run left of zero.
    if (across) {
        xlsx().chart_axis_set_reverse(categoryAxis);
        xlsx().chart_axis_set_crossing_max(categoryAxis);
        xlsx().chart_axis_set_label_position(categoryAxis, LXW_CHART_AXIS_LABEL_POSITION_LOW);
    }

    std::string description = xlsxCellText(c.description);
    lxw_chart_options options{};
    options.x_scale = c.width / 480.0;
    options.y_scale = c.height / 288.0;
    options.description = description.empty() ? nullptr : description.data();
    return xlsx().worksheet_insert_chart_opt(
        ws, static_cast<lxw_row_t>(c.row - 1), static_cast<lxw_col_t>(c.column), chart, &options);
}

// --- Messages --------------------------------------------------------------------------------
// They name the folder the learner knows, never the file: the report screen writes under a hidden
// temporary name first. Each says what to do.

std::string folderOf(const fs::path& target)
{
    std::error_code ec;
    fs::path folder = fs::absolute(target, ec).parent_path();
    if (ec)
        folder = target.parent_path();
    folder.make_preferred();
    return quoted(utf8Of(folder));
}

const char* const kPressAgain = " и снова нажмите «вывести отчет».";

std::string creationFailure(const fs::path& target, int err)
{
    const std::string folder = folderOf(target);
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "Отчет не создан: папка " + folder + " не найдена. Проверьте, что она есть и доступна," + kPressAgain;
    case EACCES:
    case EPERM:
    case EROFS:
        return "Отчет не создан: нет прав на запись в папку " + folder
            + ". Проверьте права на эту папку (или попросите администратора компьютера)" + kPressAgain;
    default:
        return "Отчет не создан: не удалось создать файл в папке " + folder
            + ". Проверьте, что папка доступна для записи и на диске есть свободное место," + kPressAgain;
    }
}

bool isOutOfSpace(int err)
{
#ifdef EDQUOT
    if (err == EDQUOT)
        return true;
#endif
    return err == ENOSPC || err == EFBIG;
}

std::string outOfSpace(const fs::path& target)
{
    return "Отчет не создан: на диске с папкой " + folderOf(target)
        + " не хватило места (в том числе для временных файлов). Освободите место" + kPressAgain;
}

std::string writeFailure(const fs::path& target, lxw_error error, int err)
{
    if (isOutOfSpace(err))
        return outOfSpace(target);
    if (error == LXW_ERROR_CREATING_XLSX_FILE)
        return creationFailure(target, err);
    if (error == LXW_ERROR_CREATING_TMPFILE)
        return "Отчет не создан: не удалось создать временный файл. Освободите место на диске"
            + std::string(kPressAgain);
    return "Отчет не создан: не удалось записать файл в папку " + folderOf(target)
        + ". Проверьте, что диск доступен, на нем есть свободное место и есть права на запись в эту папку,"
        + kPressAgain;
}

// --- The workbook ----------------------------------------------------------------------------

struct WorkbookFree {
    void operator()(lxw_workbook* wb) const noexcept { xlsx().lxw_workbook_free(wb); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

std::string internalError(const std::string& what)
{
    return "Отчет не создан из-за внутренней ошибки программы: " + what + ".";
}

// One pass over the description, part after part as `Sheet` lists them: columns, page setup, row
// heights, merges, cells, notes, charts. A merge writes blanks in the style of its top left cell
// over its block; the cells that follow are written on top of them.
// libxlsxwriter makes the file only when the workbook is closed, so a failure here leaves none.
std::optional<std::string> writeSheet(lxw_workbook* wb, const Sheet& sheet)
{
    if (const lxw_error e = xlsx().workbook_validate_sheet_name(wb, sheet.name.c_str()))
        return internalError(xlsx().lxw_strerror(e));
    lxw_worksheet* ws = xlsx().workbook_add_worksheet(wb, sheet.name.c_str());
    if (!ws)
        return "Отчет не создан: не хватило памяти.";
    // One format per style: the workbook numbers the distinct ones in the order columns and cells
    // first use them, and leaves out those no one uses.
    std::vector<lxw_format*> made;
    for (const Style& style : sheet.styles)
        made.push_back(makeFormat(wb, style));
    const auto formats = [&](int style) { return style < 0 ? nullptr : made.at(static_cast<std::size_t>(style)); };
    lxw_error e = LXW_NO_ERROR; // the library's first failure; nothing after it is done
    for (const Column& c : sheet.columns) {
        const auto column = static_cast<lxw_col_t>(c.column);
        e = e ? e : xlsx().worksheet_set_column(ws, column, column, c.width, formats(c.style));
    }
    if (sheet.page.paper == Paper::A4)
        xlsx().worksheet_set_paper(ws, 9);
    if (sheet.page.landscape)
        xlsx().worksheet_set_landscape(ws);
    std::vector<lxw_row_t> breaks; // before a row is after the row above it, ended by 0
    for (const int row : sheet.page.pageBreaks)
        if (row > 1)
            breaks.push_back(static_cast<lxw_row_t>(row - 1));
    if (!breaks.empty()) {
        breaks.push_back(0);
        e = e ? e : xlsx().worksheet_set_h_pagebreaks(ws, breaks.data());
    }
    std::vector<lxw_col_t> columnBreaks; // before a column is after the column left of it, ended by 0
    for (const int column : sheet.page.columnBreaks)
        if (column > 0)
            columnBreaks.push_back(static_cast<lxw_col_t>(column));
    if (!columnBreaks.empty()) {
        columnBreaks.push_back(0);
        e = e ? e : xlsx().worksheet_set_v_pagebreaks(ws, columnBreaks.data());
    }
    if (sheet.page.scale != 100)
        xlsx().worksheet_set_print_scale(ws, static_cast<std::uint16_t>(sheet.page.scale));
    if (sheet.page.fitToPageWidth)
        xlsx().worksheet_fit_to_pages(ws, 1, 0);
    if (!sheet.page.header.empty())
        e = e ? e : xlsx().worksheet_set_header(ws, xlsxCentredHeader(sheet.page.header).c_str());
    if (sheet.page.repeatedRows > 0)
        e = e ? e : xlsx().worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(sheet.page.repeatedRows - 1));
    if (sheet.page.repeatedColumns > 0)
        e = e ? e : xlsx().worksheet_repeat_columns(ws, 0, static_cast<lxw_col_t>(sheet.page.repeatedColumns - 1));
    if (sheet.frozen.rows > 0 || sheet.frozen.columns > 0)
        xlsx().worksheet_freeze_panes(
            ws, static_cast<lxw_row_t>(sheet.frozen.rows), static_cast<lxw_col_t>(sheet.frozen.columns));
    if (const auto& f = sheet.autofilter)
        e = e ? e
              : xlsx().worksheet_autofilter(ws, static_cast<lxw_row_t>(f->firstRow - 1),
                  static_cast<lxw_col_t>(f->firstColumn), static_cast<lxw_row_t>(f->lastRow - 1),
                  static_cast<lxw_col_t>(f->lastColumn));
    for (const auto& [row, height] : sheet.rowHeights)
        e = e ? e : xlsx().worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height, nullptr);
    for (const Merge& m : sheet.merges) {
        if (m.firstRow == m.lastRow && m.firstColumn == m.lastColumn)
            continue; // one cell is merged already
        const auto first = std::find_if(sheet.cells.begin(), sheet.cells.end(),
            [&](const Cell& c) { return c.row == m.firstRow && c.column == m.firstColumn; });
        e = e
            ? e
            : xlsx().worksheet_merge_range(ws, static_cast<lxw_row_t>(m.firstRow - 1),
                static_cast<lxw_col_t>(m.firstColumn), static_cast<lxw_row_t>(m.lastRow - 1),
                static_cast<lxw_col_t>(m.lastColumn), "", first == sheet.cells.end() ? nullptr : formats(first->style));
    }
    for (const Cell& cell : sheet.cells) {
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column);
        lxw_format* format = formats(cell.style);
        if (const auto* text = std::get_if<std::string>(&cell.value)) {
            if (cellTextLength(*text) > kMaxCellText)
                return "Отчет не создан: текст для ячейки " + cellAddress(cell.row, cell.column)
                    + " слишком длинный (в ячейке помещается не больше " + std::to_string(kMaxCellText)
                    + " знаков). Сократите его.";
            const std::string stored = xlsxCellText(*text);
            // Never worksheet_write() or a formula: a text stays a text.
            e = e ? e : xlsx().worksheet_write_string(ws, row, column, stored.c_str(), format);
        } else if (const double number = std::get<double>(cell.value); std::isfinite(number)) {
            e = e ? e : xlsx().worksheet_write_number(ws, row, column, number, format);
        } else { // a spreadsheet has no such numbers
            return internalError("в ячейку " + cellAddress(cell.row, cell.column) + " записывается не число");
        }
    }
    for (const Note& note : sheet.notes) {
        if (cellTextLength(note.text) > kMaxCellText)
            return internalError("примечание к ячейке " + cellAddress(note.row, note.column) + " слишком длинное");
        lxw_comment_options options{};
        options.width = static_cast<std::uint16_t>(std::clamp(note.width, 0, 0xFFFF));
        options.height = static_cast<std::uint16_t>(std::clamp(note.height, 0, 0xFFFF));
        const std::string stored = xlsxCellText(note.text);
        e = e ? e
              : xlsx().worksheet_write_comment_opt(ws, static_cast<lxw_row_t>(note.row - 1),
                  static_cast<lxw_col_t>(note.column), stored.c_str(), &options);
    }
    for (const Chart& chart : sheet.charts)
        e = e ? e : insertChart(wb, ws, sheet.name, chart);
    return e ? std::optional(internalError(xlsx().lxw_strerror(e))) : std::nullopt;
}

} // namespace

namespace {

// The messages above name the report; another workbook puts its own words in their place.
ReportProblem inWords(ReportProblem problem, const WorkbookWords& words)
{
    const auto replace = [&](std::string_view from, std::string_view to) {
        if (from == to)
            return;
        for (auto at = problem.message.find(from); at != std::string::npos;
             at = problem.message.find(from, at + to.size()))
            problem.message.replace(at, from.size(), to);
    };
    replace(kReportWords.notWritten, words.notWritten);
    replace(kReportWords.retry, words.retry);
    replace(kReportWords.retrySentence, words.retrySentence);
    return problem;
}

} // namespace

std::optional<ReportProblem> writeWorkbook(
    const Workbook& workbook, const std::string& path, const WorkbookWords& words)
{
    auto problem = writeWorkbook(workbook, path);
    if (problem)
        return inWords(std::move(*problem), words);
    return std::nullopt;
}

namespace {

std::optional<ReportProblem> writeReportWorkbook(const Workbook& workbook, const std::string& path)
{
    if (workbook.sheets.empty())
        return ReportProblem{internalError("в книге нет листов")};
    // The library would print the numbers as the user's locale writes them, and spreadsheets would
    // find the workbook damaged: better no workbook than that (numeric_locale.h).
    if (!numbersInFileNotation())
        return ReportProblem{internalError("числа записались бы в обозначении языка системы, а не файла")};
    const fs::path target = pathFromUtf8(path);
    std::error_code ec;
    // What cannot be looked at (type none) is left to the library, which then fails to create it.
    if (const auto type = fs::symlink_status(target, ec).type();
        type != fs::file_type::not_found && type != fs::file_type::none)
        return ReportProblem{"Отчет не создан: в папке " + folderOf(target)
            + " уже есть файл с этим именем. Снова нажмите «вывести отчет»."};
    if (const fs::path folder = target.parent_path(); !folder.empty()) {
        const auto type = fs::status(folder, ec).type();
        if (type == fs::file_type::not_found || (type != fs::file_type::none && type != fs::file_type::directory))
            return ReportProblem{creationFailure(target, ENOENT)};
    }

    std::string unloaded;
    if (!xlsxWriterLibrary(unloaded))
        return ReportProblem{"Отчет не создан: " + unloaded};
    // The library prints its own failures ("[ERROR] …") to the standard error; ours are the
    // messages above, so its lines are dropped.
    const QuietStandardError quiet;
    WorkbookPtr wb(xlsx().workbook_new(path.c_str()));
    if (!wb)
        return ReportProblem{"Отчет не создан: не хватило памяти."};
    for (const Sheet& sheet : workbook.sheets)
        if (auto failure = writeSheet(wb.get(), sheet))
            return ReportProblem{std::move(*failure)};

    // libxlsxwriter creates the file only now, and leaves whatever it got written when it fails.
    errno = 0;
    const lxw_error closed = xlsx().workbook_close(wb.release());
    const int err = errno;
    if (closed != LXW_NO_ERROR) {
        fs::remove(target, ec);
        return ReportProblem{writeFailure(target, closed, err)};
    }
    // A success of the library is not yet a whole workbook (see isCompleteXlsxPackage).
    if (!isCompleteXlsxPackage(readAll(target))) {
        fs::remove(target, ec);
        return ReportProblem{outOfSpace(target)};
    }
    return std::nullopt;
}

} // namespace

std::optional<ReportProblem> writeWorkbook(const Workbook& workbook, const std::string& path)
{
    return writeReportWorkbook(workbook, path);
}

} // namespace kvarton::report
