#pragma once

#include "norms.h"
#include "numbers.h"

namespace kvarton::calc {

// The one member of the positions family held in single precision.
constexpr bool isSinglePositions(GroupKind k, StaffRole r) noexcept
{
    return k == GroupKind::GeneralShortTerm && r == StaffRole::SocialPedagogue;
}

// 2012 pay of one position without the special part: the 2011 average grown by the planned
// percentage; 0 where there were no positions.
template <typename S>
NumberOf<S> payPerPositionOf(S& s, FieldRef payroll, FieldRef positions)
{
    const auto fund = s.input(payroll);
    const auto count = s.input(positions);
    const auto growth = s.input(fields::pedSalaryGrowthPercent2012());
    const auto special = s.input(fields::specialPartSharePed());
    if (isZero(count))
        return s.ruled(0, "в 2011 году у должности не было ставок, поэтому оплата одной ставки 0", count);
    return (fund / count) * (1 + growth / 100) * (1 - special / 100);
}

template <typename S>
NumberOf<S> payPerPosition(S& s, StaffRole r)
{
    return payPerPositionOf(s, fields::payroll2011(r), fields::positions2011(r));
}

// Positions of a role needed for one hour per week of a group's operation, from its direct and
// other daily hours in the group kind, counted in hours of stay.
template <typename S>
NumberOf<S> positionsPerStayHour(S& s, GroupKind k, StaffRole r)
{
    const auto direct = s.input(fields::directHours(k, r)) / s.input(fields::directStayHours(k));
    const auto other = s.input(fields::otherHours(k, r)) / s.input(fields::otherStayHours(k));
    const auto positions = (direct + other) / s.constant(constant(Constant::WeeklyHourNorm, k, r));
    return isSinglePositions(k, r) ? s.single(positions) : positions;
}

// The positions as a method counts them: the second method counts an hour of direct work received,
// not an hour of stay. Steps 15 and 16 (and the teacher's assistant, whom only they count) always
// count hours of stay.
template <typename S>
NumberOf<S> positionsPerGroupHour(S& s, GroupKind k, StaffRole r)
{
    const auto positions = positionsPerStayHour(s, k, r);
    if (s.options().method == Method::ByRecommendations || !isPedagogical(r))
        return positions;
    const auto perDirectHour = positions / s.quantity(quantity(Quantity::DirectHoursPerGroupHour, k));
    return isSinglePositions(k, r) ? s.single(perDirectHour) : perDirectHour;
}

// Pay per position (with the pedagogical total) and positions per weekly group-hour of roles
// 1–11, counted as the method of `s` counts them.
void computePayAndPositions(Reading& s, PupilHourResults& out) noexcept;

} // namespace kvarton::calc
