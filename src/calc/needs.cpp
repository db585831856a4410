#include "needs.h"

#include "families.h"
#include "pay_and_positions.h"
#include "pupil_hour_cost.h"

#include <array>

namespace kvarton::calc {

namespace {

using O = GroupOrientation;
using Q = Quantity;
constexpr StaffRole TA = StaffRole::TeacherAssistant;

// The salaried service positions in the order their payroll is added up.
constexpr std::array<ServicePosition, 11> kSalariedPositions{
    ServicePosition::Accountant,
    ServicePosition::Clerk,
    ServicePosition::Chef,
    ServicePosition::Cook,
    ServicePosition::Storekeeper,
    ServicePosition::LinenKeeper,
    ServicePosition::LaundryWorker,
    ServicePosition::Loader,
    ServicePosition::RepairWorker,
    ServicePosition::OtherPositions,
    ServicePosition::Medical,
};

// The results held in single precision.
constexpr bool isSingleGroup(AgeGroup a, StayRegime s) noexcept
{
    return a == AgeGroup::Senior && s == StayRegime::Day;
}
constexpr bool isSingleCell(AgeGroup a, StayRegime s, O o) noexcept
{
    return isSingleGroup(a, s) && o == O::Compensating;
}

template <typename S, typename N>
N stored(S& s, bool isSingle, const N& v)
{
    return isSingle ? s.single(v) : v;
}

// --- Formulas ---------------------------------------------------------------------------------

template <typename S>
NumberOf<S> serviceCount(S& s, AgeGroup a, StayRegime r, O o)
{
    NumberOf<S> children{};
    for (StayMode m : allOf<StayMode>())
        if (belongsTo(m, r))
            accumulate(children, s.input(fields::providedServices(a, o, m)));
    return children;
}

template <typename S>
NumberOf<S> dailyPupilHours(S& s, AgeGroup a, StayRegime r, O o)
{
    NumberOf<S> hours{};
    for (StayMode m : allOf<StayMode>())
        if (belongsTo(m, r))
            accumulate(hours, s.input(fields::providedServices(a, o, m)) * s.number(info(m).hours));
    return hours;
}

template <typename S>
NumberOf<S> annualHoursPerChild(S& s, AgeGroup a, StayRegime r, O o)
{
    const auto children = s.quantity(quantity(Q::ServiceCount, a, r, o));
    const auto hours = s.quantity(quantity(Q::DailyPupilHours, a, r, o));
    const auto months = s.input(fields::monthsPerYear());
    const auto days = s.input(fields::daysPerWeek());
    if (isZero(children))
        return s.ruled(0, "в ячейке нет детей, поэтому часов 0", children);
    return s.constant(constant(Constant::WeeksPerYear)) * (hours / children)
        / s.constant(constant(Constant::MonthsPerYear)) * months * days;
}

// A child's share of a group's weekly hours: its average weekly hours over the group size.
template <typename S>
NumberOf<S> weeklyShare(S& s, AgeGroup a, StayRegime r, O o)
{
    return s.quantity(quantity(Q::AnnualHoursPerChild, a, r, o)) / s.constant(constant(Constant::WeeksPerYear))
        / s.input(fields::groupSize(o, bandOf(a)));
}

template <typename S>
NumberOf<S> pedNeedPerChild(S& s, AgeGroup a, StayRegime r, O o)
{
    NumberOf<S> payOfPositions{};
    for (StaffRole role : pedagogicalRoles())
        accumulate(payOfPositions,
            s.quantity(quantity(Q::PayPerPosition, role))
                * s.quantity(quantity(Q::PositionsPerGroupHour, kindOf(r, o), role)));
    return stored(s, isSingleCell(a, r, o), payOfPositions * weeklyShare(s, a, r, o));
}

template <typename S>
NumberOf<S> assistantNeedPerChild(S& s, AgeGroup a, StayRegime r, O o)
{
    return stored(s, isSingleCell(a, r, o),
        s.quantity(quantity(Q::PositionsPerGroupHour, kindOf(r, o), TA)) * s.quantity(quantity(Q::PayPerPosition, TA))
            * weeklyShare(s, a, r, o));
}

// The two cells of a group averaged, weighted by their children (compensating children stand in
// both cells).
template <typename S>
NumberOf<S> weightedByChildren(S& s, Quantity perChild, AgeGroup a, StayRegime r)
{
    const auto general = s.quantity(quantity(Q::ServiceCount, a, r, O::GeneralDevelopment));
    const auto compensating = s.quantity(quantity(Q::ServiceCount, a, r, O::Compensating));
    NumberOf<S> children{};
    accumulate(children, general);
    accumulate(children, compensating);
    if (isZero(children))
        return s.ruled(0, "в группе нет детей, поэтому потребность 0", children);
    NumberOf<S> sum{};
    accumulate(sum, s.quantity(quantity(perChild, a, r, O::GeneralDevelopment)) * general);
    accumulate(sum, s.quantity(quantity(perChild, a, r, O::Compensating)) * compensating);
    return sum / children;
}

// A need per child with the special part and the accruals of the step.
template <typename S>
NumberOf<S> grossNeed(S& s, Quantity weighted, AgeGroup a, StayRegime r)
{
    return stored(s, isSingleGroup(a, r),
        s.accrual() * s.quantity(quantity(weighted, a, r)) / (1 - s.input(fields::specialPartSharePed()) / 100));
}

// Administrative staff: the head's salary grows with the pupils beyond the floor. The pupils are
// counted from the inputs, as the pupil-hour calculation counts them, so that the figure never
// depends on whether step 13 or 14 was computed before.
template <typename S>
NumberOf<S> headSalaryPupilCount(S& s)
{
    NumberOf<S> pupils{};
    for (StayRegime r : {StayRegime::Day, StayRegime::ShortTerm})
        for (O o : allOf<O>())
            accumulate(pupils, s.quantity(quantity(Q::PupilCount, r, o)));
    if (valueOf(pupils) < kHeadSalaryPupilFloor)
        return s.ruled(kHeadSalaryPupilFloor,
            "воспитанников меньше 60: оклад заведующего считается как для 60 воспитанников", pupils);
    return pupils;
}

template <typename S>
NumberOf<S> headSalaryBase(S& s)
{
    return (s.input(fields::payroll2011PedTotal()) / s.input(fields::positions2011PedTotal()))
        * (1
            + (s.quantity(quantity(Q::HeadSalaryPupilCount)) - s.constant(constant(Constant::HeadSalaryPupilFloor)))
                / s.constant(constant(Constant::HeadSalaryPupilStep)));
}

// The deputies' positions are added as currency values.
template <typename S>
std::optional<NumberOf<S>> deputiesPayBase(S& s)
{
    const auto deputies = s.currencySum({s.input(fields::servicePositions(ServicePosition::DeputyEducation)),
        s.input(fields::servicePositions(ServicePosition::DeputyHousekeeping))});
    if (!deputies)
        return std::nullopt;
    return s.quantity(quantity(Q::HeadSalaryBase)) * s.input(fields::deputySalaryCoefficient()) / 100 * *deputies;
}

template <typename S>
NumberOf<S> withoutNonPedIncentive(S& s, const NumberOf<S>& pay)
{
    return pay / (1 - s.input(fields::incentiveShareNonPed()) / 100);
}

// Service staff: monthly salaries of the positions planned.
template <typename S>
NumberOf<S> servicePayrollBase(S& s)
{
    NumberOf<S> monthly{};
    for (ServicePosition p : kSalariedPositions)
        accumulate(monthly, s.input(fields::servicePositions(p)) * s.input(fields::serviceSalary(p)));
    return s.constant(constant(Constant::ServicePayrollMonths)) * monthly;
}

// Administrative and service payroll are shared out over the children by their hours of stay.
template <typename S>
NumberOf<S> hourSharePerChild(S& s, AgeGroup a, StayRegime r)
{
    NumberOf<S> allHours{};
    for (AgeGroup a2 : allOf<AgeGroup>())
        for (StayRegime r2 : allOf<StayRegime>())
            for (O o : allOf<O>())
                accumulate(allHours, s.quantity(quantity(Q::DailyPupilHours, a2, r2, o)));
    NumberOf<S> children{};
    NumberOf<S> hours{};
    for (O o : allOf<O>()) {
        accumulate(children, s.quantity(quantity(Q::ServiceCount, a, r, o)));
        accumulate(hours, s.quantity(quantity(Q::DailyPupilHours, a, r, o)));
    }
    if (isZero(children))
        return s.ruled(0, "в группе нет детей, поэтому доля 0", children);
    return hours / allHours / children;
}

template <typename S>
std::optional<NumberOf<S>> evaluateFamily(S& s, QuantityRef q)
{
    const auto a = q.index<AgeGroup>(0);
    const auto r = q.index<StayRegime>(1);
    const auto o = q.index<O>(2);
    const auto at = [&](Quantity kind) { return s.quantity(quantity(kind)); };
    const auto share = [&](FieldRef percent, Quantity of) { return s.input(percent) * at(of) / 100; };
    switch (q.kind) {
    case Q::ServiceCount:
        return serviceCount(s, a, r, o);
    case Q::DailyPupilHours:
        return dailyPupilHours(s, a, r, o);
    case Q::AnnualHoursPerChild:
        return annualHoursPerChild(s, a, r, o);
    case Q::PedNeedPerChild:
        return pedNeedPerChild(s, a, r, o);
    case Q::PedNeedWeighted:
        return weightedByChildren(s, Q::PedNeedPerChild, a, r);
    case Q::PedNeed:
        return grossNeed(s, Q::PedNeedWeighted, a, r);
    // Material costs are a percentage of the pedagogical need without accruals.
    case Q::MaterialNeed:
        return s.input(fields::materialCostsPercentOfPedPayroll()) * s.quantity(quantity(Q::PedNeed, a, r)) / 100
            / s.accrual();
    case Q::MaterialNeedEducation:
        return s.input(fields::materialCostsTeachingShare()) * s.quantity(quantity(Q::MaterialNeed, a, r)) / 100;
    case Q::MaterialNeedCare:
        return (100 - s.input(fields::materialCostsTeachingShare())) * s.quantity(quantity(Q::MaterialNeed, a, r))
            / 100;
    case Q::AssistantNeedPerChild:
        return assistantNeedPerChild(s, a, r, o);
    case Q::AssistantNeedWeighted:
        return weightedByChildren(s, Q::AssistantNeedPerChild, a, r);
    case Q::AssistantNeed:
        return grossNeed(s, Q::AssistantNeedWeighted, a, r);
    case Q::HeadSalaryPupilCount:
        return headSalaryPupilCount(s);
    case Q::HeadSalaryBase:
        return headSalaryBase(s);
    case Q::HeadSalaryRaise:
        return share(fields::pedSalaryGrowthPercent2012(), Q::HeadSalaryBase);
    case Q::HeadSalary:
        return at(Q::HeadSalaryBase) + at(Q::HeadSalaryRaise);
    case Q::DeputiesPayBase:
        return deputiesPayBase(s);
    case Q::DeputiesPay:
        return withoutNonPedIncentive(s, at(Q::DeputiesPayBase));
    case Q::AdminPayroll:
        return s.accrual() * (at(Q::DeputiesPay) + at(Q::HeadSalary));
    case Q::AdminPayrollEducation:
        return share(fields::adminPayrollTeachingShare(), Q::AdminPayroll);
    case Q::AdminPayrollCare:
        return at(Q::AdminPayroll) - at(Q::AdminPayrollEducation);
    case Q::ServicePayrollBase:
        return servicePayrollBase(s);
    case Q::ServicePayroll:
        return withoutNonPedIncentive(s, s.accrual() * at(Q::ServicePayrollBase));
    case Q::ServicePayrollEducation:
        return share(fields::servicePayrollTeachingShare(), Q::ServicePayroll);
    case Q::ServicePayrollCare:
        return at(Q::ServicePayroll) - at(Q::ServicePayrollEducation);
    case Q::HourSharePerChild:
        return hourSharePerChild(s, a, r);
    default:
        return std::nullopt;
    }
}

// --- Words ------------------------------------------------------------------------------------

constexpr QuantityWords kWords[] = {
    {Q::ServiceCount, Axes::GroupCell, "Число детей", "детей",
        "Сколько детей ячейки получают услуги: все дети возрастной группы в режимах пребывания этого вида или "
        "только дети коррекционных групп (шаг 10).",
        "число детей = сумма детей по режимам пребывания."},
    {Q::DailyPupilHours, Axes::GroupCell, "Ученико-часы в день", "часов",
        "Сколько часов в день вместе проводят в группах дети ячейки.",
        "ученико-часы в день = сумма по режимам пребывания: детей × часов в день."},
    {Q::AnnualHoursPerChild, Axes::GroupCell, "Часы пребывания ребенка за год", "часов",
        "Сколько часов за год в среднем проводит в группе один ребенок ячейки.",
        "часы ребенка = 52 недели × (ученико-часы в день : число детей) : 12 месяцев × месяцев работы в году × дней "
        "работы в неделю; 0, если детей нет."},
    {Q::PedNeedPerChild, Axes::GroupCell, "Потребность в оплате педагогического персонала на ребенка ячейки",
        "рублей в год",
        "Оплата ставок педагогических должностей, нужных на час работы группы в неделю, за ту долю недельных "
        "часов группы, которую занимает один ребенок; без специальной части и начислений.",
        "потребность = (сумма по должностям: оплата ставки × ставки на час работы группы) × часы ребенка за год : "
        "52 недели : наполняемость группы."},
    {Q::PedNeedWeighted, Axes::Group, "Потребность в оплате педагогического персонала на ребенка группы",
        "рублей в год",
        "Потребности на ребенка всех детей и детей коррекционных групп, взвешенные числом детей; дети "
        "коррекционных групп учтены в обоих слагаемых.",
        "потребность = (потребность всех детей × их число + потребность коррекционных групп × их число) : (число "
        "всех детей + число детей коррекционных групп); 0, если детей нет."},
    {Q::PedNeed, Axes::Group, "Потребность в педагогическом персонале на ребенка", "рублей в год",
        "Оплата педагогического персонала на одного ребенка группы вместе со специальной частью фонда оплаты "
        "труда.",
        "потребность = начисления 1,342 (на шаге 16 их нет) × взвешенная потребность : (1 − доля специальной "
        "части, % : 100)."},
    {Q::MaterialNeed, Axes::Group, "Материально-технические затраты на ребенка", "рублей в год",
        "Процент от потребности в педагогическом персонале без начислений (вопрос 9 шага 11).",
        "затраты = процент материальных затрат × потребность в педагогическом персонале : 100 : начисления."},
    {Q::MaterialNeedEducation, Axes::Group, "Материально-технические затраты на обучение на ребенка", "рублей в год",
        "Доля материально-технических затрат, относимая на обучение (вопрос 10 шага 11).",
        "затраты на обучение = доля на обучение, % × затраты : 100."},
    {Q::MaterialNeedCare, Axes::Group, "Материально-технические затраты на уход и присмотр на ребенка", "рублей в год",
        "Часть материально-технических затрат, не отнесенная на обучение.",
        "затраты на уход и присмотр = (100 − доля на обучение, %) × затраты : 100."},
    {Q::AssistantNeedPerChild, Axes::GroupCell, "Потребность в оплате УВП на ребенка ячейки", "рублей в год",
        "Оплата ставок помощника воспитателя (учебно-вспомогательный персонал, УВП), нужных на час работы группы "
        "в неделю, за долю недельных часов группы, которую занимает один ребенок; без специальной части и "
        "начислений.",
        "потребность = ставки помощника воспитателя на час работы группы × оплата ставки × часы ребенка за год : 52 "
        "недели : наполняемость группы."},
    {Q::AssistantNeedWeighted, Axes::Group, "Потребность в оплате УВП на ребенка группы", "рублей в год",
        "Потребности на ребенка всех детей и детей коррекционных групп, взвешенные числом детей.",
        "потребность = (потребность всех детей × их число + потребность коррекционных групп × их число) : (число "
        "всех детей + число детей коррекционных групп); 0, если детей нет."},
    {Q::AssistantNeed, Axes::Group, "Потребность в УВП на ребенка", "рублей в год",
        "Оплата учебно-вспомогательного персонала на одного ребенка группы вместе со специальной частью фонда "
        "оплаты труда.",
        "потребность = начисления 1,342 (на шаге 16 их нет) × взвешенная потребность : (1 − доля специальной "
        "части, % : 100)."},
    {Q::HeadSalaryPupilCount, Axes::None, "Воспитанники для оклада заведующего", "детей",
        "Число воспитанников учреждения, по которому считается оклад заведующего; не меньше 60.",
        "воспитанники = сумма воспитанников всех ячеек; 60, если их меньше."},
    {Q::HeadSalaryBase, Axes::None, "Оклад заведующего до повышения", "рублей в год",
        "Средняя оплата ставки педагогического персонала и УВП за 2011 год, к которой за каждые 120 "
        "воспитанников сверх 60 прибавляется еще одна такая оплата.",
        "оклад = (фонд оплаты труда педперсонала и УВП : ставок) × (1 + (воспитанники − 60) : 120)."},
    {Q::HeadSalaryRaise, Axes::None, "Повышение оклада заведующего", "рублей в год",
        "Рост оклада заведующего в 2012 году на процент роста зарплаты педперсонала (вопрос 11 шага 11); это "
        "специальная часть оплаты заведующего.",
        "повышение = процент роста × оклад : 100."},
    {Q::HeadSalary, Axes::None, "Оплата труда заведующего", "рублей в год", "Оклад заведующего с повышением.",
        "оплата = оклад + повышение."},
    {Q::DeputiesPayBase, Axes::None, "Оплата заместителей без стимулирующей части", "рублей в год",
        "Оклад заместителя — процент оклада заведующего (вопрос 6 шага 11) — за все ставки заместителей шага 12.",
        "оплата = оклад заведующего × коэффициент оклада заместителей, % : 100 × (ставки заместителя по "
        "воспитанию + ставки заместителя по хозяйству)."},
    {Q::DeputiesPay, Axes::None, "Оплата заместителей", "рублей в год",
        "Оплата заместителей вместе со стимулирующими выплатами (вопрос 1 шага 11).",
        "оплата = оплата без стимулирующей части : (1 − доля стимулирующих выплат, % : 100)."},
    {Q::AdminPayroll, Axes::None, "Оплата труда АУП", "рублей в год",
        "Оплата административно-управленческого персонала (АУП): заведующего и заместителей.",
        "оплата АУП = начисления 1,342 (на шаге 16 их нет) × (оплата заместителей + оплата заведующего)."},
    {Q::AdminPayrollEducation, Axes::None, "Оплата труда АУП на обучение", "рублей в год",
        "Доля оплаты АУП, относимая на обучение (вопрос 7 шага 11).",
        "оплата = доля на обучение, % × оплата АУП : 100."},
    {Q::AdminPayrollCare, Axes::None, "Оплата труда АУП на уход и присмотр", "рублей в год",
        "Часть оплаты АУП, не отнесенная на обучение.", "оплата = оплата АУП − оплата АУП на обучение."},
    {Q::ServicePayrollBase, Axes::None, "Оклады обслуживающего персонала за год", "рублей в год",
        "Оклады ставок обслуживающего персонала шага 12 за год.",
        "оклады = 12 месяцев × сумма по должностям: ставок × оклад на должность."},
    {Q::ServicePayroll, Axes::None, "Оплата труда обслуживающего персонала", "рублей в год",
        "Оклады обслуживающего персонала вместе со стимулирующими выплатами (вопрос 1 шага 11).",
        "оплата = начисления 1,342 (на шаге 16 их нет) × оклады : (1 − доля стимулирующих выплат, % : 100)."},
    {Q::ServicePayrollEducation, Axes::None, "Оплата труда обслуживающего персонала на обучение", "рублей в год",
        "Доля оплаты обслуживающего персонала, относимая на обучение (вопрос 8 шага 11).",
        "оплата = доля на обучение, % × оплата обслуживающего персонала : 100."},
    {Q::ServicePayrollCare, Axes::None, "Оплата труда обслуживающего персонала на уход и присмотр", "рублей в год",
        "Часть оплаты обслуживающего персонала, не отнесенная на обучение.",
        "оплата = оплата обслуживающего персонала − оплата на обучение."},
    {Q::HourSharePerChild, Axes::Group, "Доля ребенка в ученико-часах учреждения", "",
        "Какую часть всех ученико-часов учреждения занимает один ребенок группы; в этой доле на ребенка "
        "приходится оплата АУП и обслуживающего персонала.",
        "доля = ученико-часы в день детей группы : ученико-часы в день всего учреждения : число детей группы; 0, "
        "если детей нет."},
};

} // namespace

// --- The calculation --------------------------------------------------------------------------

bool computeNeeds(const InstitutionModel& in, double f, CalcResults& results) noexcept
{
    NeedResults& out = results.needs;
    PupilHourResults& p = results.pupilHours;
    Reading s(in, results, {.step = f == 1 ? 16 : 15}, f);
    const auto each = [&](Quantity kind, PerGroupCell<double>& family) {
        for (AgeGroup a : allOf<AgeGroup>())
            for (StayRegime r : allOf<StayRegime>())
                for (O o : allOf<O>())
                    family[a][r][o] = *evaluateFamily(s, quantity(kind, a, r, o));
    };
    const auto eachGroup = [&](Quantity kind, PerGroup<double>& family) {
        for (AgeGroup a : allOf<AgeGroup>())
            for (StayRegime r : allOf<StayRegime>())
                family[a][r] = *evaluateFamily(s, quantity(kind, a, r));
    };
    const auto one = [&](Quantity kind, double& value) { value = *evaluateFamily(s, quantity(kind)); };

    each(Q::ServiceCount, out.serviceCount);
    each(Q::DailyPupilHours, out.dailyPupilHours);
    each(Q::AnnualHoursPerChild, out.annualHoursPerChild);
    computePayAndPositions(s, p);
    each(Q::PedNeedPerChild, out.pedNeedPerChild);
    eachGroup(Q::PedNeedWeighted, out.pedNeedWeighted);
    eachGroup(Q::PedNeed, out.pedNeed);
    eachGroup(Q::MaterialNeed, out.materialNeed);
    eachGroup(Q::MaterialNeedEducation, out.materialNeedEducation);
    eachGroup(Q::MaterialNeedCare, out.materialNeedCare);

    // Educational-support staff.
    for (GroupKind k : allOf<GroupKind>())
        p.positionsPerGroupHour[k][TA] = positionsPerGroupHour(s, k, TA);
    p.generalPayPerPosition[TA] = payPerPosition(s, TA);
    each(Q::AssistantNeedPerChild, out.assistantNeedPerChild);
    eachGroup(Q::AssistantNeedWeighted, out.assistantNeedWeighted);
    eachGroup(Q::AssistantNeed, out.assistantNeed);

    countPupilHours(s, p);
    one(Q::HeadSalaryPupilCount, out.headSalaryPupilCount);
    one(Q::HeadSalaryBase, out.headSalaryBase);
    one(Q::HeadSalaryRaise, out.headSalaryRaise);
    one(Q::HeadSalary, out.headSalary);
    const auto deputies = deputiesPayBase(s);
    if (!deputies)
        return false;
    out.deputiesPayBase = *deputies;
    one(Q::DeputiesPay, out.deputiesPay);
    one(Q::AdminPayroll, out.adminPayroll);
    one(Q::AdminPayrollEducation, out.adminPayrollEducation);
    one(Q::AdminPayrollCare, out.adminPayrollCare);
    one(Q::ServicePayrollBase, out.servicePayrollBase);
    one(Q::ServicePayroll, out.servicePayroll);
    one(Q::ServicePayrollEducation, out.servicePayrollEducation);
    one(Q::ServicePayrollCare, out.servicePayrollCare);
    eachGroup(Q::HourSharePerChild, out.hourSharePerChild);

    return s.allNumbers()
        && allFinite(out.serviceCount, out.dailyPupilHours, out.annualHoursPerChild, out.pedNeedPerChild,
            out.assistantNeedPerChild, out.pedNeedWeighted, out.assistantNeedWeighted, out.pedNeed, out.assistantNeed,
            out.materialNeed, out.materialNeedEducation, out.materialNeedCare, out.headSalaryPupilCount,
            out.headSalaryBase, out.headSalaryRaise, out.headSalary, out.deputiesPayBase, out.deputiesPay,
            out.adminPayroll, out.adminPayrollEducation, out.adminPayrollCare, out.servicePayrollBase,
            out.servicePayroll, out.servicePayrollEducation, out.servicePayrollCare, out.hourSharePerChild)
        && allFinite(p.generalPayPerPositionPedTotal, p.generalPayPerPosition, p.positionsPerGroupHour);
}

namespace families {

std::optional<double> evaluateNeeds(Reading& s, QuantityRef q) { return evaluateFamily(s, q); }
std::optional<Term> evaluateNeeds(Explaining& s, QuantityRef q) { return evaluateFamily(s, q); }

std::optional<double> storedNeeds(const CalcResults& results, QuantityRef q) noexcept
{
    const NeedResults& n = results.needs;
    const auto a = q.index<AgeGroup>(0);
    const auto r = q.index<StayRegime>(1);
    const auto o = q.index<O>(2);
    switch (q.kind) {
    case Q::ServiceCount:
        return n.serviceCount[a][r][o];
    case Q::DailyPupilHours:
        return n.dailyPupilHours[a][r][o];
    case Q::AnnualHoursPerChild:
        return n.annualHoursPerChild[a][r][o];
    case Q::PedNeedPerChild:
        return n.pedNeedPerChild[a][r][o];
    case Q::PedNeedWeighted:
        return n.pedNeedWeighted[a][r];
    case Q::PedNeed:
        return n.pedNeed[a][r];
    case Q::MaterialNeed:
        return n.materialNeed[a][r];
    case Q::MaterialNeedEducation:
        return n.materialNeedEducation[a][r];
    case Q::MaterialNeedCare:
        return n.materialNeedCare[a][r];
    case Q::AssistantNeedPerChild:
        return n.assistantNeedPerChild[a][r][o];
    case Q::AssistantNeedWeighted:
        return n.assistantNeedWeighted[a][r];
    case Q::AssistantNeed:
        return n.assistantNeed[a][r];
    case Q::HeadSalaryPupilCount:
        return n.headSalaryPupilCount;
    case Q::HeadSalaryBase:
        return n.headSalaryBase;
    case Q::HeadSalaryRaise:
        return n.headSalaryRaise;
    case Q::HeadSalary:
        return n.headSalary;
    case Q::DeputiesPayBase:
        return n.deputiesPayBase;
    case Q::DeputiesPay:
        return n.deputiesPay;
    case Q::AdminPayroll:
        return n.adminPayroll;
    case Q::AdminPayrollEducation:
        return n.adminPayrollEducation;
    case Q::AdminPayrollCare:
        return n.adminPayrollCare;
    case Q::ServicePayrollBase:
        return n.servicePayrollBase;
    case Q::ServicePayroll:
        return n.servicePayroll;
    case Q::ServicePayrollEducation:
        return n.servicePayrollEducation;
    case Q::ServicePayrollCare:
        return n.servicePayrollCare;
    case Q::HourSharePerChild:
        return n.hourSharePerChild[a][r];
    default:
        return std::nullopt;
    }
}

std::span<const QuantityWords> wordsNeeds() noexcept { return kWords; }

} // namespace families

} // namespace kvarton::calc
