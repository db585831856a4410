#include "result_charts.h"

#include "panel_options.h"
#include "panels.h"

#include "model/conversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace kvarton::calc {

namespace {

// Solid kinds differ in lightness (dark blue, orange, yellow); the others are hatched, each in a
// hatch of its own.
constexpr EnumArray<Swatch, SwatchLook> kLooks{{{
    {0x0072B2, Hatch::None}, // Normative: blue
    {0xE69F00, Hatch::Diagonal}, // Need: orange
    {0x0072B2, Hatch::None}, // PedagogicalPay: blue
    {0xE69F00, Hatch::None}, // AdminPay: orange
    {0x009E73, Hatch::Diagonal}, // ServicePay: bluish green
    {0x56B4E9, Hatch::Horizontal}, // AssistantPay: sky blue
    {0xD55E00, Hatch::Cross}, // Accruals: vermillion
    {0xF0E442, Hatch::None}, // Material: yellow
    {0x555555, Hatch::Dots}, // Subsidy: dark grey
}}};

// The number a value label shows; nullopt when the view writes none or a text that is no number.
std::optional<double> shownNumber(const StepView& view, const ValueLabel& label)
{
    const std::string* text = textOf(view, label.name);
    return text ? parseNumber(*text) : std::nullopt;
}

std::string whole(double value) { return format(value, Pattern::Whole); }

// The value label of the step-15 table that shows a line's value in a column, and of the step-16
// table that shows a line's total.
FigureRef labelOf(NormativeLine l, NormativeColumn c) { return FigureRef::ofLabel(value(line(l), c).name); }
FigureRef labelOf(EstimateLine l) { return FigureRef::ofLabel(value(line(l), EstimateColumn::Total).name); }

// A remainder as what is left or what is missing.
std::string remainderWords(double remainder)
{
    if (remainder > 0)
        return "остаток " + whole(remainder);
    if (remainder < 0)
        return "не хватает " + whole(-remainder);
    return "без остатка";
}

constexpr const char* kUncomputable = "Диаграмма не построена: не все значения удалось рассчитать.";
constexpr const char* kNegative = "Диаграмма не построена: среди значений есть отрицательные.";

void appendSentence(std::string& text, const std::string& sentence)
{
    if (!text.empty())
        text += ' ';
    text += sentence;
}

// The description: the chart's name, its figures, then the sentences it shows.
std::string describe(const BarChart& chart, const std::vector<std::string>& figures, std::size_t firstSentence = 0)
{
    std::string text = chart.name + '.';
    for (const std::string& f : figures)
        appendSentence(text, f);
    for (std::size_t i = firstSentence; i < chart.sentences.size(); ++i)
        appendSentence(text, chart.sentences[i]);
    return text;
}

// Step 15: the three values of a line of the table.
struct NormativeFigures {
    double normative;
    double need;
    double remainder;
};

} // namespace

SwatchLook look(Swatch swatch) noexcept { return kLooks[swatch]; }

double total(const ChartBar& bar) noexcept
{
    double sum = 0;
    for (const ChartSegment& s : bar)
        sum += s.value;
    return sum;
}

double BarChart::scale() const noexcept
{
    double largest = 0;
    for (const ChartLine& l : lines)
        for (const ChartBar& b : l.bars)
            largest = std::max(largest, total(b));
    return largest;
}

