#include "defaults.h"

#include "conversion.h"

#include <array>

namespace kvarton {

namespace {

template <typename E>
using Row = std::array<double, kCount<E>>;

// Working time, roles in StaffRole order.
constexpr By<GroupKind, double> kStayHours{{12, 4, 12}};
constexpr By<GroupKind, Row<StaffRole>> kDirectHours{{{
    {10, 1, 0, 0.5, 0, 0, 0, 0, 1, 0, 0, 12},
    {3.5, 0.3, 0, 0.2, 0, 0, 0, 0, 0.35, 0, 0, 4},
    {10, 1, 0, 0.5, 0, 0, 0, 0, 1, 0, 4, 12},
}}};
constexpr By<GroupKind, Row<StaffRole>> kOtherHours{{{
    {0, 0.2, 0, 0.25, 0, 0, 0, 0, 0.8, 0, 0, 0},
    {0, 0.1, 0, 0.05, 0, 0, 0, 0, 0.25, 0, 0, 0},
    {0, 0.2, 0, 0.25, 0, 0, 0, 0, 0.8, 0, 4, 0},
}}};

// 2011 data: money in St Petersburg roubles.
constexpr Row<StaffRole> kPayroll2011{4304792, 456000, 0, 240000, 0, 0, 0, 0, 489767, 0, 1222214, 1564016};
constexpr Row<StaffRole> kPositions2011{16.7, 1.9, 0, 1, 0, 0, 0, 0, 1.9, 0, 4.4, 7.1};

struct FieldDefault {
    FieldRef ref;
    double value;
    bool money; // St Petersburg amount, scaled by the region and stored as text
};

constexpr std::array<FieldDefault, 41> kScalarDefaults{{
    {fields::payroll2011PedTotal(), 6726023, true},
    {fields::payroll2011Admin(), 1486896, true},
    {fields::payroll2011Medical(), 220284, true},
    {fields::payroll2011Service(), 256999, true},
    {fields::positions2011PedTotal(), 25.9, false},
    {fields::positions2011Admin(), 2, false},
    {fields::positions2011Medical(), 1, false},
    {fields::positions2011Service(), 14, false},
    {fields::assignedServices(StayRegime::ShortTerm, AgeGroup::Junior), 0, false},
    {fields::assignedServices(StayRegime::ShortTerm, AgeGroup::Middle), 20, false},
    {fields::assignedServices(StayRegime::ShortTerm, AgeGroup::Senior), 0, false},
    {fields::assignedServices(StayRegime::Day, AgeGroup::Junior), 0, false},
    {fields::assignedServices(StayRegime::Day, AgeGroup::Middle), 50, false},
    {fields::assignedServices(StayRegime::Day, AgeGroup::Senior), 30, false},
    {fields::incentiveShareNonPed(), 20, false},
    {fields::specialPartSharePed(), 36, false},
    {fields::compensationSharePed(), 10, false},
    {fields::awardsSharePed(), 5, false},
    {fields::deputySalaryCoefficient(), 80, false},
    {fields::adminPayrollTeachingShare(), 50, false},
    {fields::servicePayrollTeachingShare(), 10, false},
    {fields::materialCostsPercentOfPedPayroll(), 12, false},
    {fields::materialCostsTeachingShare(), 60, false},
    {fields::pedSalaryGrowthPercent2012(), 15, false},
    {fields::monthsPerYear(), 10, false},
    {fields::daysPerWeek(), 5, false},
    {fields::groupSize(GroupOrientation::GeneralDevelopment, AgeBand::UnderThree), 15, false},
    {fields::groupSize(GroupOrientation::GeneralDevelopment, AgeBand::ThreeAndOver), 20, false},
    {fields::groupSize(GroupOrientation::Compensating, AgeBand::UnderThree), 8, false},
    {fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver), 10, false},
    {fields::serviceSalary(ServicePosition::Accountant), 16000, true},
    {fields::serviceSalary(ServicePosition::Clerk), 14000, true},
    {fields::serviceSalary(ServicePosition::Medical), 15000, true},
    {fields::serviceSalary(ServicePosition::Chef), 0, true},
    {fields::serviceSalary(ServicePosition::Cook), 14000, true},
    {fields::serviceSalary(ServicePosition::Storekeeper), 14000, true},
    {fields::serviceSalary(ServicePosition::LinenKeeper), 14000, true},
    {fields::serviceSalary(ServicePosition::LaundryWorker), 14000, true},
    {fields::serviceSalary(ServicePosition::Loader), 14000, true},
    {fields::serviceSalary(ServicePosition::RepairWorker), 14000, true},
    {fields::serviceSalary(ServicePosition::OtherPositions), 14000, true},
}};

constexpr Row<ServicePosition> kServicePositions{1, 0, 1, 1, 1, 0, 4, 1, 1.5, 1, 1, 1, 2.5};

// Providing services: 0 everywhere but these four cells.
struct ServiceDefault {
    AgeGroup age;
    GroupOrientation orientation;
    StayMode mode;
    double children;
};
constexpr std::array<ServiceDefault, 4> kProvidedServices{{
    {AgeGroup::Middle, GroupOrientation::GeneralDevelopment, StayMode::Hours3, 20},
    {AgeGroup::Middle, GroupOrientation::GeneralDevelopment, StayMode::Hours10, 50},
    {AgeGroup::Middle, GroupOrientation::Compensating, StayMode::Hours10, 20},
    {AgeGroup::Senior, GroupOrientation::GeneralDevelopment, StayMode::Hours14, 30},
}};

// [StayRegime][AgeGroup][NormativePart]: Total = Education + Care.
constexpr double kNormativeBase[2][3][3] = {
    {{38700, 14100, 24600}, {48000, 48000, 0}, {65900, 65900, 0}},
    {{110000, 67440, 42560}, {115000, 79920, 35080}, {120000, 93200, 26800}},
};

ModelValue number(double v)
{
    const auto whole = static_cast<std::int64_t>(v);
    return static_cast<double>(whole) == v ? ModelValue::integer(whole) : ModelValue::real(v);
}

// Stores a default, a single field receiving the number in single precision.
void put(InstitutionModel& m, FieldRef r, ModelValue v)
{
    ModelValue& target = field(m, r);
    target = isSingleField(r) ? ModelValue::single(toSingle(v.toNumber().value_or(0))) : std::move(v);
}

} // namespace

