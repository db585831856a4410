#include "random_work.h"

#include "model/defaults.h"
#include "model/regions.h"

namespace kvarton::test {

namespace {
using O = GroupOrientation;
} // namespace

const std::array<std::string, 14> kOddTexts{"", " ", "abc", "1.5", "-0", "1e308", "=1+1", "12 000", "1,5", "-1000", "0",
    "99999999999999999999", std::string(320, '9'), "922337203685477"};

RandomWork::RandomWork(std::uint32_t seed)
    : rng_(seed)
{
}

InstitutionModel RandomWork::model()
{
    InstitutionModel m;
    m.regionCoefficient = 1.0;
    resetToDefaults(m);
    randomInputs(m);
    return m;
}

InstitutionModel RandomWork::work()
{
    static const std::array<const char*, 8> kNames{"ГДОУ детский сад № 5", "МБДОУ «Солнышко»",
        "Детский сад общеразвивающего вида № 112 с приоритетным осуществлением деятельности", "ДОУ \"Радуга\" & Co <1>",
        "МАДОУ № 7", "ЦРР — детский сад № 3", "ГБДОУ 12", "Сад"};
    static const std::array<const char*, 5> kSurnames{"Иванова", "Петрова-Водкина", "Ли", "Щукина", "О'Нил"};
    static const std::array<const char*, 5> kInitials{"А", "П", "Ё", "", "Я"};
    const auto all = regions();
    const Region& region = all[static_cast<std::size_t>(pick(static_cast<int>(all.size())))];
    InstitutionModel m;
    m.regionName = std::string(region.name);
    m.regionCoefficient = region.coefficient;
    m.institutionName = kNames[static_cast<std::size_t>(pick(kNames.size()))];
    m.surname = kSurnames[static_cast<std::size_t>(pick(kSurnames.size()))];
    m.firstInitial = kInitials[static_cast<std::size_t>(pick(kInitials.size()))];
    m.patronymicInitial = kInitials[static_cast<std::size_t>(pick(kInitials.size()))];
    resetToDefaults(m);
    kopecks_ = true;
    // Now and then a learner leaves a step as the defaults show it.
    if (!chance(0.05))
        randomInputs(m);
    return m;
}

void RandomWork::randomInputs(InstitutionModel& m)
{
    for (GroupKind g : allOf<GroupKind>()) {
        list(m, fields::directStayHours(g), ListKind::StayModeHours);
        list(m, fields::otherStayHours(g), ListKind::StayModeHours);
        for (StaffRole r : allOf<StaffRole>()) {
            mostlyZero(m, fields::directHours(g, r), ListKind::RoleHours);
            mostlyZero(m, fields::otherHours(g, r), ListKind::RoleHours);
        }
    }
    staff(m, fields::payroll2011PedTotal(), fields::positions2011PedTotal(), 0.05);
    staff(m, fields::payroll2011Admin(), fields::positions2011Admin());
    staff(m, fields::payroll2011Medical(), fields::positions2011Medical());
    staff(m, fields::payroll2011Service(), fields::positions2011Service());
    for (StaffRole r : allOf<StaffRole>())
        staff(m, fields::payroll2011(r), fields::positions2011(r));
    for (StayRegime s : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            mostlyZero(m, fields::assignedServices(s, a), ListKind::Children);
    for (AgeGroup a : allOf<AgeGroup>())
        for (StayMode mode : allOf<StayMode>()) {
            // Compensating pupils are usually some of all pupils, now and then more.
            const auto all = fields::providedServices(a, O::GeneralDevelopment, mode);
            mostlyZero(m, all, ListKind::Children);
            const int total = listRow(ListKind::Children, field(m, all).displayText()).value_or(0);
            const int compensating = chance(0.002) ? total + 1 : pick(total + 1) * pick(2);
            commitText(m, fields::providedServices(a, O::Compensating, mode), std::to_string(compensating));
        }
    list(m, fields::incentiveShareNonPed(), ListKind::Percent1To99);
    list(m, fields::specialPartSharePed(), ListKind::Percent1To99);
    list(m, fields::compensationSharePed(), ListKind::Percent0To30);
    list(m, fields::awardsSharePed(), ListKind::Percent0To30);
    list(m, fields::deputySalaryCoefficient(), ListKind::Percent40To100);
    list(m, fields::adminPayrollTeachingShare(), ListKind::Percent0To100);
    list(m, fields::servicePayrollTeachingShare(), ListKind::Percent0To100);
    list(m, fields::materialCostsPercentOfPedPayroll(), ListKind::Percent0To20);
    list(m, fields::materialCostsTeachingShare(), ListKind::Percent0To100);
    list(m, fields::pedSalaryGrowthPercent2012(), ListKind::Percent0To50);
    list(m, fields::monthsPerYear(), ListKind::Months);
    list(m, fields::daysPerWeek(), ListKind::Days);
    for (O o : allOf<O>())
        for (AgeBand b : allOf<AgeBand>())
            list(m, fields::groupSize(o, b), ListKind::GroupSize);
    for (ServicePosition p : allOf<ServicePosition>()) {
        mostlyZero(m, fields::servicePositions(p), ListKind::Positions);
        if (hasSalary(p))
            amount(m, fields::serviceSalary(p));
    }
}

calc::NormativeGroup RandomWork::group() { return static_cast<calc::NormativeGroup>(pick(6)); }
calc::Method RandomWork::method() { return pick(2) == 0 ? calc::Method::ByRecommendations : calc::Method::ByAllNeeds; }
StayRegime RandomWork::view() { return pick(2) == 0 ? StayRegime::Day : StayRegime::ShortTerm; }

int RandomWork::pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
bool RandomWork::chance(double p) { return std::bernoulli_distribution(p)(rng_); }

const std::string& RandomWork::item(ListKind kind)
{
    const auto& items = listItems(kind);
    return items[static_cast<std::size_t>(pick(static_cast<int>(items.size())))];
}

// A list item; rarely a typed text instead.
void RandomWork::list(InstitutionModel& m, FieldRef f, ListKind kind)
{
    commitText(m, f, chance(0.0005) ? kOddTexts[static_cast<std::size_t>(pick(kOddTexts.size()))] : item(kind));
}

void RandomWork::mostlyZero(InstitutionModel& m, FieldRef f, ListKind kind, double zeroShare)
{
    if (chance(zeroShare))
        commitText(m, f, "0");
    else
        list(m, f, kind);
}

// A typed amount: usually whole roubles, at times with kopecks, now and then an odd text.
void RandomWork::amount(InstitutionModel& m, FieldRef f)
{
    if (chance(0.004))
        commitText(m, f, kOddTexts[static_cast<std::size_t>(pick(kOddTexts.size()))]);
    else if (chance(0.2))
        commitText(m, f, "0");
    else if (kopecks_ && chance(0.3))
        commitText(m, f, std::to_string(pick(8'000'000)) + "," + std::to_string(1 + pick(9999)));
    else
        commitText(m, f, std::to_string(pick(8'000'000)) + (chance(0.1) ? ",5" : ""));
}

// Positions of 2011 and their payroll, which is nearly always 0 without positions.
void RandomWork::staff(InstitutionModel& m, FieldRef payroll, FieldRef positions, double zeroShare)
{
    mostlyZero(m, positions, ListKind::Positions, zeroShare);
    if (field(m, positions).toNumber() == 0.0 && !chance(0.03))
        commitText(m, payroll, "0");
    else
        amount(m, payroll);
}

} // namespace kvarton::test