BarChart normativeChart(const StepView& table, NormativeGroup group)
{
    BarChart chart;
    chart.name = "Норматив и потребности: " + groupName(group);

    constexpr std::size_t kLines = static_cast<std::size_t>(NormativeLine::MaterialCare) + 1;
    std::array<NormativeFigures, kLines> figures{};
    bool readable = !table.showError;
    bool negative = false;
    bool allZero = true;
    for (std::size_t i = 0; i < kLines && readable; ++i) {
        const PanelLine& l = line(static_cast<NormativeLine>(i));
        const auto normative = shownNumber(table, value(l, NormativeColumn::Normative));
        const auto need = shownNumber(table, value(l, NormativeColumn::Need));
        const auto remainder = shownNumber(table, value(l, NormativeColumn::Remainder));
        readable = normative && need && remainder;
        if (readable) {
            figures[i] = {*normative, *need, *remainder};
            negative = negative || *normative < 0 || *need < 0;
            allZero = allZero && *normative == 0 && *need == 0;
        }
    }
    if (!readable) {
        chart.sentences = {kUncomputable};
        chart.description = describe(chart, {});
        return chart;
    }

    const auto statement = [&](NormativeLine l) {
        const NormativeFigures& f = figures[static_cast<std::size_t>(l)];
        return std::string(line(l).caption.text) + ": норматив " + whole(f.normative) + ", потребности " + whole(f.need)
            + ", " + remainderWords(f.remainder) + '.';
    };
    std::vector<std::string> stated;
    for (std::size_t i = 0; i < kLines; ++i)
        stated.push_back(statement(static_cast<NormativeLine>(i)));

    if (allZero) {
        chart.sentences = {"Норматив и потребности этой группы равны нулю: сравнивать нечего."};
        chart.description = describe(chart, {});
        return chart;
    }
    if (negative) {
        chart.sentences = {kNegative};
        chart.description = describe(chart, stated);
        return chart;
    }

    const Panel& p = panel(ResultsPanel::NormativeTable);
    chart.legend
        = {{Swatch::Normative, std::string(p.columnHeads[0].text)}, {Swatch::Need, std::string(p.columnHeads[1].text)}};
    chart.sentences.push_back(statement(NormativeLine::Total));
    // Each service with its parts; a service without normative and needs is only named.
    struct Section {
        NormativeLine head;
        NormativeLine firstPart;
        NormativeLine lastPart;
    };
    const Section sections[]
        = {{NormativeLine::Education, NormativeLine::Pedagogical, NormativeLine::MaterialEducation},
            {NormativeLine::Care, NormativeLine::Assistant, NormativeLine::MaterialCare}};
    for (const Section& s : sections) {
        bool empty = true;
        for (auto i = static_cast<std::size_t>(s.head); i <= static_cast<std::size_t>(s.lastPart); ++i)
            empty = empty && figures[i].normative == 0 && figures[i].need == 0;
        if (empty) {
            chart.sentences.push_back(std::string(line(s.head).caption.text) + ": норматив и потребности равны нулю.");
            continue;
        }
        const auto add = [&](NormativeLine l, bool heading) {
            const NormativeFigures& f = figures[static_cast<std::size_t>(l)];
            const std::string caption(line(l).caption.text);
            const std::size_t at = chart.lines.size();
            chart.lines.push_back({caption, {{{Swatch::Normative, f.normative}}, {{Swatch::Need, f.need}}},
                remainderWords(f.remainder), heading});
            chart.figures.push_back({ChartFigure::Place::Segment, at, 0, 0, labelOf(l, NormativeColumn::Normative),
                caption + ": норматив " + whole(f.normative)});
            chart.figures.push_back({ChartFigure::Place::Segment, at, 1, 0, labelOf(l, NormativeColumn::Need),
                caption + ": потребности " + whole(f.need)});
            chart.figures.push_back({ChartFigure::Place::Remark, at, 0, 0, labelOf(l, NormativeColumn::Remainder),
                caption + ": " + remainderWords(f.remainder)});
        };
        add(s.head, true);
        for (auto i = static_cast<std::size_t>(s.firstPart); i <= static_cast<std::size_t>(s.lastPart); ++i)
            add(static_cast<NormativeLine>(i), false);
    }
    // The total is stated among the figures already; its remainder is the sentence's figure.
    chart.description = describe(chart, stated, 1);
    chart.figures.push_back({ChartFigure::Place::Sentence, 0, 0, 0,
        labelOf(NormativeLine::Total, NormativeColumn::Remainder), chart.sentences.front()});
    return chart;
}

bool ExpenseStructure::complete() const noexcept
{
    return expenses && subsidy
        && std::all_of(kinds.begin(), kinds.end(), [](const ExpenseKind& k) { return k.amount.has_value(); });
}

