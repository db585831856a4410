#include "summary_workbook.h"

#include "summary_columns.h"

#include "calc/panel_options.h"
#include "calc/result_charts.h"
#include "report/report_layout.h"
#include "report/row_fit.h"
#include "report/xlsx_text.h"

#include <algorithm>
#include <array>
#include <string>

namespace kvarton::summary {

namespace {

using report::Cell;
using report::CellRange;
using report::Chart;
using report::Horizontal;
using report::Sheet;
using report::Style;
using report::Vertical;

enum StyleIndex : int { Title, Head, Text, Whole, OneDecimal, TwoDecimals, Shown, Note };

std::vector<Style> styles()
{
    const Style bordered{.bordered = true, .vertical = Vertical::Top, .wrap = true};
    std::vector<Style> s(static_cast<std::size_t>(Note) + 1, bordered);
    s[Title] = Style{.bold = true, .horizontal = Horizontal::Left, .vertical = Vertical::Centre};
    s[Head].bold = true;
    s[Head].horizontal = Horizontal::Centre;
    s[Head].vertical = Vertical::Centre;
    s[Text].horizontal = Horizontal::Left;
    const std::pair<StyleIndex, int> numbers[] = {{Whole, 0}, {OneDecimal, 1}, {TwoDecimals, 2}};
    for (const auto& [index, decimals] : numbers) {
        s[index].numberFormat = report::decimalsFormat(decimals);
        s[index].horizontal = Horizontal::Right;
        s[index].wrap = false;
    }
    s[Shown].horizontal = Horizontal::Right; // "-" where the screen shows it
    s[Note] = Style{.horizontal = Horizontal::Left, .vertical = Vertical::Top, .wrap = true};
    return s;
}

int numberStyle(const SummaryColumn& c)
{
    const Pattern pattern = c.label ? c.label->pattern : Pattern::Whole;
    return pattern == Pattern::TwoDecimals ? TwoDecimals : pattern == Pattern::OneDecimal ? OneDecimal : Whole;
}

std::string text(std::string_view t) { return std::string(t); }

// Russian counts: 1 отчет, 2 отчета, 5 отчетов.
std::string counted(std::size_t n, const char* one, const char* few, const char* many)
{
    const std::size_t tens = n % 100, units = n % 10;
    const char* word = tens >= 11 && tens <= 14 ? many : units == 1 ? one : units >= 2 && units <= 4 ? few : many;
    return std::to_string(n) + ' ' + word;
}

constexpr double kFigureWidth = 14;
constexpr std::string_view kNoSurname = "(фамилия не указана)";
constexpr double kIdentityWidths[kIdentityColumns] = {18, 17, 22, 15};
constexpr int A = 0;

int firstFigureColumn() { return kIdentityColumns; }
int figureColumn(std::size_t i) { return firstFigureColumn() + static_cast<int>(i); }
int noteColumn() { return figureColumn(summaryColumns().size()); }

// The figures as they fall onto printed pages, each piece under the title of its step: a page for
// each of steps 13 and 14, two groups of step 15 a page, step 16 and the note on the last one. A
// piece is [first, end) of summaryColumns().
std::vector<std::pair<std::size_t, std::size_t>> printedPieces()
{
    constexpr std::size_t kGroupsAPage = 2;
    const auto columns = summaryColumns();
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    for (std::size_t i = 0; i < columns.size();) {
        std::size_t end = i, groups = 0;
        while (end < columns.size() && columns[end].panel == columns[i].panel) {
            if (columns[end].panel == calc::ResultsPanel::NormativeTable && columns[end].option != columns[i].option
                && end > i && columns[end].option != columns[end - 1].option && ++groups == kGroupsAPage)
                break;
            ++end;
        }
        pieces.emplace_back(i, end);
        i = end;
    }
    return pieces;
}

std::array<std::string, kIdentityColumns> identityHeads()
{
    return {"Файл", text(report::identityRows()[0].label), text(report::identityRows()[1].label),
        "Слушатель (фамилия и инициалы)"};
}

// The row's identity as its cells can hold it. A text the reader took fits a cell, but the
// learner's name joins three of them: one that does not fit is cut, and the row's note names its
// column, so that no report is left out of the summary for it.
struct FittedIdentity {
    std::array<std::string, kIdentityColumns> texts;
    std::string note;
};

FittedIdentity fittedIdentity(const SummaryRow& r)
{
    // A learner who typed no surname still has a name in the row and under the charts' bars.
    FittedIdentity fitted{
        {r.fileName, r.region, r.institution, r.learner.empty() ? std::string(kNoSurname) : r.learner}, r.note};
    const auto heads = identityHeads();
    std::vector<std::string> cut;
    for (std::size_t c = 0; c < fitted.texts.size(); ++c)
        if (report::cellTextLength(fitted.texts[c]) > report::kMaxCellText) {
            fitted.texts[c] = report::fittingCellText(fitted.texts[c]);
            cut.push_back("«" + heads[c] + "»");
        }
    if (cut.empty())
        return fitted;
    std::string columns = cut.front();
    for (std::size_t i = 1; i < cut.size(); ++i)
        columns += ", " + cut[i];
    fitted.note += (fitted.note.empty() ? "" : " ")
        + (cut.size() == 1 ? "В столбце " + columns + " текст сокращен" : "В столбцах " + columns + " тексты сокращены")
        + ": в ячейке помещается не больше " + std::to_string(report::kMaxCellText) + " знаков.";
    return fitted;
}

// A head over the columns from `first` to `last` on `row`, merged when it spans several; an empty
// head joins the one before it in the same row when both belong to one step.
void head(Sheet& sheet, int row, int first, int last, std::string words)
{
    sheet.cells.push_back({row, first, std::move(words), Head});
    if (last > first)
        sheet.merges.push_back({row, first, row, last});
}

// Row 1: the steps; row 2: the options; row 3: the figures, with the filter's buttons.
void heads(Sheet& sheet, std::size_t reports, std::size_t unread)
{
    sheet.cells.push_back({1, A, std::string("Сводка отчетов слушателей"), Title});
    sheet.merges.push_back({1, A, 1, kIdentityColumns - 1});
    sheet.cells.push_back({2, A,
        "Прочитано: " + counted(reports, "отчет", "отчета", "отчетов")
            + (unread ? "; не прочитано: " + counted(unread, "файл", "файла", "файлов") + " (лист «"
                        + text(kUnreadSheetName) + "»)."
                      : "."),
        Title});
    sheet.merges.push_back({2, A, 2, kIdentityColumns - 1});
    const auto identity = identityHeads();
    for (int c = 0; c < kIdentityColumns; ++c)
        sheet.cells.push_back({kHeadRows, c, identity[static_cast<std::size_t>(c)], Head});

    const auto columns = summaryColumns();
    for (const auto& [first, end] : printedPieces()) {
        head(sheet, 1, figureColumn(first), figureColumn(end - 1), text(calc::stepTitle(columns[first].panel)));
        for (std::size_t j = first; j < end;) {
            std::size_t groupEnd = j;
            while (groupEnd < end && columns[groupEnd].option == columns[j].option)
                ++groupEnd;
            head(sheet, 2, figureColumn(j), figureColumn(groupEnd - 1), columns[j].group);
            j = groupEnd;
        }
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
        sheet.cells.push_back({kHeadRows, figureColumn(i), columns[i].head, Head});
    head(sheet, 1, noteColumn(), noteColumn(), {});
    head(sheet, 2, noteColumn(), noteColumn(), {});
    sheet.cells.push_back({kHeadRows, noteColumn(), std::string("Примечание"), Head});
}

// Cells go row after row, each from left to right, as the writer numbers the shared texts.
void sortCells(Sheet& sheet)
{
    std::stable_sort(sheet.cells.begin(), sheet.cells.end(),
        [](const Cell& a, const Cell& b) { return std::tie(a.row, a.column) < std::tie(b.row, b.column); });
}

Sheet summarySheet(const std::vector<SummaryRow>& rows, std::size_t unread)
{
    Sheet sheet;
    sheet.name = text(kSummarySheetName);
    sheet.styles = styles();
    for (int c = 0; c < kIdentityColumns; ++c)
        sheet.columns.push_back({c, kIdentityWidths[c], -1});
    const auto columns = summaryColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        sheet.columns.push_back({figureColumn(i), kFigureWidth, -1});
    sheet.columns.push_back({noteColumn(), 40, -1});
    heads(sheet, rows.size(), unread);

    int row = kFirstRowOfReports;
    for (const SummaryRow& r : rows) {
        const FittedIdentity identity = fittedIdentity(r);
        for (int c = 0; c < kIdentityColumns; ++c)
            sheet.cells.push_back({row, c, identity.texts[static_cast<std::size_t>(c)], Text});
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const SummaryValue& v = r.figures.at(i);
            if (const auto* number = std::get_if<double>(&v))
                sheet.cells.push_back({row, figureColumn(i), *number, numberStyle(columns[i])});
            else if (const auto* shown = std::get_if<std::string>(&v))
                sheet.cells.push_back({row, figureColumn(i), *shown, Shown});
            else
                sheet.cells.push_back({row, figureColumn(i), std::string(), Text});
        }
        sheet.cells.push_back({row, noteColumn(), identity.note, Text});
        ++row;
    }
    sortCells(sheet);
    sheet.frozen = {kHeadRows, kIdentityColumns};
    const int lastRow = std::max(kHeadRows, row - 1);
    sheet.autofilter = CellRange{kHeadRows, A, lastRow, noteColumn()};
    sheet.page.paper = report::Paper::A4;
    sheet.page.landscape = true;
    sheet.page.repeatedRows = kHeadRows;
    sheet.page.repeatedColumns = kIdentityColumns;
    sheet.page.scale = 60; // the identity and the figures of a step, or of two groups, across a page
    for (const auto& [first, end] : printedPieces())
        if (first > 0)
            sheet.page.columnBreaks.push_back(figureColumn(first));
    sheet.page.header = "Сводка отчетов слушателей";
    sheet.rowHeights = report::fittedRowHeights(sheet);
    return sheet;
}

Sheet unreadSheet(const std::vector<UnreadFile>& unread)
{
    Sheet sheet;
    sheet.name = text(kUnreadSheetName);
    sheet.styles = styles();
    const double widths[] = {30, 45, 70};
    for (int c = 0; c < 3; ++c)
        sheet.columns.push_back({c, widths[c], -1});
    const char* heads[] = {"Файл", "Папка", "Причина"};
    for (int c = 0; c < 3; ++c)
        sheet.cells.push_back({1, c, std::string(heads[c]), Head});
    int row = 2;
    for (const UnreadFile& f : unread) {
        // Paths and reasons fit a cell; were one not to, it would be cut rather than stop the summary.
        const std::string* texts[] = {&f.fileName, &f.folder, &f.reason};
        for (int c = 0; c < 3; ++c)
            sheet.cells.push_back({row, c, report::fittingCellText(*texts[c]), Text});
        ++row;
    }
    if (unread.empty()) {
        sheet.cells.push_back({row, 0, std::string("Все файлы прочитаны."), Note});
        sheet.merges.push_back({row, 0, row, 2});
    }
    sheet.frozen = {1, 0};
    sheet.page.paper = report::Paper::A4;
    sheet.page.landscape = true;
    sheet.page.fitToPageWidth = true;
    sheet.page.repeatedRows = 1;
    sheet.rowHeights = report::fittedRowHeights(sheet);
    return sheet;
}

report::Fill fillOf(calc::Swatch swatch)
{
    const calc::SwatchLook look = calc::look(swatch);
    static constexpr report::FillPattern kPatterns[]{report::FillPattern::Solid, report::FillPattern::Diagonal,
        report::FillPattern::Cross, report::FillPattern::Horizontal, report::FillPattern::Dots};
    return {look.rgb, kPatterns[static_cast<int>(look.hatch)]};
}

// The column of the summary that holds a figure of a step's option.
std::size_t columnOf(calc::ResultsPanel panel, int option, const calc::ValueLabel& label)
{
    const auto columns = summaryColumns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].panel == panel && columns[i].option == option && columns[i].label == &label)
            return i;
    return columns.size();
}

