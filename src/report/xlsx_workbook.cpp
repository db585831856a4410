#include "xlsx_workbook.h"

#include "xlsx_package_check.h"
#include "xlsx_text.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <system_error>
#include <vector>

namespace kvarton::report {

namespace fs = std::filesystem;

namespace {

fs::path fromUtf8(const std::string& s)
{
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(s.data()), s.size()));
}

std::string quoted(const std::string& path) { return "«" + path + "»"; }

std::string readAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), {}};
    return in.bad() ? std::string() : bytes;
}

// --- Formats ---------------------------------------------------------------------------------

std::uint8_t readingOrderValue(ReadingOrder o)
{
    switch (o) {
    case ReadingOrder::Context:
        return 0;
    case ReadingOrder::LeftToRight:
        return 1;
    case ReadingOrder::RightToLeft:
        return 2;
    }
    return 0;
}

void applyAlignment(lxw_format* f, const Alignment& a)
{
    if (a.horizontal == HorizontalAlignment::Centre)
        format_set_align(f, LXW_ALIGN_CENTER);
    format_set_align(
        f, a.vertical == VerticalAlignment::Centre ? LXW_ALIGN_VERTICAL_CENTER : LXW_ALIGN_VERTICAL_BOTTOM);
    if (a.wrapText)
        format_set_text_wrap(f);
    if (a.orientation != 0)
        format_set_rotation(f, static_cast<std::int16_t>(a.orientation));
    if (a.indentLevel > 0)
        format_set_indent(f, static_cast<std::uint8_t>(a.indentLevel));
    if (a.shrinkToFit)
        format_set_shrink(f);
    if (const auto order = readingOrderValue(a.readingOrder); order != 0)
        format_set_reading_order(f, order);
}

// One libxlsxwriter format per distinct cell format; nullptr for the default format.
class Formats final {
public:
    explicit Formats(lxw_workbook* wb)
        : wb_(wb)
    {
    }