ExpenseStructure expenseStructure(const StepView& estimate)
{
    const auto figure = [&](EstimateLine l) {
        return estimate.showError ? std::nullopt : shownNumber(estimate, value(line(l), EstimateColumn::Total));
    };
    const auto caption = [](EstimateLine l) { return std::string(line(l).caption.text); };
    const auto payroll = figure(EstimateLine::Payroll);
    const auto material = figure(EstimateLine::Material);
    const auto expenses = figure(EstimateLine::Expenses);
    std::optional<double> accruals;
    if (payroll && material && expenses)
        accruals = *expenses - *payroll - *material;
    return {
        {
            {Swatch::PedagogicalPay, caption(EstimateLine::Pedagogical), figure(EstimateLine::Pedagogical),
                labelOf(EstimateLine::Pedagogical)},
            {Swatch::AdminPay, caption(EstimateLine::Admin), figure(EstimateLine::Admin), labelOf(EstimateLine::Admin)},
            {Swatch::ServicePay, caption(EstimateLine::Service), figure(EstimateLine::Service),
                labelOf(EstimateLine::Service)},
            {Swatch::AssistantPay, caption(EstimateLine::Assistant), figure(EstimateLine::Assistant),
                labelOf(EstimateLine::Assistant)},
            {Swatch::Accruals, "Начисления на оплату труда", accruals,
                FigureRef::ofQuantity(quantity(Quantity::AccrualsOnPay))},
            {Swatch::Material, caption(EstimateLine::Material), material, labelOf(EstimateLine::Material)},
        },
        caption(EstimateLine::Expenses), expenses, caption(EstimateLine::Subsidy), figure(EstimateLine::Subsidy)};
}

BarChart estimateChart(const StepView& estimate)
{
    BarChart chart;
    chart.name = "Структура расходов учреждения и выделенная субсидия";
    const ExpenseStructure e = expenseStructure(estimate);
    if (!e.complete()) {
        chart.sentences = {kUncomputable};
        chart.description = describe(chart, {});
        return chart;
    }
    const double expenses = *e.expenses;
    const double subsidy = *e.subsidy;
    if (expenses == 0 && subsidy == 0) {
        chart.sentences = {"Расходы и субсидия равны нулю: сравнивать нечего."};
        chart.description = describe(chart, {});
        return chart;
    }

    std::vector<std::string> stated{e.expensesCaption + ": " + whole(expenses) + " рублей, из них:"};
    ChartBar expenseBar;
    bool negative = subsidy < 0;
    for (const ExpenseKind& k : e.kinds) {
        chart.legend.push_back({k.swatch, k.caption + " — " + whole(*k.amount)});
        expenseBar.push_back({k.swatch, *k.amount});
        stated.push_back(k.caption + " — " + whole(*k.amount) + ';');
        negative = negative || *k.amount < 0;
    }
    stated.back().back() = '.';
    chart.legend.push_back({Swatch::Subsidy, e.subsidyCaption + " — " + whole(subsidy)});
    stated.push_back(e.subsidyCaption + ": " + whole(subsidy) + " рублей.");

    const double difference = subsidy - expenses;
    if (negative) {
        chart.legend.clear();
        chart.sentences = {kNegative};
    } else {
        chart.lines.push_back({std::string(kExpensesBar), {expenseBar}, whole(expenses), false});
        chart.lines.push_back({std::string(kSubsidyBar), {{{Swatch::Subsidy, subsidy}}}, whole(subsidy), false});
        if (difference < 0)
            chart.sentences.push_back("Субсидии не хватает на покрытие расходов: " + whole(-difference) + " рублей.");
        else if (difference > 0)
            chart.sentences.push_back("Субсидия превышает расходы: остаток " + whole(difference) + " рублей.");
        else
            chart.sentences.push_back("Субсидия равна расходам.");

        using Place = ChartFigure::Place;
        const FigureRef expensesFigure = labelOf(EstimateLine::Expenses);
        const FigureRef subsidyFigure = labelOf(EstimateLine::Subsidy);
        const std::string expensesWords = e.expensesCaption + " — " + whole(expenses);
        const std::string subsidyWords = e.subsidyCaption + " — " + whole(subsidy);
        for (std::size_t i = 0; i < e.kinds.size(); ++i)
            chart.figures.push_back({Place::Segment, 0, 0, i, e.kinds[i].figure, chart.legend[i].text});
        chart.figures.push_back({Place::Remark, 0, 0, 0, expensesFigure, expensesWords});
        chart.figures.push_back({Place::Segment, 1, 0, 0, subsidyFigure, subsidyWords});
        chart.figures.push_back({Place::Remark, 1, 0, 0, subsidyFigure, subsidyWords});
        for (std::size_t i = 0; i < e.kinds.size(); ++i)
            chart.figures.push_back({Place::Legend, i, 0, 0, e.kinds[i].figure, chart.legend[i].text});
        chart.figures.push_back({Place::Legend, e.kinds.size(), 0, 0, subsidyFigure, chart.legend.back().text});
        chart.figures.push_back({Place::Sentence, 0, 0, 0, FigureRef::ofQuantity(quantity(Quantity::SubsidyBalance)),
            chart.sentences.front()});
    }
    chart.description = describe(chart, stated);
    return chart;
}

} // namespace kvarton::calc
