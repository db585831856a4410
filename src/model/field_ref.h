#pragma once

#include "enums.h"

#include <array>
#include <cassert>
#include <compare>
#include <cstddef>
#include <cstdint>

namespace kvarton {

// The families of fields a FieldRef addresses: every input of steps 1–12 and the regional
// normatives. The order here is this program's own; what outlives a run names a field by its
// text key (field_keys.h), never by these numbers.
enum class Field : std::uint8_t {
    DirectStayHours,
    DirectHours,
    OtherStayHours,
    OtherHours,
    Payroll2011PedTotal,
    Payroll2011,
    Payroll2011Admin,
    Payroll2011Medical,
    Payroll2011Service,
    Positions2011PedTotal,
    Positions2011,
    Positions2011Admin,
    Positions2011Medical,
    Positions2011Service,
    AssignedServices,
    ProvidedServices,
    IncentiveShareNonPed,
    SpecialPartSharePed,
    CompensationSharePed,
    AwardsSharePed,
    DeputySalaryCoefficient,
    AdminPayrollTeachingShare,
    ServicePayrollTeachingShare,
    MaterialCostsPercentOfPedPayroll,
    MaterialCostsTeachingShare,
    PedSalaryGrowthPercent2012,
    MonthsPerYear,
    DaysPerWeek,
    GroupSize,
    ServicePositions,
    ServiceSalary,
    RegionalNormative,
};
template <>
inline constexpr std::size_t kCount<Field> = 32;

class FieldRef;
namespace detail {
constexpr FieldRef makeFieldRef(Field family, std::size_t i = 0, std::size_t j = 0, std::size_t k = 0) noexcept;
} // namespace detail

// The address of one field, so that screens and the report can bind controls and cells to fields
// through tables. Made by the factories in `fields` below, which take each family's indices as
// their own enumerations: arguments in the wrong order do not compile.
class FieldRef final {
public:
    constexpr FieldRef() noexcept = default;

    constexpr Field family() const noexcept { return family_; }
    // The n-th index of the family (an enumeration member as its number), in the order of the
    // factory's arguments; 0 beyond the family's dimensions.
    constexpr std::size_t index(std::size_t n) const noexcept { return indices_[n]; }

    friend constexpr bool operator==(FieldRef, FieldRef) noexcept = default;
    friend constexpr auto operator<=>(FieldRef, FieldRef) noexcept = default;

private:
    friend constexpr FieldRef detail::makeFieldRef(Field, std::size_t, std::size_t, std::size_t) noexcept;

    Field family_{};
    std::array<std::uint8_t, 3> indices_{};
};

namespace detail {
constexpr FieldRef makeFieldRef(Field family, std::size_t i, std::size_t j, std::size_t k) noexcept
{
    FieldRef r;
    r.family_ = family;
    r.indices_ = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), static_cast<std::uint8_t>(k)};
    return r;
}
} // namespace detail

// A dense number for every field, 0 … kFieldSlots − 1: what a table with one entry per field is
// indexed by.
namespace detail {
// The sizes of each family's indices, in the order of its factory's arguments (1 beyond them).
inline constexpr std::array<std::array<std::uint8_t, 3>, kCount<Field>> kFieldDimensions{{
    {3, 1, 1}, // DirectStayHours [GroupKind]
    {3, 12, 1}, // DirectHours [GroupKind][StaffRole]
    {3, 1, 1}, // OtherStayHours
    {3, 12, 1}, // OtherHours
    {1, 1, 1}, // Payroll2011PedTotal
    {12, 1, 1}, // Payroll2011 [StaffRole]
    {1, 1, 1}, // Payroll2011Admin
    {1, 1, 1}, // Payroll2011Medical
    {1, 1, 1}, // Payroll2011Service
    {1, 1, 1}, // Positions2011PedTotal
    {12, 1, 1}, // Positions2011 [StaffRole]
    {1, 1, 1}, // Positions2011Admin
    {1, 1, 1}, // Positions2011Medical
    {1, 1, 1}, // Positions2011Service
    {2, 3, 1}, // AssignedServices [StayRegime][AgeGroup]
    {3, 2, 10}, // ProvidedServices [AgeGroup][GroupOrientation][StayMode]
    {1, 1, 1}, // IncentiveShareNonPed
    {1, 1, 1}, // SpecialPartSharePed
    {1, 1, 1}, // CompensationSharePed
    {1, 1, 1}, // AwardsSharePed
    {1, 1, 1}, // DeputySalaryCoefficient
    {1, 1, 1}, // AdminPayrollTeachingShare
    {1, 1, 1}, // ServicePayrollTeachingShare
    {1, 1, 1}, // MaterialCostsPercentOfPedPayroll
    {1, 1, 1}, // MaterialCostsTeachingShare
    {1, 1, 1}, // PedSalaryGrowthPercent2012
    {1, 1, 1}, // MonthsPerYear
    {1, 1, 1}, // DaysPerWeek
    {2, 2, 1}, // GroupSize [GroupOrientation][AgeBand]
    {13, 1, 1}, // ServicePositions [ServicePosition]
    {13, 1, 1}, // ServiceSalary [ServicePosition]
    {2, 3, 3}, // RegionalNormative [StayRegime][AgeGroup][NormativePart]
}};

// The first slot of each family, and after them all the number of slots.
inline constexpr std::array<std::size_t, kCount<Field> + 1> kFirstSlots = [] {
    std::array<std::size_t, kCount<Field> + 1> first{};
    for (std::size_t f = 0; f < kCount<Field>; ++f) {
        const auto& d = kFieldDimensions[f];
        first[f + 1] = first[f] + std::size_t{d[0]} * d[1] * d[2];
    }
    return first;
}();
} // namespace detail