double regionalNormativeBase(StayRegime s, AgeGroup a, NormativePart p) noexcept
{
    return kNormativeBase[ix(s)][ix(a)][ix(p)];
}

std::string moneyDefault(double baseAmount, std::optional<double> coefficient)
{
    return coefficient ? format(baseAmount * *coefficient, Pattern::Whole) : std::string("0");
}

void resetToDefaults(InstitutionModel& m)
{
    const auto k = m.regionCoefficient;
    for (GroupKind g : allOf<GroupKind>()) {
        put(m, fields::directStayHours(g), number(kStayHours[g]));
        put(m, fields::otherStayHours(g), number(kStayHours[g]));
        for (StaffRole r : allOf<StaffRole>()) {
            put(m, fields::directHours(g, r), number(kDirectHours[g][ix(r)]));
            put(m, fields::otherHours(g, r), number(kOtherHours[g][ix(r)]));
        }
    }
    for (StaffRole r : allOf<StaffRole>()) {
        put(m, fields::payroll2011(r), ModelValue::text(moneyDefault(kPayroll2011[ix(r)], k)));
        put(m, fields::positions2011(r), number(kPositions2011[ix(r)]));
    }
    for (const FieldDefault& d : kScalarDefaults)
        put(m, d.ref, d.money ? ModelValue::text(moneyDefault(d.value, k)) : number(d.value));
    for (ServicePosition p : allOf<ServicePosition>())
        put(m, fields::servicePositions(p), number(kServicePositions[ix(p)]));

    for (AgeGroup a : allOf<AgeGroup>())
        for (GroupOrientation o : allOf<GroupOrientation>())
            for (StayMode mode : allOf<StayMode>())
                put(m, fields::providedServices(a, o, mode), number(0));
    for (const ServiceDefault& d : kProvidedServices)
        put(m, fields::providedServices(d.age, d.orientation, d.mode), number(d.children));

    // The normatives are the base amounts rounded in the region, held in single precision.
    for (StayRegime s : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            for (NormativePart p : allOf<NormativePart>())
                put(m, fields::regionalNormative(s, a, p),
                    ModelValue::text(moneyDefault(kNormativeBase[ix(s)][ix(a)][ix(p)], k)));
}

} // namespace kvarton
