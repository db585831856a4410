#include "estimate.h"

#include "families.h"
#include "norms.h"
#include "numbers.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Q = Quantity;
constexpr StaffRole TA = StaffRole::TeacherAssistant;

// --- Formulas ---------------------------------------------------------------------------------

// Pay of the positions a role needs over all children, summed over the twelve cells and grossed up
// by the special part.
template <typename S>
NumberOf<S> rolePayroll(S& s, StaffRole role)
{
    NumberOf<S> time{};
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayRegime r : allOf<StayRegime>())
            for (O o : allOf<O>())
                accumulate(time,
                    s.quantity(quantity(Q::AnnualHoursPerChild, a, r, o))
                        * s.quantity(quantity(Q::ServiceCount, a, r, o))
                        * s.quantity(quantity(Q::PositionsPerGroupHour, kindOf(r, o), role))
                        / s.input(fields::groupSize(o, bandOf(a))));
    return time * s.quantity(quantity(Q::PayPerPosition, role)) / s.constant(constant(Constant::WeeksPerYear))
        / (1 - s.input(fields::specialPartSharePed()) / 100);
}

template <typename S>
NumberOf<S> specialPart(S& s, const NumberOf<S>& payroll, bool isSingle)
{
    const auto part = s.input(fields::specialPartSharePed()) * payroll / 100;
    return isSingle ? s.single(part) : part;
}

template <typename S>
NumberOf<S> sumOver(S& s, Quantity kind)
{
    NumberOf<S> total{};
    for (StaffRole r : pedagogicalRoles())
        accumulate(total, s.quantity(quantity(kind, r)));
    return total;
}

// Non-pedagogical staff take their incentive share of the payroll before the gross-up.
template <typename S>
NumberOf<S> nonPedIncentive(S& s, Quantity base)
{
    return s.input(fields::incentiveShareNonPed()) * s.quantity(quantity(base)) / 100;
}

// A figure of the table in whole roubles, as another figure takes it.
template <typename S>
NumberOf<S> shownFigure(S& s, Quantity kind)
{
    return s.shown(s.quantity(quantity(kind)), Pattern::Whole, quantity(kind));
}

// The totals add what their rows show.
template <typename S>
auto shownSum(S& s, std::array<Quantity, 4> rows)
{
    return s.currencySum(
        {shownFigure(s, rows[0]), shownFigure(s, rows[1]), shownFigure(s, rows[2]), shownFigure(s, rows[3])});
}

constexpr std::array kPayrollRows{Q::PedPayrollTotal, Q::AdminTotal, Q::ServicePayroll, Q::AssistantPayroll};
constexpr std::array kSpecialRows{Q::PedSpecialTotal, Q::AdminSpecial, Q::ServiceSpecial, Q::AssistantSpecialPart};

// The total with accruals converts to currency before the material costs as shown join it.
template <typename S>
auto expenses(S& s)
{
    const auto accrued = s.quantity(quantity(Q::PayrollTotal)) * s.constant(constant(Constant::PayrollAccruals));
    return s.currencySum({accrued, shownFigure(s, Q::MaterialCosts)});
}

