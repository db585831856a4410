#pragma once

#include "numbers.h"
#include "step_view.h"

#include "model/institution_model.h"

namespace kvarton::calc {

// The cost of one pupil-hour by a method (step 13, and again under step 14): pupil-hours and
// counts, pay per position, positions per group-hour, hours basis, group sizes, the cost of each
// cell and the two weighted costs shown. Reads the inputs of `in` and writes `out`; returns false,
// leaving `out` partly written, when an input it reads is not a number. A cost that cannot be
// computed (a typed zero stay mode or group size, no direct hours of roles 1–11 under the second
// method) stays not finite in `out` and shows "-".
bool calculatePupilHourCost(const InstitutionModel& in, Method method, CalcResults& out) noexcept;

// The pupils of each cell and their hours of stay in a year (calculation A), from the inputs alone:
// the same under both methods, and what the head's salary of steps 15 and 16 counts.
void countPupilHours(Reading& s, PupilHourResults& out) noexcept;

// The hours basis of the method of `s` in a cell: hours of stay, or hours of direct work received.
template <typename S>
NumberOf<S> hoursBasis(S& s, StayRegime r, GroupOrientation o)
{
    const Quantity basis
        = s.options().method == Method::ByRecommendations ? Quantity::AnnualPupilHours : Quantity::StaffHoursNeed;
    return s.quantity(quantity(basis, r, o));
}

// The ten value labels of step 13 for the method computed.
StepView showPupilHourCost(const InstitutionModel& in, const CalcResults& results, Method method);

} // namespace kvarton::calc
