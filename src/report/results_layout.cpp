#include "results_layout.h"

#include "report_layout.h"
#include "results_notes.h"
#include "row_fit.h"
#include "xlsx_text.h"

#include "calc/panel_options.h"
#include "calc/result_charts.h"
#include "model/conversion.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvarton::report {

namespace {

// Roubles on a chart's axis and bars: whole, with the thousands apart as the reader's spreadsheet
// writes them ("20 000 000" in Russian), not "20000000".
constexpr const char* kGroupedWhole = "#,##0";

using calc::AllResults;
using calc::Method;
using calc::NormativeGroup;
using calc::ResultsPanel;
using calc::StepView;

// Captions in A; the values of the options in B–H (step 15 names the kind of each value in B);
// the units of steps 13 and 14 in F–G, wide enough for "рублей на воспитанника".
constexpr int A = 0, B = 1, C = 2, D = 3, F = 5, G = 6, H = 7;
// A value column holds the longest word of the heads, "Краткосрочные" in bold, whole even where
// a wider face stands in for the default one: heads wrap between words only.
constexpr double kCaptionWidth = 40;
constexpr double kValueWidth = 15;
// Pixels of a column of that width in the default font, as a spreadsheet lays it out.
constexpr int pixels(double width) { return static_cast<int>(width * 7 + 5); }
constexpr int kRowPixels = 20; // a row of the default height

// The day view stands left of the short-term one, as on the screen.
constexpr StayRegime kViews[] = {StayRegime::Day, StayRegime::ShortTerm};

enum StyleIndex : int {
    Title,
    Head,
    Caption,
    CaptionBold,
    CaptionPart,
    Unit,
    Blank,
    Whole,
    OneDecimal,
    TwoDecimals,
    WholeBold,
    Note,
};

std::vector<Style> styles()
{
    const Style bordered{.bordered = true, .vertical = Vertical::Centre, .wrap = true};
    std::vector<Style> s(static_cast<std::size_t>(Note) + 1, bordered);
    s[Title] = Style{.bold = true, .vertical = Vertical::Centre};
    s[Head].bold = true;
    s[Head].horizontal = Horizontal::Centre;
    s[Caption].horizontal = s[CaptionBold].horizontal = s[CaptionPart].horizontal = Horizontal::Left;
    s[CaptionBold].bold = true;
    s[CaptionPart].indent = 1;
    s[Unit].horizontal = Horizontal::Left;
    const std::pair<StyleIndex, int> numbers[] = {{Whole, 0}, {OneDecimal, 1}, {TwoDecimals, 2}, {WholeBold, 0}};
    for (const auto& [index, decimals] : numbers) {
        s[index].numberFormat = report::decimalsFormat(decimals);
        s[index].horizontal = Horizontal::Right;
        s[index].wrap = false;
    }
    s[WholeBold].bold = true;
    s[Note] = Style{.horizontal = Horizontal::Left, .vertical = Vertical::Top, .wrap = true};
    return s;
}

int valueStyle(Pattern pattern, bool bold)
{
    if (bold)
        return WholeBold;
    return pattern == Pattern::TwoDecimals ? TwoDecimals : pattern == Pattern::OneDecimal ? OneDecimal : Whole;
}

std::string text(std::string_view t) { return std::string(t); }

Fill fillOf(calc::Swatch swatch)
{
    const calc::SwatchLook look = calc::look(swatch);
    static constexpr FillPattern kPatterns[]{
        FillPattern::Solid, FillPattern::Diagonal, FillPattern::Cross, FillPattern::Horizontal, FillPattern::Dots};
    return {look.rgb, kPatterns[static_cast<int>(look.hatch)]};
}

// Fills the sheet row after row, each row from left to right, and notes where each figure stands.
class Layout final {
public:
    Layout(Sheet& sheet, const AllResults& results)
        : sheet_(sheet)
        , results_(results)
    {
    }

