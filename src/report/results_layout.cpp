#include "results_layout.h"

#include "report_layout.h"
#include "row_fit.h"
#include "xlsx_text.h"

#include "calc/panel_options.h"
#include "calc/result_charts.h"
#include "model/conversion.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace kvarton::report {

namespace {

using calc::AllResults;
using calc::Method;
using calc::NormativeGroup;
using calc::ResultsPanel;
using calc::StepView;

// Captions in A; the values of the options in B–H (step 15 names the kind of each value in B).
constexpr int A = 0, B = 1, C = 2, D = 3, F = 5, H = 7;
constexpr double kCaptionWidth = 40;
constexpr double kValueWidth = 13;
// Pixels of a column of that width in the default font, as a spreadsheet lays it out.
constexpr int pixels(double width) { return static_cast<int>(width * 7 + 5); }
constexpr int kRowPixels = 20; // a row of the default height

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
    const std::pair<StyleIndex, const char*> numbers[]
        = {{Whole, "0"}, {OneDecimal, "0.0"}, {TwoDecimals, "0.00"}, {WholeBold, "0"}};
    for (const auto& [index, format] : numbers) {
        s[index].numberFormat = format;
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

// Fills the sheet row after row, each row from left to right.
class Layout final {
public:
    explicit Layout(Sheet& sheet)
        : sheet_(sheet)
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

private:
    Sheet& sheet_;
    int row_ = 1;
};

// What `view` shows in `label`: the number, or the text shown instead of it; nothing where the
// step showed its error panel.
void figure(Layout& l, int column, const StepView& view, const calc::ValueLabel& label, bool bold = false)
{
    const std::string* shown = view.showError ? nullptr : calc::textOf(view, label.name);
    if (!shown)
        l.cell(column, std::string(), Blank);
    else if (const auto number = parseNumber(*shown))
        l.cell(column, *number, valueStyle(label.pattern, bold));
    else
        l.cell(column, *shown, valueStyle(label.pattern, bold));
}

void title(Layout& l, ResultsPanel panel)
{
    l.cell(A, text(calc::stepTitle(panel)), Title);
    l.next();
}

void note(Layout& l, const std::string& words)
{
    l.cell(A, words, Note);
    l.merge(A, H);
    l.next();
}

constexpr const char* kNotComputed
    = "Результаты не рассчитаны: на экране вместо них показана панель ошибок. Проверьте правильность ввода "
      "параметров на шагах 1–12.";

// Names the options whose results the step could not show.
void notComputed(Layout& l, const std::vector<std::string>& options)
{
    if (options.empty())
        return;
    std::string words = "Не рассчитано (на экране вместо результатов показана панель ошибок): ";
    for (std::size_t i = 0; i < options.size(); ++i)
        words.append(i ? "; " : "").append(options[i]);
    note(l, words + '.');
}

// An option of a step and the columns its values stand in.
struct OptionColumns {
    int first;
    int last;
    const StepView* view;
    std::string name; // for the note when its step showed the error panel
};

bool allFailed(std::span<const OptionColumns> options)
{
    return std::all_of(options.begin(), options.end(), [](const OptionColumns& o) { return o.view->showError; });
}

std::vector<std::string> failedNames(std::span<const OptionColumns> options)
{
    std::vector<std::string> names;
    for (const OptionColumns& o : options)
        if (o.view->showError)
            names.push_back(o.name);
    return names;
}

// The lines of a panel with one column per option: a line of several values takes a row per value
// under one caption, naming each value by its column head in B where the panel has heads. A
// section heading of the panel stands on a row of its own.
void addLines(Layout& l, const calc::Panel& panel, std::span<const OptionColumns> options, int unitColumn)
{
    const bool headed = !panel.columnHeads[0].text.empty();
    const int lastColumn = std::max(options.back().last, unitColumn);
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
        const bool bold = headed && !line.indented;
        bool first = true;
        for (const std::size_t c : columns) {
            if (first)
                l.cell(A, text(line.caption.text), line.indented ? CaptionPart : bold ? CaptionBold : Caption);
            if (first)
                l.merge(A, A, static_cast<int>(columns.size()));
            if (headed)
                l.cell(B, text(panel.columnHeads[c].text), Caption);
            for (const OptionColumns& o : options) {
                figure(l, o.first, *o.view, line.values[c]);
                l.merge(o.first, o.last);
            }
            if (unitColumn >= 0)
                l.cell(unitColumn, text(line.values[c].unit.text), Unit);
            l.next();
            first = false;
        }
    }
}

// A head cell over the columns from `first` to `last`.
void head(Layout& l, int first, int last, std::string words)
{
    l.cell(first, std::move(words), Head);
    l.merge(first, last);
}

void addPupilHours(Layout& l, const AllResults& r)
{
    title(l, ResultsPanel::PupilHourCost);
    std::vector<OptionColumns> options;
    for (Method m : allOf<Method>()) {
        const int first = B + 2 * static_cast<int>(ix(m));
        options.push_back(
            {first, first + 1, &r.pupilHours[m], text(calc::methodOption(ResultsPanel::PupilHourCost, m).text)});
    }
    if (allFailed(options)) {
        note(l, kNotComputed);
        return;
    }
    head(l, A, A, {});
    for (const OptionColumns& o : options)
        head(l, o.first, o.last, o.name);
    head(l, F, F, {});
    l.next();
    addLines(l, calc::panel(ResultsPanel::PupilHourCost), options, F);
    notComputed(l, failedNames(options));
}

void addIncentives(Layout& l, const AllResults& r)
{
    title(l, ResultsPanel::Incentives);
    // The day view first, as the screen offers it.
    constexpr StayRegime views[] = {StayRegime::Day, StayRegime::ShortTerm};
    std::vector<OptionColumns> options;
    for (Method m : allOf<Method>())
        for (int v = 0; v < 2; ++v) {
            const int column = B + 2 * static_cast<int>(ix(m)) + v;
            options.push_back({column, column, &r.incentives[m][views[v]],
                text(calc::methodOption(ResultsPanel::Incentives, m).text) + ", "
                    + text(calc::viewOption(views[v]).text)});
        }
    if (allFailed(options)) {
        note(l, kNotComputed);
        return;
    }
    head(l, A, A, {});
    for (Method m : allOf<Method>()) {
        const int first = B + 2 * static_cast<int>(ix(m));
        head(l, first, first + 1, text(calc::methodOption(ResultsPanel::Incentives, m).text));
    }
    head(l, F, F, {});
    l.next();
    head(l, A, A, {});
    for (Method m : allOf<Method>())
        for (int v = 0; v < 2; ++v)
            head(l, B + 2 * static_cast<int>(ix(m)) + v, B + 2 * static_cast<int>(ix(m)) + v,
                text(calc::viewOption(views[v]).text));
    head(l, F, F, {});
    l.next();
    addLines(l, calc::panel(ResultsPanel::Incentives), options, F);
    notComputed(l, failedNames(options));
}

int groupColumn(NormativeGroup g) { return C + static_cast<int>(ix(g)); }

std::string regimeName(StayRegime s)
{
    std::string name = text(calc::regimeHead(s).text);
    if (!name.empty() && name.back() == ':')
        name.pop_back();
    return name;
}

// Normative and needs of one service in the groups of one regime, from the rows of the table.
Chart serviceChart(const AllResults& r, int headRow, int normativeRow, calc::NormativeLine service, StayRegime s)
{
    const auto groups = allOf<NormativeGroup>();
    const int first
        = groupColumn(s == StayRegime::ShortTerm ? NormativeGroup::JuniorShortTerm : NormativeGroup::JuniorDay);
    const CellRange categories{headRow, first, headRow, first + 2};
    const std::string caption = text(calc::line(service).caption.text);
    Chart chart;
    chart.kind = ChartKind::Columns;
    chart.title = caption + ". " + regimeName(s);
    chart.categoryAxis = "Возрастная группа";
    chart.valueAxis = "рублей на ребенка в год";
    chart.valueFormat = "0";
    chart.valuesOnBars = true;
    const calc::Panel& panel = calc::panel(ResultsPanel::NormativeTable);
    const calc::Swatch swatches[] = {calc::Swatch::Normative, calc::Swatch::Need};
    chart.description = "Диаграмма: " + chart.title + ", рублей на ребенка в год.";
    for (int kind = 0; kind < 2; ++kind) {
        const calc::SwatchLook look = calc::look(swatches[kind]);
        const int row = normativeRow + kind;
        chart.series.push_back({text(panel.columnHeads[static_cast<std::size_t>(kind)].text), categories,
            {row, first, row, first + 2}, {look.rgb, static_cast<FillPattern>(static_cast<int>(look.hatch))}});
    }
    for (NormativeGroup g : groups) {
        if (calc::regimeOf(g) != s)
            continue;
        const StepView& view = r.normativeTables[g];
        const calc::PanelLine& line = calc::line(service);
        const std::string* normative = calc::textOf(view, calc::value(line, calc::NormativeColumn::Normative).name);
        const std::string* need = calc::textOf(view, calc::value(line, calc::NormativeColumn::Need).name);
        if (normative && need)
            chart.description
                += ' ' + text(calc::groupOption(g).text) + ": норматив " + *normative + ", потребности " + *need + '.';
    }
    return chart;
}

void addNormativeTables(Layout& l, const AllResults& r)
{
    title(l, ResultsPanel::NormativeTable);
    std::vector<OptionColumns> options;
    for (NormativeGroup g : allOf<NormativeGroup>())
        options.push_back({groupColumn(g), groupColumn(g), &r.normativeTables[g],
            regimeName(calc::regimeOf(g)) + ", " + text(calc::groupOption(g).text)});
    if (allFailed(options)) {
        note(l, kNotComputed);
        return;
    }
    for (int c = A; c <= B; ++c)
        head(l, c, c, {});
    for (StayRegime s : {StayRegime::ShortTerm, StayRegime::Day}) {
        const int first
            = groupColumn(s == StayRegime::ShortTerm ? NormativeGroup::JuniorShortTerm : NormativeGroup::JuniorDay);
        head(l, first, first + 2, text(calc::regimeHead(s).text));
    }
    l.next();
    const int ageRow = l.row();
    for (int c = A; c <= B; ++c)
        head(l, c, c, {});
    for (NormativeGroup g : allOf<NormativeGroup>())
        head(l, groupColumn(g), groupColumn(g), text(calc::groupOption(g).text));
    l.next();
    const int firstLine = l.row();
    addLines(l, calc::panel(ResultsPanel::NormativeTable), options, -1);
    notComputed(l, failedNames(options));

    // Two charts side by side per service, short-term groups on the left: each needs its three
    // groups computed.
    constexpr int width = pixels(kCaptionWidth) + 2 * pixels(kValueWidth) - 8;
    constexpr int height = 13 * kRowPixels;
    const auto lineRow = [&](calc::NormativeLine service) {
        return firstLine + 3 * static_cast<int>(service); // three rows a line
    };
    l.next();
    l.pageBreak();
    for (calc::NormativeLine service : {calc::NormativeLine::Education, calc::NormativeLine::Care}) {
        for (StayRegime s : {StayRegime::ShortTerm, StayRegime::Day}) {
            const int column = s == StayRegime::ShortTerm ? A : D;
            bool computed = true;
            bool zero = true;
            for (NormativeGroup g : allOf<NormativeGroup>()) {
                if (calc::regimeOf(g) != s)
                    continue;
                const StepView& view = r.normativeTables[g];
                computed = computed && !view.showError;
                for (calc::NormativeColumn c : {calc::NormativeColumn::Normative, calc::NormativeColumn::Need}) {
                    const std::string* shown = calc::textOf(view, calc::value(calc::line(service), c).name);
                    zero = zero && shown && parseNumber(*shown) == 0.0;
                }
            }
            if (!computed)
                continue;
            Chart chart = serviceChart(r, ageRow, lineRow(service), service, s);
            if (zero) { // an empty chart would only show a meaningless axis
                l.cell(column, chart.title + ": норматив и потребности равны нулю.", Note);
                l.merge(column, column == A ? C : H);
                continue;
            }
            chart.row = l.row();
            chart.column = column;
            chart.width = width;
            chart.height = height;
            l.chart(std::move(chart));
        }
        l.next(height / kRowPixels + 1);
    }
}

void addEstimate(Layout& l, const AllResults& r)
{
    title(l, ResultsPanel::Estimate);
    const StepView& view = r.estimate;
    if (view.showError) {
        note(l, kNotComputed);
        return;
    }
    const calc::Panel& panel = calc::panel(ResultsPanel::Estimate);
    head(l, A, A, text(panel.captionsHead.text));
    head(l, B, B, text(panel.columnHeads[0].text));
    head(l, C, C, text(panel.columnHeads[1].text));
    l.next();
    for (const calc::PanelLine& line : panel.lines) {
        l.cell(A, text(line.caption.text), line.total ? CaptionBold : line.indented ? CaptionPart : Caption);
        figure(l, B, view, calc::value(line, calc::EstimateColumn::Total), line.total);
        figure(l, C, view, calc::value(line, calc::EstimateColumn::Special), line.total);
        l.next();
    }

    // The expenses by kind beside the subsidy, as the screen's chart shows them, and that chart.
    const auto structure = calc::expenseStructure(view);
    if (!structure)
        return;
    l.next();
    l.pageBreak();
    const int headRow = l.row();
    head(l, A, A, "Состав расходов и субсидия, рублей");
    head(l, B, B, text(calc::kExpensesBar));
    head(l, C, C, text(calc::kSubsidyBar));
    l.next();
    Chart chart;
    chart.kind = ChartKind::StackedColumns;
    chart.title = "Структура расходов учреждения и выделенная субсидия";
    chart.valueAxis = "рублей в год";
    chart.valueFormat = "0";
    chart.description = "Диаграмма: " + chart.title + ".";
    const auto series = [&](calc::Swatch swatch, const std::string& caption) {
        const calc::SwatchLook look = calc::look(swatch);
        chart.series.push_back({caption, {headRow, B, headRow, C}, {l.row(), B, l.row(), C},
            {look.rgb, static_cast<FillPattern>(static_cast<int>(look.hatch))}});
    };
    for (const calc::ExpenseKind& k : structure->kinds) {
        series(k.swatch, k.caption);
        l.cell(A, k.caption, Caption);
        l.cell(B, k.amount, Whole);
        l.cell(C, std::string(), Blank);
        l.next();
        chart.description += ' ' + k.caption + ": " + format(k.amount, Pattern::Whole) + '.';
    }
    series(calc::Swatch::Subsidy, structure->subsidyCaption);
    l.cell(A, structure->subsidyCaption, Caption);
    l.cell(B, std::string(), Blank);
    l.cell(C, structure->subsidy, Whole);
    l.next();
    chart.description += ' ' + structure->subsidyCaption + ": " + format(structure->subsidy, Pattern::Whole) + '.';
    l.cell(A, std::string("Всего"), CaptionBold);
    l.cell(B, structure->expenses, WholeBold);
    l.cell(C, structure->subsidy, WholeBold);
    l.next();
    l.cell(A, std::string("Остаток (субсидия минус расходы)"), CaptionBold);
    l.cell(B, std::string(), Blank);
    l.cell(C, structure->subsidy - structure->expenses, WholeBold);
    l.next(2);
    chart.row = l.row();
    chart.column = A;
    chart.width = pixels(kCaptionWidth) + 5 * pixels(kValueWidth);
    chart.height = 16 * kRowPixels;
    l.chart(std::move(chart));
    l.next(16);
}

// The region and the institution, as the page header names them: one or two lines above the
// table, however long the institution's name (the sheet holds it whole).
std::string pageHeader(const InstitutionModel& model)
{
    return fittingHeaderText(model.regionName + ", " + model.institutionName, 160);
}

} // namespace

Sheet resultsSheet(const InstitutionModel& model, const AllResults& results)
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

    Layout l(sheet);
    for (const IdentityRow& identity : identityRows()) {
        l.cell(A, text(identity.label), Caption);
        l.cell(B, model.*(identity.field), Caption);
        l.merge(B, H);
        l.next();
    }
    l.next();
    addPupilHours(l, results);
    l.next();
    l.pageBreak();
    addIncentives(l, results);
    l.next();
    l.pageBreak();
    addNormativeTables(l, results);
    l.pageBreak();
    addEstimate(l, results);
    sheet.rowHeights = fittedRowHeights(sheet);
    return sheet;
}

Sheet resultsSheet(const InstitutionModel& model) { return resultsSheet(model, calc::allResults(model)); }

} // namespace kvarton::report