inline constexpr std::size_t kFieldSlots = detail::kFirstSlots[kCount<Field>];

constexpr std::size_t slotOf(FieldRef r) noexcept
{
    const auto family = static_cast<std::size_t>(r.family());
    const auto& d = detail::kFieldDimensions[family];
    return detail::kFirstSlots[family] + (r.index(0) * d[1] + r.index(1)) * d[2] + r.index(2);
}

// One factory per family, named as the model's member.
namespace fields {

using detail::makeFieldRef;

// Working time, steps 1–6 (hours per day).
constexpr FieldRef directStayHours(GroupKind g) noexcept { return makeFieldRef(Field::DirectStayHours, ix(g)); }
constexpr FieldRef directHours(GroupKind g, StaffRole r) noexcept
{
    return makeFieldRef(Field::DirectHours, ix(g), ix(r));
}
constexpr FieldRef otherStayHours(GroupKind g) noexcept { return makeFieldRef(Field::OtherStayHours, ix(g)); }
constexpr FieldRef otherHours(GroupKind g, StaffRole r) noexcept
{
    return makeFieldRef(Field::OtherHours, ix(g), ix(r));
}

// 2011 payroll (step 7) and positions (step 8).
constexpr FieldRef payroll2011PedTotal() noexcept { return makeFieldRef(Field::Payroll2011PedTotal); }
constexpr FieldRef payroll2011(StaffRole r) noexcept { return makeFieldRef(Field::Payroll2011, ix(r)); }
constexpr FieldRef payroll2011Admin() noexcept { return makeFieldRef(Field::Payroll2011Admin); }
constexpr FieldRef payroll2011Medical() noexcept { return makeFieldRef(Field::Payroll2011Medical); }
constexpr FieldRef payroll2011Service() noexcept { return makeFieldRef(Field::Payroll2011Service); }
constexpr FieldRef positions2011PedTotal() noexcept { return makeFieldRef(Field::Positions2011PedTotal); }
constexpr FieldRef positions2011(StaffRole r) noexcept { return makeFieldRef(Field::Positions2011, ix(r)); }
constexpr FieldRef positions2011Admin() noexcept { return makeFieldRef(Field::Positions2011Admin); }
constexpr FieldRef positions2011Medical() noexcept { return makeFieldRef(Field::Positions2011Medical); }
constexpr FieldRef positions2011Service() noexcept { return makeFieldRef(Field::Positions2011Service); }

// 2012 services, steps 9–10.
constexpr FieldRef assignedServices(StayRegime s, AgeGroup a) noexcept
{
    return makeFieldRef(Field::AssignedServices, ix(s), ix(a));
}
constexpr FieldRef providedServices(AgeGroup a, GroupOrientation o, StayMode m) noexcept
{
    return makeFieldRef(Field::ProvidedServices, ix(a), ix(o), ix(m));
}

// Simulation parameters, step 11.
constexpr FieldRef incentiveShareNonPed() noexcept { return makeFieldRef(Field::IncentiveShareNonPed); }
constexpr FieldRef specialPartSharePed() noexcept { return makeFieldRef(Field::SpecialPartSharePed); }
constexpr FieldRef compensationSharePed() noexcept { return makeFieldRef(Field::CompensationSharePed); }
constexpr FieldRef awardsSharePed() noexcept { return makeFieldRef(Field::AwardsSharePed); }
constexpr FieldRef deputySalaryCoefficient() noexcept { return makeFieldRef(Field::DeputySalaryCoefficient); }
constexpr FieldRef adminPayrollTeachingShare() noexcept { return makeFieldRef(Field::AdminPayrollTeachingShare); }
constexpr FieldRef servicePayrollTeachingShare() noexcept { return makeFieldRef(Field::ServicePayrollTeachingShare); }
constexpr FieldRef materialCostsPercentOfPedPayroll() noexcept
{
    return makeFieldRef(Field::MaterialCostsPercentOfPedPayroll);
}
constexpr FieldRef materialCostsTeachingShare() noexcept { return makeFieldRef(Field::MaterialCostsTeachingShare); }
constexpr FieldRef pedSalaryGrowthPercent2012() noexcept { return makeFieldRef(Field::PedSalaryGrowthPercent2012); }
constexpr FieldRef monthsPerYear() noexcept { return makeFieldRef(Field::MonthsPerYear); }
constexpr FieldRef daysPerWeek() noexcept { return makeFieldRef(Field::DaysPerWeek); }
constexpr FieldRef groupSize(GroupOrientation o, AgeBand b) noexcept
{
    return makeFieldRef(Field::GroupSize, ix(o), ix(b));
}

// Service staff of 2012, step 12. The deputies have positions but no salary field.
constexpr FieldRef servicePositions(ServicePosition p) noexcept { return makeFieldRef(Field::ServicePositions, ix(p)); }
constexpr FieldRef serviceSalary(ServicePosition p) noexcept
{
    assert(hasSalary(p));
    return makeFieldRef(Field::ServiceSalary, ix(p));
}

// The regional normatives, set with the defaults.
constexpr FieldRef regionalNormative(StayRegime s, AgeGroup a, NormativePart p) noexcept
{
    return makeFieldRef(Field::RegionalNormative, ix(s), ix(a), ix(p));
}

} // namespace fields

} // namespace kvarton