    int row() const { return row_; }
    void next(int rows = 1) { row_ += rows; }
    void cell(int column, CellValue value, int style)
    {
        sheet_.cells.push_back({row_, column, std::move(value), style});
    }
    // The block from `column` to `lastColumn` over `rows` rows, from the current row down.
    void merge(int column, int lastColumn, int rows = 1)
    {
        if (lastColumn > column || rows > 1)
            sheet_.merges.push_back({row_, column, row_ + rows - 1, lastColumn});
    }
    void pageBreak() { sheet_.page.pageBreaks.push_back(row_); }
    void chart(Chart chart) { sheet_.charts.push_back(std::move(chart)); }

    // What an option of a step shows in `label`: the number, or the text shown instead of it;
    // nothing where the step showed its error panel.
    void figure(int column, ResultsPanel panel, int option, const calc::ValueLabel& label, bool bold = false)
    {
        figures_.push_back({row_, column, panel, option, &label});
        const StepView& view = optionView(results_, panel, option);
        const std::string* shown = view.showError ? nullptr : calc::textOf(view, label.name);
        if (!shown)
            cell(column, std::string(), Blank);
        else if (const auto number = parseNumber(*shown))
            cell(column, *number, valueStyle(label.pattern, bold));
        else
            cell(column, *shown, valueStyle(label.pattern, bold));
    }

    // A figure only a chart states, written by its caller; its cell carries its explanation too.
    void chartFigure(int column, calc::QuantityRef q) { chartFigures_.push_back({row_, column, q}); }

