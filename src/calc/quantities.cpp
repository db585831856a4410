#include "quantities.h"

#include "explaining.h"
#include "families.h"
#include "norms.h"
#include "panel_options.h"

#include "model/conversion.h"
#include "model/defaults.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kvarton::calc {

namespace {

using Q = Quantity;

// The families in the order of the kinds: each answers for the kinds up to its last.
enum class Family { PupilHours, Incentives, Needs, NormativeTable, Estimate };

Family familyOf(Quantity kind) noexcept
{
    if (kind <= Q::PupilHourCost)
        return Family::PupilHours;
    if (kind <= Q::ShownRoleAmount)
        return Family::Incentives;
    if (kind <= Q::HourSharePerChild)
        return Family::Needs;
    if (kind <= Q::PartRemainder)
        return Family::NormativeTable;
    return Family::Estimate;
}

template <typename S>
auto evaluateIn(S& s, QuantityRef q)
{
    switch (familyOf(q.kind)) {
    case Family::PupilHours:
        return families::evaluatePupilHours(s, q);
    case Family::Incentives:
        return families::evaluateIncentives(s, q);
    case Family::Needs:
        return families::evaluateNeeds(s, q);
    case Family::NormativeTable:
        return families::evaluateNormativeTable(s, q);
    case Family::Estimate:
        break;
    }
    return families::evaluateEstimate(s, q);
}

// The words of the indices.
constexpr EnumArray<StayRegime, std::string_view> kRegimes{
    {{"группы с краткосрочным режимом пребывания", "группы с обычным режимом пребывания"}}};
constexpr EnumArray<GroupOrientation, std::string_view> kCells{{{"все дети", "коррекционные группы"}}};
constexpr EnumArray<GroupKind, std::string_view> kKinds{{{"общеразвивающие группы с обычным режимом (шаги 1 и 2)",
    "общеразвивающие краткосрочные группы (шаги 3 и 4)", "коррекционные группы (шаги 5 и 6)"}}};
constexpr EnumArray<AgeGroup, std::string_view> kAges{
    {{"младшая группа (от 1,5 до 3 лет)", "средняя группа (от 3 до 5 лет)", "старшая группа (от 5 до 7 лет)"}}};
constexpr std::array<std::string_view, static_cast<std::size_t>(NormativeLine::MaterialCare) + 1> kTableLines{
    "всего",
    "обучение, воспитание и развитие",
    "обучение, воспитание и развитие: педагогический персонал",
    "обучение, воспитание и развитие: АУП",
    "обучение, воспитание и развитие: обслуживающий персонал",
    "обучение, воспитание и развитие: материально-технические затраты",
    "уход и присмотр",
    "уход и присмотр: УВП",
    "уход и присмотр: АУП",
    "уход и присмотр: обслуживающий персонал",
    "уход и присмотр: материально-технические затраты",
};
constexpr EnumArray<NormativePart, std::string_view> kNormativeParts{
    {{"всего", "обучение, воспитание и развитие", "уход и присмотр"}}};

std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view p : parts)
        text.append(text.empty() ? "" : ", ").append(p);
    return text;
}

std::string qualifiers(Axes axes, QuantityRef q, const StepOptions& options)
{
    const auto r = q.index<StayRegime>(0);
    const auto o = q.index<GroupOrientation>(1);
    switch (axes) {
    case Axes::None:
        return {};
    case Axes::Cell:
        return joined({kRegimes[r], kCells[o]});
    case Axes::Kind:
        return std::string(kKinds[q.index<GroupKind>(0)]);
    case Axes::Role:
        return std::string(texts(q.index<StaffRole>(0)).screen);
    case Axes::KindRole:
        return joined({texts(q.index<StaffRole>(1)).screen, kKinds[q.index<GroupKind>(0)]});
    case Axes::Regime:
        return std::string(kRegimes[r]);
    case Axes::RegimeRole:
        return joined({texts(q.index<StaffRole>(1)).screen, kRegimes[r]});
    case Axes::Group:
        return joined({kAges[q.index<AgeGroup>(0)], kRegimes[q.index<StayRegime>(1)]});
    case Axes::GroupCell:
        return joined(
            {kAges[q.index<AgeGroup>(0)], kRegimes[q.index<StayRegime>(1)], kCells[q.index<GroupOrientation>(2)]});
    case Axes::TableLine:
        break;
    }
    return joined({kTableLines[q.at[0]], groupName(options.group)});
}

} // namespace

// --- The sources of numbers -------------------------------------------------------------------

double Reading::quantity(QuantityRef q) noexcept
{
    if (const auto stored = storedValue(results_, q))
        return *stored;
    for (const auto& [figure, value] : figures_)
        if (figure == q)
            return value;
    const double value = evaluate(*this, q).value_or(std::numeric_limits<double>::quiet_NaN());
    try {
        figures_.emplace_back(q, value);
    } catch (...) { // then it is computed again when asked again
    }
    return value;
}

