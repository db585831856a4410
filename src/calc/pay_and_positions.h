#pragma once

#include "number_reader.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// 2012 pay of one position without the special part: the 2011 average grown by the planned
// percentage; 0 where there were no positions.
double payPerPosition(double payroll, double positions, double growthPercent, double specialPercent) noexcept;

// The stay modes (hours per day) for which the direct and the other hours of each kind are given.
struct StayHours {
    EnumArray<GroupKind, double> direct;
    EnumArray<GroupKind, double> other;
};
StayHours readStayHours(const InstitutionModel& in, NumberReader& read) noexcept;

// Positions of a role needed for one hour per week of a group's operation, from its direct and
// other daily hours in the group kind.
double positionsPerGroupHourOf(
    const InstitutionModel& in, NumberReader& read, const StayHours& stay, GroupKind k, StaffRole r) noexcept;

// The one member of the positions family held in single precision.
constexpr bool isSinglePositions(GroupKind k, StaffRole r) noexcept
{
    return k == GroupKind::GeneralShortTerm && r == StaffRole::SocialPedagogue;
}

// Pay per position (with the pedagogical total) and positions per weekly group-hour of roles
// 1–11, counted in hours of stay: the first method's form, which the needs use whatever method
// the pupil-hour cost used last.
void computePayAndPositions(const InstitutionModel& in, NumberReader& read, PupilHourResults& out) noexcept;

} // namespace kvarton::calc