    const AllResults& results() const { return results_; }
    std::vector<ResultsFigure> figures() && { return std::move(figures_); }
    const std::vector<ResultsChartFigure>& chartFigures() const { return chartFigures_; }

private:
    Sheet& sheet_;
    const AllResults& results_;
    std::vector<ResultsFigure> figures_;
    std::vector<ResultsChartFigure> chartFigures_;
    int row_ = 1;
};

void title(Layout& l, ResultsPanel panel)
{
    l.cell(A, text(calc::stepTitle(panel)), Title);
    l.next();
}

// A head cell over the columns from `first` to `last`.
void head(Layout& l, int first, int last, std::string words)
{
    l.cell(first, std::move(words), Head);
    l.merge(first, last);
}

void note(Layout& l, int first, int last, const std::string& words)
{
    l.cell(first, words, Note);
    l.merge(first, last);
}

// The line under a step's table: which options the step could not show, if any.
void notComputed(Layout& l, ResultsPanel panel)
{
    std::vector<std::string> failed;
    for (int o = 0; o < optionCount(panel); ++o)
        if (optionView(l.results(), panel, o).showError)
            failed.push_back(optionName(panel, o));
    if (failed.size() == static_cast<std::size_t>(optionCount(panel))) {
        note(l, A, H,
            "Результаты шага не рассчитаны: на экране вместо них показана панель ошибок. Проверьте правильность "
            "ввода параметров на шагах 1–12.");
    } else if (!failed.empty()) {
        std::string words = "Не рассчитано (на экране вместо результатов показана панель ошибок): ";
        for (std::size_t i = 0; i < failed.size(); ++i)
            words.append(i ? "; " : "").append(failed[i]);
        note(l, A, H, words + '.');
    }
    l.next();
}

// An option of a step and the columns its values stand in.
struct OptionColumns {
    int option;
    int first;
    int last;
};

// The lines of a panel with one column per option: a line of several values takes a row per value
// under one caption, naming each value by its column head in B where the panel has heads. A
// section heading of the panel stands on a row of its own. Units stand in `unitColumn` and the
// column after it; -1 for none.
void addLines(Layout& l, ResultsPanel p, std::span<const OptionColumns> options, int unitColumn)
{
    const calc::Panel& panel = calc::panel(p);
    const bool headed = !panel.columnHeads[0].text.empty();
    const int lastColumn = std::max(options.back().last, unitColumn + 1);
    std::string_view heading;
    for (const calc::PanelLine& line : panel.lines) {
        if (!line.heading.text.empty() && line.heading.text != heading) {
            heading = line.heading.text;
            l.cell(A, text(heading), CaptionBold);
            l.merge(A, lastColumn);
            l.next();
        }
        std::vector<std::size_t> columns;
        for (std::size_t c = 0; c < line.values.size(); ++c)
            if (!line.values[c].name.empty())
                columns.push_back(c);
        const int captionStyle = line.indented ? CaptionPart : headed ? CaptionBold : Caption;
        for (const std::size_t c : columns) {
            if (c == columns.front()) {
                l.cell(A, text(line.caption.text), captionStyle);
                l.merge(A, A, static_cast<int>(columns.size()));
            }
            if (headed)
                l.cell(B, text(panel.columnHeads[c].text), Caption);
            for (const OptionColumns& o : options) {
                l.figure(o.first, p, o.option, line.values[c]);
                l.merge(o.first, o.last);
            }
            if (unitColumn >= 0) {
                l.cell(unitColumn, text(line.values[c].unit.text), Unit);
                l.merge(unitColumn, unitColumn + 1);
            }
            l.next();
        }
    }
}

void addPupilHours(Layout& l)
{
    constexpr ResultsPanel panel = ResultsPanel::PupilHourCost;
    title(l, panel);
    std::vector<OptionColumns> options;
    head(l, A, A, {});
    for (Method m : allOf<Method>()) {
        const int first = B + 2 * static_cast<int>(ix(m));
        options.push_back({static_cast<int>(ix(m)), first, first + 1});
        head(l, first, first + 1, optionName(panel, static_cast<int>(ix(m))));
    }
    head(l, F, G, {});
    l.next();
    addLines(l, panel, options, F);
    notComputed(l, panel);
}

void addIncentives(Layout& l)
{
    constexpr ResultsPanel panel = ResultsPanel::Incentives;
    title(l, panel);
    std::vector<OptionColumns> options;
    for (int o = 0; o < optionCount(panel); ++o)
        options.push_back({o, B + o, B + o});
    head(l, A, A, {});
    for (Method m : allOf<Method>()) {
        const int first = B + 2 * static_cast<int>(ix(m));
        head(l, first, first + 1, text(calc::methodOption(panel, m).text));
    }
    head(l, F, G, {});
    l.next();
    head(l, A, A, {});
    for (const OptionColumns& o : options)
        head(l, o.first, o.last, text(calc::viewOption(kViews[o.option % 2]).text));
    head(l, F, G, {});
    l.next();
    addLines(l, panel, options, F);
    notComputed(l, panel);
}

int groupColumn(NormativeGroup g) { return C + static_cast<int>(ix(g)); }
int firstColumnOf(StayRegime s)
{
    return groupColumn(s == StayRegime::ShortTerm ? NormativeGroup::JuniorShortTerm : NormativeGroup::JuniorDay);
}

// What the groups of a regime show for a service: nullopt where a group's table was not shown.
struct ServiceFigures {
    bool shown = true;
    bool zero = true;
    std::string described;
};

ServiceFigures serviceFigures(const AllResults& r, calc::NormativeLine service, StayRegime s)
{
    ServiceFigures f;
    const calc::PanelLine& line = calc::line(service);
    for (NormativeGroup g : allOf<NormativeGroup>()) {
        if (calc::regimeOf(g) != s)
            continue;
        const StepView& view = r.normativeTables[g];
        const std::string* normative = calc::textOf(view, calc::value(line, calc::NormativeColumn::Normative).name);
        const std::string* need = calc::textOf(view, calc::value(line, calc::NormativeColumn::Need).name);
        f.shown = f.shown && !view.showError && normative && need;
        if (!f.shown)
            return f;
        f.zero = f.zero && parseNumber(*normative) == 0.0 && parseNumber(*need) == 0.0;
        f.described
            += ' ' + text(calc::groupOption(g).text) + ": норматив " + *normative + ", потребности " + *need + '.';
    }
    return f;
}

// Normative and needs of one service in the groups of one regime, from the rows of the table.
Chart serviceChart(int ageRow, int normativeRow, calc::NormativeLine service, StayRegime s)
{
    const int first = firstColumnOf(s);
    const CellRange categories{ageRow, first, ageRow, first + 2};
    Chart chart;
    chart.kind = ChartKind::Columns;
    chart.title = text(calc::line(service).caption.text) + ". " + text(calc::regimeName(s));
    chart.categoryAxis = "Возрастная группа";
    chart.valueAxis = "рублей на ребенка в год";
    chart.valueFormat = kGroupedWhole;
    chart.valuesOnBars = true;
    const calc::Panel& panel = calc::panel(ResultsPanel::NormativeTable);
    const calc::Swatch swatches[] = {calc::Swatch::Normative, calc::Swatch::Need};
    for (int kind = 0; kind < 2; ++kind) {
        const int row = normativeRow + kind;
        chart.series.push_back({text(panel.columnHeads[static_cast<std::size_t>(kind)].text), categories,
            {row, first, row, first + 2}, fillOf(swatches[kind])});
    }
    return chart;
}

void addNormativeTables(Layout& l)
{
    constexpr ResultsPanel panel = ResultsPanel::NormativeTable;
    title(l, panel);
    std::vector<OptionColumns> options;
    for (NormativeGroup g : allOf<NormativeGroup>())
        options.push_back({static_cast<int>(ix(g)), groupColumn(g), groupColumn(g)});
    for (int c = A; c <= B; ++c)
        head(l, c, c, {});
    for (StayRegime s : {StayRegime::ShortTerm, StayRegime::Day})
        head(l, firstColumnOf(s), firstColumnOf(s) + 2, text(calc::regimeHead(s).text));
    l.next();
    const int ageRow = l.row();
    for (int c = A; c <= B; ++c)
        head(l, c, c, {});
    for (NormativeGroup g : allOf<NormativeGroup>())
        head(l, groupColumn(g), groupColumn(g), text(calc::groupOption(g).text));
    l.next();
    const int firstLine = l.row();
    addLines(l, panel, options, -1);
    notComputed(l, panel);

    // A chart per service and regime, the short-term groups on the left, over two pages' width of
    // columns: A–C and D–H. A chart of nothing but zeros would show a meaningless axis; words
    // stand in its place.
    constexpr int width = pixels(kCaptionWidth) + 2 * pixels(kValueWidth) - 8;
    constexpr int height = 15 * kRowPixels;
    l.next();
    l.pageBreak();
    for (calc::NormativeLine service : {calc::NormativeLine::Education, calc::NormativeLine::Care}) {
        const int normativeRow = firstLine + 3 * static_cast<int>(service); // three rows a line
        for (StayRegime s : {StayRegime::ShortTerm, StayRegime::Day}) {
            const int column = s == StayRegime::ShortTerm ? A : D;
            const ServiceFigures figures = serviceFigures(l.results(), service, s);
            if (!figures.shown)
                continue;
            Chart chart = serviceChart(ageRow, normativeRow, service, s);
            if (figures.zero) {
                note(l, column, column == A ? C : H, chart.title + ": норматив и потребности равны нулю.");
                continue;
            }
            chart.description = "Диаграмма: " + chart.title + ", рублей на ребенка в год." + figures.described;
            chart.row = l.row();
            chart.column = column;
            chart.width = width;
            chart.height = height;
            l.chart(std::move(chart));
        }
        l.next(height / kRowPixels + 1);
    }
}

// The expenses by kind beside the subsidy, as the screen's chart shows them, and that chart.
void addExpenseStructure(Layout& l)
{
    const calc::ExpenseStructure structure = calc::expenseStructure(l.results().estimate);
    const int headRow = l.row();
    head(l, A, A, "Состав расходов и субсидия, рублей");
    head(l, B, B, text(calc::kExpensesBar));
    head(l, C, C, text(calc::kSubsidyBar));
    l.next();
    const auto number = [&](int column, std::optional<double> value, int style) {
        if (value)
            l.cell(column, *value, style);
        else
            l.cell(column, std::string(), Blank);
    };
    Chart chart;
    chart.kind = ChartKind::StackedColumns;
    chart.title = "Структура расходов учреждения и выделенная субсидия";
    chart.valueAxis = "рублей в год";
    chart.valueFormat = kGroupedWhole;
    chart.description = "Диаграмма: " + chart.title + ".";
    // A series per row, over the two columns: each kind of expense stands in the first, the subsidy
    // in the second, so that the chart stacks the one bar and stands the other beside it.
    const auto row = [&](calc::Swatch swatch, const std::string& caption, std::optional<double> expense,
                         std::optional<double> subsidy, std::optional<calc::FigureRef> figure = std::nullopt) {
        chart.series.push_back({caption, {headRow, B, headRow, C}, {l.row(), B, l.row(), C}, fillOf(swatch)});
        l.cell(A, caption, Caption);
        number(B, expense, Whole);
        if (expense && figure && !figure->isLabel()) // a figure the table above does not show
            l.chartFigure(B, figure->quantity);
        number(C, subsidy, Whole);
        l.next();
        if (const auto amount = expense ? expense : subsidy)
            chart.description += ' ' + caption + ": " + format(*amount, Pattern::Whole) + '.';
    };
    for (const calc::ExpenseKind& k : structure.kinds)
        row(k.swatch, k.caption, k.amount, std::nullopt, k.figure);
    row(calc::Swatch::Subsidy, structure.subsidyCaption, std::nullopt, structure.subsidy);
    l.cell(A, std::string("Всего"), CaptionBold);
    number(B, structure.expenses, WholeBold);
    number(C, structure.subsidy, WholeBold);
    l.next();
    l.cell(A, std::string("Остаток (субсидия минус расходы)"), CaptionBold);
    l.cell(B, std::string(), Blank);
    number(C,
        structure.expenses && structure.subsidy ? std::optional(*structure.subsidy - *structure.expenses)
                                                : std::nullopt,
        WholeBold);
    if (structure.expenses && structure.subsidy)
        l.chartFigure(C, calc::quantity(calc::Quantity::SubsidyBalance));
    l.next(2);
    if (structure.complete() && *structure.expenses == 0 && *structure.subsidy == 0) {
        note(l, A, H, chart.title + ": расходы и субсидия равны нулю.");
    } else if (structure.complete()) {
        chart.row = l.row();
        chart.column = A;
        chart.width = pixels(kCaptionWidth) + 5 * pixels(kValueWidth);
        chart.height = 16 * kRowPixels;
        l.chart(std::move(chart));
    }
    l.next(16);
}

void addEstimate(Layout& l)
{
    constexpr ResultsPanel p = ResultsPanel::Estimate;
    title(l, p);
    const calc::Panel& panel = calc::panel(p);
    head(l, A, A, text(panel.captionsHead.text));
    head(l, B, B, text(panel.columnHeads[0].text));
    head(l, C, C, text(panel.columnHeads[1].text));
    l.next();
    for (const calc::PanelLine& line : panel.lines) {
        l.cell(A, text(line.caption.text), line.total ? CaptionBold : line.indented ? CaptionPart : Caption);
        l.figure(B, p, 0, calc::value(line, calc::EstimateColumn::Total), line.total);
        const calc::ValueLabel& special = calc::value(line, calc::EstimateColumn::Special);
        if (special.name.empty())
            l.cell(C, std::string(), Blank);
        else
            l.figure(C, p, 0, special, line.total);
        l.next();
    }
    notComputed(l, p);
    l.next();
    l.pageBreak();
    addExpenseStructure(l);
}

// The region and the institution, as the page header names them: one or two lines above the
// table, however long the institution's name (the sheet holds it whole).
std::string pageHeader(const InstitutionModel& model)
{
    return fittingHeaderText(model.regionName + ", " + model.institutionName, 160);
}

Sheet build(
    const InstitutionModel& model, const AllResults& results, std::vector<ResultsFigure>* figures, bool withNotes)
{
    Sheet sheet;
    sheet.name = text(kResultsSheetName);
    sheet.styles = styles();
    sheet.columns.push_back({A, kCaptionWidth, -1});
    for (int c = B; c <= H; ++c)
        sheet.columns.push_back({c, kValueWidth, -1});
    sheet.page.paper = Paper::A4;
    sheet.page.fitToPageWidth = true; // and as many pages down as it takes
    sheet.page.landscape = true; // the six groups of step 15 side by side
    sheet.page.header = pageHeader(model);

    Layout l(sheet, results);
    for (const IdentityRow& identity : identityRows()) {
        l.cell(A, text(identity.label), Caption);
        l.cell(B, model.*(identity.field), Caption);
        l.merge(B, H);
        l.next();
    }
    l.next();
    addPupilHours(l);
    l.next();
    l.pageBreak();
    addIncentives(l);
    l.next();
    l.pageBreak();
    addNormativeTables(l);
    l.pageBreak();
    addEstimate(l);
    sheet.rowHeights = fittedRowHeights(sheet);
    const std::vector<ResultsChartFigure> chartFigures = l.chartFigures();
    std::vector<ResultsFigure> placed = std::move(l).figures();
    if (withNotes)
        sheet.notes = resultsNotes(model, placed, chartFigures);
    if (figures)
        *figures = std::move(placed);
    return sheet;
}

} // namespace

