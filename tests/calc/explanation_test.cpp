#include "support.h"

#include "calc/explanation.h"
#include "calc/quantities.h"
#include "calc/result_charts.h"

#include "common/random_work.h"

#include "model/field_captions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string_view>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

// --- A line of arithmetic recomputed -----------------------------------------------------------

// The values a number written with its decimals stands for: half a unit of its last digit either
// way (and a hair more, for the doubles the check computes in).
struct Interval {
    double low = 0;
    double high = 0;
};

Interval widened(double low, double high)
{
    const double slack = 1e-12 * std::max(std::abs(low), std::abs(high));
    return {low - slack, high + slack};
}

// "число знак число … = число" with + − × : and brackets, the numbers as the screens write them.
class Arithmetic final {
public:
    explicit Arithmetic(std::string_view text)
        : text_(text)
    {
    }

    // Whether the number after "=" lies within what the left side gives; nullopt for a line that
    // is no such arithmetic.
    std::optional<bool> holds()
    {
        const auto left = sum();
        skipBlanks();
        if (!left || !take("="))
            return std::nullopt;
        const auto right = number();
        skipBlanks();
        if (!right || at_ != text_.size())
            return std::nullopt;
        return left->low <= right->high && right->low <= left->high;
    }

private:
    void skipBlanks()
    {
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
    }
    bool take(std::string_view sign)
    {
        skipBlanks();
        if (text_.substr(at_).starts_with(sign)) {
            at_ += sign.size();
            return true;
        }
        return false;
    }
    std::optional<Interval> number()
    {
        skipBlanks();
        const std::size_t start = at_;
        if (at_ < text_.size() && text_[at_] == '-')
            ++at_;
        std::size_t digits = 0;
        std::size_t decimals = 0;
        bool comma = false;
        for (; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c >= '0' && c <= '9') {
                ++digits;
                decimals += comma ? 1 : 0;
            } else if (c == ',' && !comma) {
                comma = true;
            } else {
                break;
            }
        }
        if (digits == 0)
            return std::nullopt;
        std::string written(text_.substr(start, at_ - start));
        std::replace(written.begin(), written.end(), ',', '.');
        const double value = std::stod(written);
        const double half = 0.5 * std::pow(10.0, -static_cast<double>(decimals));
        return widened(value - half, value + half);
    }
    std::optional<Interval> factor()
    {
        if (take("(")) {
            const auto inner = sum();
            return inner && take(")") ? inner : std::nullopt;
        }
        return number();
    }
    std::optional<Interval> product()
    {
        auto value = factor();
        while (value) {
            const bool times = take("×");
            if (!times && !take(":"))
                break;
            const auto other = factor();
            if (!other)
                return std::nullopt;
            const auto [a, b] = std::pair{*value, *other};
            if (!times && b.low <= 0 && b.high >= 0) {
                value = Interval{-std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
                continue;
            }
            const double p[4] = {times ? a.low * b.low : a.low / b.low, times ? a.low * b.high : a.low / b.high,
                times ? a.high * b.low : a.high / b.low, times ? a.high * b.high : a.high / b.high};
            value = widened(*std::min_element(p, p + 4), *std::max_element(p, p + 4));
        }
        return value;
    }
    std::optional<Interval> sum()
    {
        auto value = product();
        while (value) {
            const bool plus = take("+");
            if (!plus && !take("−"))
                break;
            const auto other = product();
            if (!other)
                return std::nullopt;
            value = plus ? widened(value->low + other->low, value->high + other->high)
                         : widened(value->low - other->high, value->high - other->low);
        }
        return value;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// --- Every figure of every panel ---------------------------------------------------------------

std::vector<StepOptions> everyOption()
{
    std::vector<StepOptions> all;
    for (Method m : allOf<Method>())
        all.push_back({.step = 13, .method = m});
    for (Method m : allOf<Method>())
        for (StayRegime v : allOf<StayRegime>())
            all.push_back({.step = 14, .method = m, .view = v});
    for (NormativeGroup g : allOf<NormativeGroup>())
        all.push_back({.step = 15, .group = g});
    all.push_back({.step = 16});
    return all;
}

struct Counts {
    int works = 0;
    int figures = 0;
    int quantities = 0;
    int arithmetic = 0;
    int inputs = 0;
    int chartFigures = 0;
};

bool isInputField(FieldRef r)
{
    const auto all = inputFields();
    return std::find(all.begin(), all.end(), r) != all.end();
}

// The number an operand line or an arithmetic line ends in, with its rounding.
std::optional<double> lastNumber(std::string_view text, double& half)
{
    const std::size_t end = text.find_last_of("0123456789");
    if (end == std::string_view::npos)
        return std::nullopt;
    std::size_t start = end;
    while (start > 0 && (std::isdigit(static_cast<unsigned char>(text[start - 1])) || text[start - 1] == ','))
        --start;
    if (start > 0 && text[start - 1] == '-')
        --start;
    std::string written(text.substr(start, end + 1 - start));
    const std::size_t comma = written.find(',');
    half = 0.5 * std::pow(10.0, comma == std::string::npos ? 0.0 : -static_cast<double>(written.size() - comma - 1));
    std::replace(written.begin(), written.end(), ',', '.');
    return std::stod(written);
}

// What every explanation keeps: each line of arithmetic holds, and each input it names is an input
// of a step, named as its step names it, with the value the step shows.
void expectSound(const InstitutionModel& m, const Explanation& x, const std::string& where, Counts& counts)
{
    ASSERT_FALSE(x.lines.empty()) << where;
    EXPECT_EQ(x.lines.front().kind, LineKind::Title) << where;
    for (const ExplanationLine& line : x.lines) {
        if (line.kind == LineKind::Arithmetic) {
            ++counts.arithmetic;
            EXPECT_EQ(Arithmetic(line.text).holds(), true) << where << "\n" << line.text;
        }
        const auto* input
            = line.kind == LineKind::Operand && line.target ? std::get_if<FieldRef>(&*line.target) : nullptr;
        if (!input)
            continue;
        ++counts.inputs;
        EXPECT_TRUE(isInputField(*input)) << where << "\n" << line.text;
        const std::string shown = field(m, *input).displayText();
        EXPECT_EQ(line.text, fieldName(*input) + " — " + (shown.empty() ? "0" : shown)) << where;
    }
}

// Each quantity an explanation names, unfolded, is worth what its operand line says: the formula
// run for the explanation gives the value the calculation stored.
void expectUnfoldsSound(const InstitutionModel& m, const Explainer& e, const Explanation& x, const std::string& where,
    std::vector<QuantityRef>& seen, Counts& counts)
{
    for (const ExplanationLine& line : x.lines) {
        const auto* q
            = line.kind == LineKind::Operand && line.target ? std::get_if<QuantityRef>(&*line.target) : nullptr;
        if (!q || std::find(seen.begin(), seen.end(), *q) != seen.end())
            continue;
        seen.push_back(*q);
        ++counts.quantities;
        const Explanation inner = e.quantity(*q);
        const std::string at = where + " / " + quantityName(*q, e.options());
        expectSound(m, inner, at, counts);
        const auto arithmetic = std::find_if(inner.lines.begin(), inner.lines.end(),
            [](const ExplanationLine& l) { return l.kind == LineKind::Arithmetic || l.kind == LineKind::Why; });
        double said = 0;
        double worth = 0;
        const auto stated = lastNumber(line.text, said);
        if (arithmetic != inner.lines.end() && arithmetic->kind == LineKind::Arithmetic && stated) {
            const bool single = std::any_of(inner.lines.begin(), inner.lines.end(),
                [](const ExplanationLine& l) { return l.text.find("одинарной точностью") != std::string::npos; });
            const auto value = lastNumber(arithmetic->text, worth);
            if (!single) {
                EXPECT_NEAR(*value, *stated, said + worth + 1e-9 * std::abs(*stated)) << at << "\n"
                                                                                      << line.text << "\n"
                                                                                      << arithmetic->text;
            }
        }
        expectUnfoldsSound(m, e, inner, where, seen, counts);
    }
}

// Every figure the chart beside a table states explains itself, and its explanation ends in the
// number the chart states (what is left or missing being the remainder's size).
void expectChartFiguresSound(const InstitutionModel& m, const Explainer& e, std::uint32_t seed, Counts& counts)
{
    const StepOptions& o = e.options();
    if (o.step < 15 || e.view().showError)
        return;
    const BarChart chart = o.step == 15 ? normativeChart(e.view(), o.group) : estimateChart(e.view());
    EXPECT_EQ(chart.lines.empty() && chart.sentences.size() <= 1, chart.figures.empty())
        << "seed " << seed << " step " << o.step;
    for (const ChartFigure& f : chart.figures) {
        const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(o.step) + " " + f.words;
        const Explanation x = e.asked(f.figure);
        ++counts.chartFigures;
        expectSound(m, x, where, counts);
        double half = 0;
        const auto stated = lastNumber(f.words, half);
        const auto titled = lastNumber(x.lines.front().text, half);
        ASSERT_TRUE(titled.has_value()) << where << "\n" << x.lines.front().text;
        EXPECT_EQ(stated ? *stated : 0.0, std::abs(*titled)) << where << "\n" << x.lines.front().text;
    }
}

} // namespace

TEST(Explanations, ArithmeticLinesAreRecomputed)
{
    for (const auto& [line, holds] : std::initializer_list<std::pair<std::string_view, bool>>{
             {"(1204849,6 + 1252772,992) : (199333,3333 + 43333,33333) = 10,1", true},
             {"(1204849,6 + 1252772,992) : (199333,3333 + 43333,33333) = 10,2", false},
             {"10137051 × 1,342 + 476052 = 14079974", true},
             {"3678 − 2063 = 1615", true},
             {"3678 − (-2063) = 1615", false},
             {"(1 : 12 + 0,2 : 12) : 24 = 0,004166666667", true},
             {"36 × 887339,7096 : 100 = 319442,2955", true},
         })
        EXPECT_EQ(Arithmetic(line).holds(), holds) << line;
    EXPECT_EQ(Arithmetic("10 + = 3").holds(), std::nullopt);
}

// On thousands of random works, every figure of every panel, option and group explains itself:
// its first line is what the screen shows, every line of arithmetic holds within the rounding of
// its numbers, every input it names is a real input with the value its step shows; and, on every
// tenth work, every quantity reachable from the figures unfolds into an explanation that keeps the
// same and is worth what its operand line says.
TEST(Explanations, EveryFigureOfEveryPanelExplainsItself)
{
    constexpr std::uint32_t kFirstSeed = 1;
    constexpr std::uint32_t kWorks = 2000;
    constexpr std::uint32_t kUnfoldEvery = 10;
    Counts counts;
    for (std::uint32_t seed = kFirstSeed; seed < kFirstSeed + kWorks; ++seed) {
        const InstitutionModel m = kvarton::test::RandomWork(seed).work();
        ++counts.works;
        for (const StepOptions& o : everyOption()) {
            const Explainer e(m, o);
            std::vector<QuantityRef> seen;
            for (const PlacedValue& v : valueLabels(panelOfStep(o.step))) {
                const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(o.step) + " "
                    + std::string(v.value->name);
                const Explanation x = e.figure(v.value->name);
                ++counts.figures;
                expectSound(m, x, where, counts);
                if (e.view().showError) {
                    EXPECT_TRUE(x.lines.front().text.ends_with(" — не рассчитано")) << where;
                    EXPECT_GE(x.lines.size(), 2 + e.view().failures.size()) << where;
                    continue;
                }
                const std::string* shown = textOf(e.view(), v.value->name);
                ASSERT_NE(shown, nullptr) << where;
                EXPECT_NE(x.lines.front().text.find(" — " + *shown), std::string::npos) << where << "\n"
                                                                                        << x.lines.front().text;
                // A figure explains its value: arithmetic that ends in it, why it is what it is, or the
                // operands (all 0) it adds up.
                EXPECT_TRUE(std::any_of(x.lines.begin(), x.lines.end(), [](const ExplanationLine& l) {
                    return l.kind == LineKind::Arithmetic || l.kind == LineKind::Why || l.kind == LineKind::Operand;
                })) << where;
                if (seed % kUnfoldEvery == 0)
                    expectUnfoldsSound(m, e, x, where, seen, counts);
            }
            expectChartFiguresSound(m, e, seed, counts);
        }
        if (::testing::Test::HasFailure())
            break;
    }
    std::printf("explanations: %d works, %d figures, %d figures of charts, %d quantities unfolded, %d lines of "
                "arithmetic, %d inputs named\n",
        counts.works, counts.figures, counts.chartFigures, counts.quantities, counts.arithmetic, counts.inputs);
    EXPECT_EQ(counts.works, static_cast<int>(kWorks));
}

// What the figures of the St Petersburg defaults say, line by line.
TEST(Explanations, KnownFiguresOfTheDefaults)
{
    constexpr StepOptions kMethod1{.step = 13};
    constexpr StepOptions kSeniorDay{.step = 15, .group = NormativeGroup::SeniorDay};
    constexpr StepOptions kShortTermView{.step = 14, .view = StayRegime::ShortTerm};
    constexpr StepOptions kEstimate{.step = 16};
    struct Case {
        StepOptions options;
        std::string_view label;
        LineKind kind;
        std::string_view text;
        std::optional<Quantity> chartFigure{}; // asked of the chart instead of the label
    };
    const Case cases[] = {
        {kMethod1, "Label1001", LineKind::Title,
            "Стоимость ученико - часа в группах с обычным режимом пребывания — 10,1 рублей на воспитанника"},
        {kMethod1, "Label1001", LineKind::Arithmetic, "(1204849,6 + 1252772,992) : (199333,3333 + 43333,33333) = 10,1"},
        {kMethod1, "Label1001", LineKind::Operand,
            "Фонд оплаты по ученико-часам (группы с обычным режимом пребывания, все дети) — 1204849,6 рублей"},
        {kSeniorDay, "Label78", LineKind::Title, "Всего, рублей, Потребности — 130878"},
        {kSeniorDay, "Label78", LineKind::Arithmetic, "52262,65307 + 78615,37048 = 130878"},
        {kSeniorDay, "Label76", LineKind::Arithmetic, "38445,50781 × 1 = 38446"},
        {kSeniorDay, "Label76", LineKind::Operand,
            "Потребность в педагогическом персонале на ребенка (старшая группа (от 5 до 7 лет), группы с обычным "
            "режимом пребывания) — 38445,50781 рублей в год"},
        {kShortTermView, "Label120", LineKind::Why,
            "Коэффициента нет: в коррекционных группах режима нет ученико-часов."},
        {kShortTermView, "Label65", LineKind::Why,
            "У должности нет рабочего времени в группах этого режима, поэтому сумма 0."},
        {kShortTermView, "Label65", LineKind::Arithmetic, "(0 + 0) × 13000 + (4 + 4) × 0 = 0"},
        {kEstimate, "Label165", LineKind::Arithmetic, "10137051 × 1,342 + 476052 = 14079974"},
        {kEstimate, "Label177", LineKind::Why,
            "Значение хранится с одинарной точностью, как в расчетах курса: 319442,2812."},
        {kEstimate, "Label183", LineKind::Operand,
            "Норматив финансирования региона (группы с обычным режимом пребывания, старшая группа (от 5 до 7 лет), "
            "всего) — 120000 (нормативы региона «Санкт-Петербург»: норматив курса для Санкт-Петербурга 120000 "
            "рублей на ребенка в год × коэффициент региона 1 из таблицы регионов, округлено до рубля)"},
        {kEstimate, {}, LineKind::Arithmetic, "14079974 − 10137051 − 476052 = 3466871", Quantity::AccrualsOnPay},
        {kEstimate, {}, LineKind::Title, "Остаток субсидии после покрытия расходов — -3769974 рублей",
            Quantity::SubsidyBalance},
        {kEstimate, {}, LineKind::Arithmetic, "10310000 − 14079974 = -3769974", Quantity::SubsidyBalance},
    };
    InstitutionModel m = defaults();
    m.regionName = "Санкт-Петербург";
    for (const Case& c : cases) {
        const Explanation x
            = Explainer(m, c.options)
                  .asked(c.chartFigure ? FigureRef::ofQuantity(quantity(*c.chartFigure)) : FigureRef::ofLabel(c.label));
        EXPECT_TRUE(std::any_of(x.lines.begin(), x.lines.end(),
            [&](const ExplanationLine& l) { return l.kind == c.kind && l.text == c.text; }))
            << c.label << "\n"
            << explanationText(x);
    }

    // Unfolded, the cost names the inputs behind it, each quantity once.
    const std::string unfolded = Explainer(m, kMethod1).unfoldedText("Label1001");
    for (const std::string_view part : {"\n      — Шаг 7: Воспитатель — 4304792\n",
             "\n      Расчет: 4304792 : 16,7 × (1 + 15 : 100) × (1 − 36 : 100) = 189720,1744\n",
             "— Оплата одной ставки в 2012 году без специальной части (Воспитатель) — 189720,1744 рублей в год (см. "
             "выше)\n"})
        EXPECT_NE(unfolded.find(part), std::string::npos) << part;
}

// A figure that cannot be computed says why, naming what it cannot be computed from; under the
// error panel every figure lists the panel's causes with links to the inputs behind them.
TEST(Explanations, AFigureWithoutAValueSaysWhy)
{
    InstitutionModel m = defaults();
    commitText(m, fields::groupSize(GroupOrientation::GeneralDevelopment, AgeBand::ThreeAndOver), "0");
    const Explainer e(m, {.step = 13});
    EXPECT_EQ(*textOf(e.view(), "Label1001"), "-");
    const Explanation cost = e.figure("Label1001");
    const QuantityRef fund = quantity(Quantity::CellPayFund, StayRegime::Day, GroupOrientation::GeneralDevelopment);
    EXPECT_TRUE(std::any_of(cost.lines.begin(), cost.lines.end(), [&](const ExplanationLine& l) {
        return l.kind == LineKind::Why && l.target == OperandTarget(fund)
            && l.text
            == "Не вычисляется: Фонд оплаты по ученико-часам (группы с обычным режимом пребывания, все дети).";
    })) << explanationText(cost);
    // Step 15 divides by the group size itself: its line names the input.
    const Explanation need = Explainer(m, {.step = 15, .group = NormativeGroup::MiddleDay})
                                 .quantity(quantity(Quantity::PedNeedPerChild, AgeGroup::Middle, StayRegime::Day,
                                     GroupOrientation::GeneralDevelopment));
    EXPECT_TRUE(std::any_of(need.lines.begin(), need.lines.end(), [&](const ExplanationLine& l) {
        return l.kind == LineKind::Why
            && l.text == "Делить не на что: Шаг 11: в группах общеразвивающей направленности, старше 3-х лет — 0.";
    })) << explanationText(cost);
    const std::string unfolded = e.unfoldedText("Label1001");
    EXPECT_NE(unfolded.find("Делить не на что: Средняя наполняемость групп (группы с обычным режимом пребывания, "
                            "все дети) равно 0."),
        std::string::npos)
        << unfolded;
    EXPECT_NE(
        unfolded.find("— Шаг 11: в группах общеразвивающей направленности, старше 3-х лет — 0"), std::string::npos);

    const auto compensating
        = fields::providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours24);
    commitText(m, compensating, "1");
    const Explainer failed(m, {.step = 16});
    const Explanation x = failed.figure("Label165");
    ASSERT_EQ(x.lines.size(), 3U) << explanationText(x);
    EXPECT_EQ(x.lines[0].text, "Всего расходов, с учетом начислений, Всего — не рассчитано");
    EXPECT_EQ(
        x.lines[2].text, "Шаг 10: от 1,5 до 3-х лет (младшая группа), 24 часа — всего 0, а в коррекционных группах 1");
    EXPECT_EQ(x.lines[2].target,
        OperandTarget(
            fields::providedServices(AgeGroup::Junior, GroupOrientation::GeneralDevelopment, StayMode::Hours24)));
}