double Reading::constant(ConstantRef c) noexcept { return constantValue(c); }

std::optional<Money> Reading::currencySum(std::initializer_list<double> values) noexcept
{
    Currency sum;
    for (double v : values) {
        const auto amount = Currency::fromDouble(v);
        const auto next = amount ? add(sum, *amount) : std::nullopt;
        if (!next)
            return std::nullopt;
        sum = *next;
    }
    return Money{sum};
}

double accrualFactorOf(const StepOptions& options) noexcept { return options.step == 15 ? PayrollAccrualRate : 1; }

Explaining::Explaining(const InstitutionModel& model, const CalcResults& results, const StepOptions& options) noexcept
    : reading_(model, results, options, accrualFactorOf(options))
{
}

namespace {

// An input or a normative as the model holds it: the number it reads as (0 where it reads as none,
// which an explanation never meets: such a step shows its error panel), written as shown.
Term operandOf(OperandTarget target, const ModelValue& v)
{
    std::string text = v.displayText();
    return Term::operand(target, v.toNumber().value_or(0), text.empty() ? "0" : std::move(text));
}

} // namespace

Term Explaining::input(FieldRef r) { return operandOf(r, field(model(), r)); }

Term Explaining::normative(StayRegime s, AgeGroup a, NormativePart p)
{
    return operandOf(calc::constant(Constant::RegionalNormative, s, a, p), model().regionalNormative[s][a][p]);
}

Term Explaining::quantity(QuantityRef q)
{
    const double v = reading_.quantity(q);
    return Term::operand(q, v, arithmeticNumber(v));
}

Term Explaining::constant(ConstantRef c)
{
    const double v = constantValue(c);
    return Term::operand(c, v, arithmeticNumber(v));
}

Term Explaining::shown(const Term& t, Pattern pattern, QuantityRef figure)
{
    const double v = roundShown(t.value(), pattern);
    if (roundShown(reading_.quantity(figure), pattern) == v)
        return Term::operand(figure, v, format(v, pattern));
    return t.replaced(v, format(v, pattern), "округлено до рубля, как на экране");
}

std::optional<Term> Explaining::currencySum(std::initializer_list<Term> values)
{
    std::vector<double> numbers;
    for (const Term& t : values)
        numbers.push_back(t.value());
    Currency sum;
    for (double v : numbers) {
        const auto amount = Currency::fromDouble(v);
        const auto next = amount ? add(sum, *amount) : std::nullopt;
        if (!next)
            return std::nullopt;
        sum = *next;
    }
    std::optional<Term> total;
    for (const Term& t : values)
        total = total ? *total + t : t;
    return total->replaced(sum.toDouble());
}

Term Explaining::accrual() const
{
    if (options().step == 15)
        return constant(calc::constant(Constant::PayrollAccruals));
    return Term::omittedOne();
}

std::optional<double> evaluate(Reading& s, QuantityRef q) { return evaluateIn(s, q); }
std::optional<Term> evaluate(Explaining& s, QuantityRef q) { return evaluateIn(s, q); }

std::optional<double> storedValue(const CalcResults& results, QuantityRef q) noexcept
{
    switch (familyOf(q.kind)) {
    case Family::PupilHours:
        return families::storedPupilHours(results, q);
    case Family::Incentives:
        return families::storedIncentives(results, q);
    case Family::Needs:
        return families::storedNeeds(results, q);
    case Family::NormativeTable:
        return families::storedNormativeTable(results, q);
    case Family::Estimate:
        break;
    }
    return families::storedEstimate(results, q);
}

// --- Words ------------------------------------------------------------------------------------

const QuantityWords& wordsOf(Quantity kind) noexcept
{
    for (const auto& all : {families::wordsPupilHours(), families::wordsIncentives(), families::wordsNeeds(),
             families::wordsNormativeTable(), families::wordsEstimate()})
        for (const QuantityWords& w : all)
            if (w.kind == kind)
                return w;
    static constexpr QuantityWords kNone{};
    return kNone;
}

std::string quantityName(QuantityRef q, const StepOptions& options)
{
    const QuantityWords& words = wordsOf(q.kind);
    std::string name(words.name);
    if (const std::string more = qualifiers(words.axes, q, options); !more.empty())
        name.append(" (").append(more).append(")");
    return name;
}

QuantityRef figureQuantity(const PlacedValue& value, const StepOptions& options) noexcept
{
    const Panel& p = panel(value.panel);
    const auto line = static_cast<std::size_t>(value.line - p.lines.data());
    switch (value.panel) {
    case ResultsPanel::PupilHourCost:
        return families::pupilHourFigure(line, value.column, options);
    case ResultsPanel::Incentives:
        return families::incentiveFigure(line, value.column, options);
    case ResultsPanel::NormativeTable:
        return families::normativeTableFigure(line, value.column, options);
    case ResultsPanel::Estimate:
        break;
    }
    return families::estimateFigure(line, value.column, options);
}