int optionCount(ResultsPanel panel) noexcept
{
    switch (panel) {
    case ResultsPanel::PupilHourCost:
        return static_cast<int>(kCount<Method>);
    case ResultsPanel::Incentives:
        return static_cast<int>(kCount<Method> * kCount<StayRegime>);
    case ResultsPanel::NormativeTable:
        return static_cast<int>(kCount<NormativeGroup>);
    case ResultsPanel::Estimate:
        break;
    }
    return 1;
}

const StepView& optionView(const AllResults& results, ResultsPanel panel, int option)
{
    const auto o = static_cast<std::size_t>(option);
    switch (panel) {
    case ResultsPanel::PupilHourCost:
        return results.pupilHours.at(o);
    case ResultsPanel::Incentives:
        return results.incentives.at(o / 2)[kViews[o % 2]];
    case ResultsPanel::NormativeTable:
        return results.normativeTables.at(o);
    case ResultsPanel::Estimate:
        break;
    }
    return results.estimate;
}

calc::StepOptions optionStep(ResultsPanel panel, int option) noexcept
{
    const auto o = static_cast<std::size_t>(option);
    switch (panel) {
    case ResultsPanel::PupilHourCost:
        return {.step = 13, .method = static_cast<Method>(o)};
    case ResultsPanel::Incentives:
        return {.step = 14, .method = static_cast<Method>(o / 2), .view = kViews[o % 2]};
    case ResultsPanel::NormativeTable:
        return {.step = 15, .group = static_cast<NormativeGroup>(o)};
    case ResultsPanel::Estimate:
        break;
    }
    return {.step = 16};
}

std::string optionName(ResultsPanel panel, int option)
{
    const auto o = static_cast<std::size_t>(option);
    switch (panel) {
    case ResultsPanel::PupilHourCost:
        return text(calc::methodOption(panel, static_cast<Method>(o)).text);
    case ResultsPanel::Incentives:
        return text(calc::methodOption(panel, static_cast<Method>(o / 2)).text) + ", "
            + text(calc::viewOption(kViews[o % 2]).text);
    case ResultsPanel::NormativeTable:
        return calc::groupName(static_cast<NormativeGroup>(o));
    case ResultsPanel::Estimate:
        break;
    }
    return {};
}

const std::vector<ResultsFigure>& resultsFigures()
{
    static const std::vector<ResultsFigure> figures = [] {
        std::vector<ResultsFigure> placed;
        build(InstitutionModel{}, AllResults{}, &placed, false);
        return placed;
    }();
    return figures;
}

Sheet resultsSheet(const InstitutionModel& model, const AllResults& results)
{
    return build(model, results, nullptr, true);
}

Sheet resultsSheet(const InstitutionModel& model) { return resultsSheet(model, calc::allResults(model)); }

} // namespace kvarton::report