    lxw_format* operator()(const CellFormat& cf)
    {
        if (cf == CellFormat{})
            return nullptr;
        for (const auto& [known, format] : made_)
            if (known == cf)
                return format;
        lxw_format* f = workbook_add_format(wb_);
        if (cf.numberFormat == "General")
            format_set_num_format_index(f, 0);
        else
            format_set_num_format(f, cf.numberFormat.c_str());
        if (cf.alignment)
            applyAlignment(f, *cf.alignment);
        if (cf.borders.left)
            format_set_left(f, LXW_BORDER_THIN);
        if (cf.borders.top)
            format_set_top(f, LXW_BORDER_THIN);
        if (cf.borders.right)
            format_set_right(f, LXW_BORDER_THIN);
        if (cf.borders.bottom)
            format_set_bottom(f, LXW_BORDER_THIN);
        if (cf.bold)
            format_set_bold(f);
        made_.emplace_back(cf, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::vector<std::pair<CellFormat, lxw_format*>> made_;
};

// --- Messages --------------------------------------------------------------------------------

std::string tooLongText(int row, int column)
{
    return "Отчет не создан: текст для ячейки " + cellAddress(row, column)
        + " слишком длинный (в ячейке помещается не больше 32767 знаков). Сократите его.";
}

std::string creationFailure(const std::string& path, int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return "Отчет не создан: папка для файла " + quoted(path) + " не найдена.";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Отчет не создан: нет прав на запись в папку файла " + quoted(path) + ".";
    default:
        return "Отчет не создан: не удалось создать файл " + quoted(path) + ".";
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

std::string writeFailure(const std::string& path, lxw_error error, int err)
{
    if (isOutOfSpace(err))
        return "Отчет не создан: на диске не хватило места для файла " + quoted(path)
            + ". Освободите место и снова нажмите «вывести отчет».";
    if (error == LXW_ERROR_CREATING_XLSX_FILE)
        return creationFailure(path, err);
    if (error == LXW_ERROR_CREATING_TMPFILE)
        return "Отчет не создан: не удалось создать временный файл. Проверьте, что на диске есть свободное место.";
    return "Отчет не создан: не удалось записать файл " + quoted(path)
        + ". Проверьте, что диск доступен и на нем есть свободное место.";
}

// --- The workbook ----------------------------------------------------------------------------

struct WorkbookFree {
    void operator()(lxw_workbook* wb) const noexcept { lxw_workbook_free(wb); }
};
using WorkbookPtr = std::unique_ptr<lxw_workbook, WorkbookFree>;

lxw_error writeCell(
    lxw_worksheet* ws, int row, int column, const CellState& cell, const std::string* text, lxw_format* format)
{
    const auto r = static_cast<lxw_row_t>(row - 1);
    const auto c = static_cast<lxw_col_t>(column);
    if (text) // never worksheet_write() or a formula: a text stays a text
        return worksheet_write_string(ws, r, c, text->c_str(), format);
    if (const double* number = std::get_if<double>(&cell.value))
        return worksheet_write_number(ws, r, c, *number, format);
    return worksheet_write_blank(ws, r, c, format);
}

lxw_error fill(lxw_workbook* wb, const SheetState& sheet, const std::map<SheetState::Position, std::string>& texts)
{
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    if (!ws)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    Formats formats(wb);
    for (const auto& [column, state] : sheet.columns()) {
        const auto c = static_cast<lxw_col_t>(column);
        const double width = state.width.value_or(LXW_DEF_COL_WIDTH);
        if (const lxw_error e = worksheet_set_column(ws, c, c, width, formats(state.format)))
            return e;
    }
    // Printed on A4, all four columns on one page width.
    worksheet_set_paper(ws, 9);
    worksheet_fit_to_pages(ws, 1, 0);
    for (const auto& [row, height] : sheet.rowHeights())
        if (const lxw_error e = worksheet_set_row(ws, static_cast<lxw_row_t>(row - 1), height, nullptr))
            return e;
    // A merge writes blanks over its cells; the cells are written again below with their own state.
    for (const CellRange& m : sheet.merges()) {
        if (m.firstRow == m.lastRow && m.firstColumn == m.lastColumn)
            continue; // one cell is merged already
        const auto first = sheet.cells().find({m.firstRow, m.firstColumn});
        lxw_format* format = first == sheet.cells().end() ? nullptr : formats(first->second.format);
        if (const lxw_error e
            = worksheet_merge_range(ws, static_cast<lxw_row_t>(m.firstRow - 1), static_cast<lxw_col_t>(m.firstColumn),
                static_cast<lxw_row_t>(m.lastRow - 1), static_cast<lxw_col_t>(m.lastColumn), "", format))
            return e;
    }
    for (const auto& [pos, cell] : sheet.cells()) {
        const auto text = texts.find(pos);
        if (const lxw_error e = writeCell(
                ws, pos.first, pos.second, cell, text == texts.end() ? nullptr : &text->second, formats(cell.format)))
            return e;
    }
    return LXW_NO_ERROR;
}

} // namespace

std::optional<ReportProblem> writeWorkbook(const SheetState& sheet, const std::string& path)
{
    // Everything that can be checked is checked before a file exists.
    std::map<SheetState::Position, std::string> texts;
    for (const auto& [pos, cell] : sheet.cells())
        if (const auto* text = std::get_if<std::string>(&cell.value)) {
            std::string stored = xlsxCellText(*text);
            if (stored.size() > kMaxCellTextBytes)
                return ReportProblem{tooLongText(pos.first, pos.second)};
            texts.emplace(pos, std::move(stored));
        }

    const fs::path target = fromUtf8(path);
    std::error_code ec;
    // What cannot be looked at (type none) is left to the library, which then fails to create it.
    if (const auto type = fs::symlink_status(target, ec).type();
        type != fs::file_type::not_found && type != fs::file_type::none)
        return ReportProblem{"Отчет не создан: файл " + quoted(path) + " уже существует."};
    if (const fs::path folder = target.parent_path(); !folder.empty()) {
        const auto type = fs::status(folder, ec).type();
        if (type == fs::file_type::not_found || (type != fs::file_type::none && type != fs::file_type::directory))
            return ReportProblem{creationFailure(path, ENOENT)};
    }

    WorkbookPtr wb(workbook_new(path.c_str()));
    if (!wb)
        return ReportProblem{"Отчет не создан: не хватило памяти."};
    if (const lxw_error e = fill(wb.get(), sheet, texts))
        return ReportProblem{
            std::string("Отчет не создан из-за внутренней ошибки программы: ") + lxw_strerror(e) + "."};

    // libxlsxwriter creates the file only now, and leaves whatever it got written when it fails.
    errno = 0;
    const lxw_error closed = workbook_close(wb.release());
    const int err = errno;
    if (closed != LXW_NO_ERROR) {
        fs::remove(target, ec);
        return ReportProblem{writeFailure(path, closed, err)};
    }
    // A success of the library is not yet a whole workbook (see isCompleteXlsxPackage).
    if (!isCompleteXlsxPackage(readAll(target))) {
        fs::remove(target, ec);
        return ReportProblem{"Отчет не создан: файл " + quoted(path)
            + " записан не полностью, вероятно, на диске не хватило места (в том числе для "
              "временных файлов). Освободите место и снова нажмите «вывести отчет»."};
    }
    return std::nullopt;
}

} // namespace kvarton::report