std::optional<QuantityRef> figureQuantity(std::string_view label, const StepOptions& options)
{
    const auto placed = findValueLabel(label);
    if (!placed || placed->panel != panelOfStep(options.step))
        return std::nullopt;
    return figureQuantity(*placed, options);
}

// --- The numbers of the course ----------------------------------------------------------------

double constantValue(ConstantRef c) noexcept
{
    switch (c.kind) {
    case Constant::WeeksPerYear:
        return kWeeksPerYear;
    case Constant::MonthsPerYear:
        return kMonthsPerYear;
    case Constant::WeeklyHourNorm:
        return weeklyHourNorm[c.index<GroupKind>(0)][c.index<StaffRole>(1)];
    case Constant::AnnualHoursNorm:
        return annualHoursNorm(c.index<StaffRole>(0), c.index<GroupKind>(1));
    case Constant::EmptyCellGroupSize:
        return kEmptyCellGroupSize;
    case Constant::PayrollAccruals:
        return PayrollAccrualRate;
    case Constant::HeadSalaryPupilFloor:
        return kHeadSalaryPupilFloor;
    case Constant::HeadSalaryPupilStep:
        return kHeadSalaryPupilStep;
    case Constant::ServicePayrollMonths:
        return kServicePayrollMonths;
    case Constant::RegionalNormative:
        break;
    }
    return std::numeric_limits<double>::quiet_NaN(); // the model's, read as an input
}

std::string constantName(ConstantRef c)
{
    switch (c.kind) {
    case Constant::WeeksPerYear:
        return "Недель в году";
    case Constant::MonthsPerYear:
        return "Месяцев в году";
    case Constant::WeeklyHourNorm:
        return "Норма часов ставки в неделю ("
            + joined({texts(c.index<StaffRole>(1)).screen, kKinds[c.index<GroupKind>(0)]}) + ")";
    case Constant::AnnualHoursNorm:
        return "Годовая норма часов ставки ("
            + joined({texts(c.index<StaffRole>(0)).screen, kKinds[c.index<GroupKind>(1)]}) + ")";
    case Constant::EmptyCellGroupSize:
        return "Наполняемость группы, в которой нет детей";
    case Constant::PayrollAccruals:
        return "Оплата труда с начислениями на оплату труда";
    case Constant::HeadSalaryPupilFloor:
        return "Воспитанники, с которых растет оклад заведующего";
    case Constant::HeadSalaryPupilStep:
        return "Воспитанники, за которых оклад заведующего растет на одну среднюю оплату ставки";
    case Constant::ServicePayrollMonths:
        return "Месяцев оплаты в году";
    case Constant::RegionalNormative:
        break;
    }
    return "Норматив финансирования региона ("
        + joined(
            {kRegimes[c.index<StayRegime>(0)], kAges[c.index<AgeGroup>(1)], kNormativeParts[c.index<NormativePart>(2)]})
        + ")";
}

std::string constantSource(ConstantRef c, const InstitutionModel& model)
{
    switch (c.kind) {
    case Constant::WeeksPerYear:
    case Constant::MonthsPerYear:
        return "календарный год";
    case Constant::WeeklyHourNorm:
        return "норма рабочего времени ставки должности, принятая в курсе";
    case Constant::AnnualHoursNorm: {
        const double weekly = weeklyHourNorm[c.index<GroupKind>(1)][c.index<StaffRole>(0)];
        return "48 рабочих недель × " + arithmeticNumber(weekly) + " часов в неделю — норма рабочего времени ставки";
    }
    case Constant::EmptyCellGroupSize:
        return "принята в курсе для групп, где нет детей";
    case Constant::PayrollAccruals:
        return "1 рубль оплаты и 34,2 копейки начислений на оплату труда";
    case Constant::HeadSalaryPupilFloor:
    case Constant::HeadSalaryPupilStep:
        return "правило оклада заведующего, принятое в курсе";
    case Constant::ServicePayrollMonths:
        return "оклады платятся каждый месяц";
    case Constant::RegionalNormative:
        break;
    }
    const auto s = c.index<StayRegime>(0);
    const auto a = c.index<AgeGroup>(1);
    const auto p = c.index<NormativePart>(2);
    const std::string region = model.regionName.empty() ? "учреждения" : "«" + model.regionName + "»";
    const double base = regionalNormativeBase(s, a, p);
    const auto held = model.regionalNormative[s][a][p].toNumber();
    if (model.regionCoefficient && held
        && *held == throughSingle(roundShown(base * *model.regionCoefficient, Pattern::Whole)))
        return "нормативы региона " + region + ": норматив курса для Санкт-Петербурга " + arithmeticNumber(base)
            + " рублей на ребенка в год × коэффициент региона " + arithmeticNumber(*model.regionCoefficient)
            + " из таблицы регионов, округлено до рубля";
    return "нормативы региона " + region + ", рублей на ребенка в год";
}

} // namespace kvarton::calc