template <typename S>
NumberOf<S> subsidy(S& s)
{
    NumberOf<S> total{};
    for (StayRegime r : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            accumulate(total, s.normative(r, a, NormativePart::Total) * s.input(fields::assignedServices(r, a)));
    return total;
}

template <typename S, typename M>
std::optional<NumberOf<S>> number(const std::optional<M>& money)
{
    if (!money)
        return std::nullopt;
    return NumberOf<S>(*money);
}

template <typename S>
std::optional<NumberOf<S>> evaluateFamily(S& s, QuantityRef q)
{
    const auto role = q.index<StaffRole>(0);
    const auto at = [&](Quantity kind) { return s.quantity(quantity(kind)); };
    switch (q.kind) {
    case Q::PedPayroll:
        return rolePayroll(s, role);
    case Q::PedSpecialPart:
        return specialPart(s, s.quantity(quantity(Q::PedPayroll, role)), role == StaffRole::SpeechTherapist);
    case Q::AssistantPayroll:
        return rolePayroll(s, TA);
    case Q::AssistantSpecialPart:
        return specialPart(s, at(Q::AssistantPayroll), false);
    case Q::PedPayrollTotal:
        return sumOver(s, Q::PedPayroll);
    case Q::PedSpecialTotal:
        return sumOver(s, Q::PedSpecialPart);
    case Q::AdminTotal:
        return at(Q::DeputiesPay) + at(Q::HeadSalary);
    case Q::AdminSpecial:
        return nonPedIncentive(s, Q::DeputiesPayBase) + at(Q::HeadSalaryRaise);
    case Q::ServiceSpecial:
        return nonPedIncentive(s, Q::ServicePayrollBase);
    case Q::PayrollTotal:
        return number<S>(shownSum(s, kPayrollRows));
    case Q::SpecialTotal:
        return number<S>(shownSum(s, kSpecialRows));
    case Q::MaterialCosts:
        return s.input(fields::materialCostsPercentOfPedPayroll()) * at(Q::PedPayrollTotal) / 100;
    case Q::Expenses:
        return number<S>(expenses(s));
    case Q::SpecialAccrued:
        return at(Q::SpecialTotal) * s.constant(constant(Constant::PayrollAccruals));
    case Q::Subsidy:
        return subsidy(s);
    // The chart takes the figures as the table shows them.
    case Q::AccrualsOnPay:
        return shownFigure(s, Q::Expenses) - shownFigure(s, Q::PayrollTotal) - shownFigure(s, Q::MaterialCosts);
    case Q::SubsidyBalance:
        return shownFigure(s, Q::Subsidy) - shownFigure(s, Q::Expenses);
    default:
        return std::nullopt;
    }
}

// --- Words ------------------------------------------------------------------------------------

constexpr std::string_view kPayrollWhat
    = "Оплата всех ставок, которых требуют дети учреждения в 2012 году, вместе со специальной частью и без "
      "начислений: потребность на ребенка каждой ячейки, умноженная на число ее детей.";
constexpr std::string_view kPayrollFormula
    = "оплата = (сумма по ячейкам: часы ребенка за год × детей × ставки на час работы группы : наполняемость) × "
      "оплата ставки : 52 недели : (1 − доля специальной части, % : 100).";
constexpr std::string_view kSpecialWhat = "Специальная часть оплаты труда (вопрос 2 шага 11).";
constexpr std::string_view kSpecialFormula = "специальная часть = доля специальной части, % × оплата : 100.";

constexpr QuantityWords kWords[] = {
    {Q::PedPayroll, Axes::Role, "Оплата труда должности", "рублей", kPayrollWhat, kPayrollFormula},
    {Q::PedSpecialPart, Axes::Role, "Специальная часть оплаты труда должности", "рублей", kSpecialWhat,
        kSpecialFormula},
    {Q::AssistantPayroll, Axes::None, "Оплата труда УВП", "рублей", kPayrollWhat, kPayrollFormula},
    {Q::AssistantSpecialPart, Axes::None, "Специальная часть оплаты труда УВП", "рублей", kSpecialWhat,
        kSpecialFormula},
    {Q::PedPayrollTotal, Axes::None, "Оплата труда педперсонала", "рублей",
        "Оплата труда одиннадцати педагогических должностей вместе.", "оплата = сумма оплаты труда должностей."},
    {Q::PedSpecialTotal, Axes::None, "Специальная часть оплаты труда педперсонала", "рублей",
        "Специальные части оплаты труда педагогических должностей вместе.",
        "специальная часть = сумма специальных частей должностей."},
    {Q::AdminTotal, Axes::None, "Оплата труда АУП", "рублей", "Оплата заведующего и заместителей, без начислений.",
        "оплата АУП = оплата заместителей + оплата заведующего."},
    {Q::AdminSpecial, Axes::None, "Специальная часть оплаты труда АУП", "рублей",
        "Стимулирующие выплаты заместителей (доля от их оплаты без стимулирующей части) и повышение оклада "
        "заведующего.",
        "специальная часть = доля стимулирующих выплат, % × оплата заместителей без стимулирующей части : 100 + "
        "повышение оклада заведующего."},
    {Q::ServiceSpecial, Axes::None, "Специальная часть оплаты труда обслуживающего персонала", "рублей",
        "Стимулирующие выплаты обслуживающего персонала: доля от окладов (вопрос 1 шага 11).",
        "специальная часть = доля стимулирующих выплат, % × оклады : 100."},
    {Q::PayrollTotal, Axes::None, "Всего оплата труда, без начислений", "рублей",
        "Оплата труда педперсонала, АУП, обслуживающего персонала и УВП вместе — в целых рублях, как они показаны "
        "в строках.",
        "всего = оплата педперсонала + оплата АУП + оплата обслуживающего персонала + оплата УВП."},
    {Q::SpecialTotal, Axes::None, "Всего специальная часть, без начислений", "рублей",
        "Специальные части оплаты труда педперсонала, АУП, обслуживающего персонала и УВП вместе — в целых рублях, "
        "как они показаны в строках.",
        "всего = сумма специальных частей строк."},
    {Q::MaterialCosts, Axes::None, "Материально-технические расходы", "рублей",
        "Процент от оплаты труда педперсонала (вопрос 9 шага 11).",
        "расходы = процент материальных затрат × оплата труда педперсонала : 100."},
    {Q::Expenses, Axes::None, "Всего расходов, с учетом начислений", "рублей",
        "Оплата труда с начислениями на оплату труда и материально-технические расходы, как они показаны.",
        "расходы = всего оплата труда × 1,342 + материально-технические расходы."},
    {Q::SpecialAccrued, Axes::None, "Специальная часть, с учетом начислений", "рублей",
        "Специальная часть оплаты труда с начислениями на оплату труда.",
        "специальная часть = всего специальная часть × 1,342."},
    {Q::Subsidy, Axes::None, "Выделенная субсидия на выполнение задания", "рублей",
        "Сколько дают учреждению нормативы финансирования региона на государственное задание шага 9.",
        "субсидия = сумма по группам: норматив региона на ребенка × детей по заданию."},
    {Q::AccrualsOnPay, Axes::None, "Начисления на оплату труда", "рублей",
        "Часть расходов, которую составляют начисления на оплату труда (оплата труда берется с коэффициентом "
        "1,342): все расходы с начислениями без оплаты труда и без материально-технических расходов, как они "
        "показаны в таблице.",
        "начисления = всего расходов, с учетом начислений − всего оплата труда, без начислений − "
        "материально-технические расходы."},
    {Q::SubsidyBalance, Axes::None, "Остаток субсидии после покрытия расходов", "рублей",
        "Что остается от субсидии, когда покрыты все расходы учреждения, как они показаны в таблице; "
        "отрицательный остаток — сколько субсидии не хватает на покрытие расходов.",
        "остаток = выделенная субсидия − всего расходов, с учетом начислений."},
};

} // namespace