// A bar per learner and series, the learners listed from the top down as on the summary sheet.
struct LearnersSeries {
    std::string name;
    std::size_t column; // of summaryColumns()
    calc::Swatch swatch;
};

Chart learnersChart(std::size_t reports, std::string title, std::string axis, std::string format,
    const std::vector<LearnersSeries>& series)
{
    const int first = kFirstRowOfReports, last = kFirstRowOfReports + static_cast<int>(reports) - 1;
    Chart chart;
    chart.kind = report::ChartKind::Bars;
    chart.title = std::move(title);
    chart.valueAxis = std::move(axis);
    chart.valueFormat = std::move(format);
    chart.description = "Диаграмма: " + chart.title + ", по слушателям.";
    for (const LearnersSeries& s : series)
        chart.series.push_back({s.name, CellRange{first, kIdentityColumns - 1, last, kIdentityColumns - 1},
            CellRange{first, figureColumn(s.column), last, figureColumn(s.column)}, fillOf(s.swatch),
            text(kSummarySheetName)});
    chart.width = 900;
    // Room for every learner's name and bars, and for the title, the axis and the legend.
    chart.height = 150 + static_cast<int>(reports * (series.size() * 9 + 12));
    return chart;
}

Sheet chartsSheet(std::size_t reports)
{
    Sheet sheet;
    sheet.name = text(kChartsSheetName);
    sheet.styles = styles();
    sheet.page.paper = report::Paper::A4;
    sheet.page.fitToPageWidth = true;
    sheet.columns.push_back({A, 125, -1});
    if (reports == 0) {
        sheet.cells.push_back({1, A, std::string("Нет прочитанных отчетов: диаграммам нечего показать."), Note});
        return sheet;
    }
    sheet.cells.push_back({1, A,
        "Диаграммы показывают строки листа «" + text(kSummarySheetName)
            + "», которые не скрыты фильтром: выберите в фильтре округ, и на диаграммах останутся его слушатели.",
        Note});
    const auto method1 = static_cast<int>(ix(calc::Method::ByRecommendations));
    const auto cost = [&](calc::PupilHourLine line, StayRegime view, calc::Swatch swatch) {
        return LearnersSeries{text(calc::viewOption(view).text),
            columnOf(calc::ResultsPanel::PupilHourCost, method1, calc::value(calc::line(line))), swatch};
    };
    Chart costs = learnersChart(reports,
        "Стоимость ученико-часа ("
            + text(calc::methodOption(calc::ResultsPanel::PupilHourCost, calc::Method::ByRecommendations).text) + ")",
        "рублей на воспитанника", "0.0",
        {cost(calc::PupilHourLine::CostDay, StayRegime::Day, calc::Swatch::Normative),
            cost(calc::PupilHourLine::CostShortTerm, StayRegime::ShortTerm, calc::Swatch::Need)});
    costs.row = 3;
    const calc::PanelLine& total = calc::line(calc::NormativeLine::Total);
    std::vector<LearnersSeries> balances;
    const calc::Swatch swatches[] = {calc::Swatch::PedagogicalPay, calc::Swatch::AdminPay, calc::Swatch::ServicePay};
    for (calc::NormativeGroup g :
        {calc::NormativeGroup::JuniorDay, calc::NormativeGroup::MiddleDay, calc::NormativeGroup::SeniorDay})
        balances.push_back({text(calc::groupOption(g).text),
            columnOf(calc::ResultsPanel::NormativeTable, static_cast<int>(ix(g)),
                calc::value(total, calc::NormativeColumn::Remainder)),
            swatches[ix(g) - 3]});
    Chart balance = learnersChart(reports,
        "Дневные группы: остаток норматива после потребностей, рублей на ребенка в год (меньше нуля — нехватка)",
        "рублей на ребенка в год", "0", balances);
    const int rowPixels = 20;
    balance.row = costs.row + costs.height / rowPixels + 2;
    sheet.charts = {std::move(costs), std::move(balance)};
    sheet.rowHeights = report::fittedRowHeights(sheet);
    return sheet;
}

} // namespace

report::Workbook summaryWorkbook(const std::vector<SummaryRow>& rows, const std::vector<UnreadFile>& unread)
{
    return {{summarySheet(rows, unread.size()), unreadSheet(unread), chartsSheet(rows.size())}};
}

} // namespace kvarton::summary
