#pragma once

#include "model/enums.h"

namespace kvarton::calc {

// Fixed norms and constants of the calculations.

inline constexpr double kWeeksPerYear = 52;
inline constexpr double kMonthsPerYear = 12;
inline constexpr double kEmptyCellGroupSize = 20; // pupils per group of a cell without pupils

// Payroll plus accruals on payroll.
inline constexpr double PayrollAccrualRate = 1.342;

// The head's salary grows by one average salary with every further 120 pupils beyond 60.
inline constexpr double kHeadSalaryPupilFloor = 60;
inline constexpr double kHeadSalaryPupilStep = 120;
// Monthly salaries of the service staff to the annual payroll.
inline constexpr double kServicePayrollMonths = 12;

// Hours per week of one position of a role in a kind of group. The assistant's norm serves the
// need computation only; the pupil-hour cost counts roles 1–11.
inline constexpr EnumArray<GroupKind, EnumArray<StaffRole, double>> weeklyHourNorm{{{
    {{{36, 24, 36, 30, 24, 36, 36, 36, 36, 30, 20, 40}}},
    {{{36, 24, 36, 30, 24, 36, 36, 36, 36, 30, 20, 40}}},
    {{{25, 24, 36, 30, 24, 36, 36, 36, 36, 30, 20, 25}}},
}}};

// Hours per year of one position: 48 weeks of the weekly norm. The general norm serves the
// general-group coefficients and every amount, the compensating one the compensating coefficient.
inline constexpr double kWorkWeeksPerYear = 48;
constexpr double annualHoursNorm(StaffRole r, GroupKind k) noexcept { return kWorkWeeksPerYear * weeklyHourNorm[k][r]; }

// The group kind whose working time serves a cell: compensating groups alike in both regimes.
constexpr GroupKind kindOf(StayRegime s, GroupOrientation o) noexcept
{
    if (o == GroupOrientation::Compensating)
        return GroupKind::Compensating;
    return s == StayRegime::Day ? GroupKind::GeneralDay : GroupKind::GeneralShortTerm;
}

constexpr AgeBand bandOf(AgeGroup a) noexcept
{
    return a == AgeGroup::Junior ? AgeBand::UnderThree : AgeBand::ThreeAndOver;
}

// The eleven pedagogical roles, in model order.
constexpr auto pedagogicalRoles() noexcept
{
    std::array<StaffRole, kPedagogicalRoleCount> roles{};
    for (std::size_t i = 0; i < roles.size(); ++i)
        roles[i] = static_cast<StaffRole>(i);
    return roles;
}

} // namespace kvarton::calc