bool computeEstimatePayrolls(const InstitutionModel& in, CalcResults& results) noexcept
{
    EstimateResults& out = results.estimate;
    Reading s(in, results, {.step = 16});
    for (StaffRole r : pedagogicalRoles()) {
        out.pedPayroll[r] = rolePayroll(s, r);
        out.pedSpecialPart[r] = specialPart(s, out.pedPayroll[r], r == StaffRole::SpeechTherapist);
    }
    out.assistantPayroll = rolePayroll(s, TA);
    out.assistantSpecialPart = specialPart(s, out.assistantPayroll, false);
    return s.allNumbers()
        && allFinite(out.pedPayroll, out.pedSpecialPart, out.assistantPayroll, out.assistantSpecialPart);
}

StepView showEstimate(const InstitutionModel& in, const CalcResults& results)
{
    const StepOptions options{.step = 16};
    Reading s(in, results, options);
    // The totals are currency values, shown as currency rounds them.
    const auto money = [&](Quantity kind) -> std::optional<Money> {
        switch (kind) {
        case Q::PayrollTotal:
            return shownSum(s, kPayrollRows);
        case Q::SpecialTotal:
            return shownSum(s, kSpecialRows);
        default:
            return expenses(s);
        }
    };
    const Panel& table = panel(ResultsPanel::Estimate);
    StepView view;
    view.labels.reserve(valueLabelCount(ResultsPanel::Estimate));
    for (std::size_t l = 0; l < table.lines.size(); ++l)
        for (std::size_t c = 0; c < 2; ++c) {
            const ValueLabel& label = table.lines[l].values[c];
            if (label.name.empty())
                continue;
            const QuantityRef figure = families::estimateFigure(l, c, options);
            if (figure.kind == Q::PayrollTotal || figure.kind == Q::SpecialTotal || figure.kind == Q::Expenses) {
                const auto total = money(figure.kind);
                if (!total)
                    return errorPanel();
                put(view, label, total->exact.wholeText());
            } else if (const double number = s.quantity(figure); std::isfinite(number)) {
                put(view, label, number);
            } else {
                return errorPanel();
            }
        }
    if (!s.allNumbers())
        return errorPanel();
    return view;
}

namespace families {

std::optional<double> evaluateEstimate(Reading& s, QuantityRef q) { return evaluateFamily(s, q); }
std::optional<Term> evaluateEstimate(Explaining& s, QuantityRef q) { return evaluateFamily(s, q); }

std::optional<double> storedEstimate(const CalcResults& results, QuantityRef q) noexcept
{
    const EstimateResults& e = results.estimate;
    const auto role = q.index<StaffRole>(0);
    switch (q.kind) {
    case Q::PedPayroll:
        return e.pedPayroll[role];
    case Q::PedSpecialPart:
        return e.pedSpecialPart[role];
    case Q::AssistantPayroll:
        return e.assistantPayroll;
    case Q::AssistantSpecialPart:
        return e.assistantSpecialPart;
    default:
        return std::nullopt;
    }
}

std::span<const QuantityWords> wordsEstimate() noexcept { return kWords; }

QuantityRef estimateFigure(std::size_t line, std::size_t column, const StepOptions&) noexcept
{
    const bool special = column == static_cast<std::size_t>(EstimateColumn::Special);
    const auto pick = [special](Quantity total, Quantity part) { return quantity(special ? part : total); };
    const std::size_t firstRole = static_cast<std::size_t>(EstimateLine::Teacher);
    if (line >= firstRole && line < firstRole + kPedagogicalRoleCount)
        return quantity(special ? Q::PedSpecialPart : Q::PedPayroll, static_cast<StaffRole>(line - firstRole));
    switch (static_cast<EstimateLine>(line)) {
    case EstimateLine::Pedagogical:
        return pick(Q::PedPayrollTotal, Q::PedSpecialTotal);
    case EstimateLine::Admin:
        return pick(Q::AdminTotal, Q::AdminSpecial);
    case EstimateLine::Head:
        return pick(Q::HeadSalary, Q::HeadSalaryRaise);
    case EstimateLine::Service:
        return pick(Q::ServicePayroll, Q::ServiceSpecial);
    case EstimateLine::Assistant:
        return pick(Q::AssistantPayroll, Q::AssistantSpecialPart);
    case EstimateLine::Payroll:
        return pick(Q::PayrollTotal, Q::SpecialTotal);
    case EstimateLine::Material:
        return quantity(Q::MaterialCosts);
    case EstimateLine::Expenses:
        return pick(Q::Expenses, Q::SpecialAccrued);
    default:
        return quantity(Q::Subsidy);
    }
}

} // namespace families

} // namespace kvarton::calc
