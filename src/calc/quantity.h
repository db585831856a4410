#pragma once

#include "step_view.h"

#include "model/field_ref.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <variant>

namespace kvarton::calc {

// Every quantity the calculations of steps 13–16 compute, shown on a panel or used on the way, by
// meaning. A quantity's indices are the enumeration members given beside it, as numbers, in that
// order; what a quantity is worth depends on the inputs and on the options of the panel it is
// computed under (a StepOptions: step 14 computes the pupil-hour values by its own method, steps
// 15 and 16 by the first one, with and without the payroll accruals).
enum class Quantity : std::uint8_t {
    // The pupil-hour (steps 13 and 14; steps 15 and 16 count pupils, pay and positions as well).
    AnnualPupilHours, // [StayRegime][GroupOrientation]
    PupilCount, // [StayRegime][GroupOrientation]
    DirectHoursPerGroupHour, // [GroupKind], second method
    StaffHoursNeed, // [StayRegime][GroupOrientation], second method
    HoursPerPupil, // [StayRegime][GroupOrientation]
    PayPerPosition, // [StaffRole]
    PositionsPerGroupHour, // [GroupKind][StaffRole]
    AverageGroupSize, // [StayRegime][GroupOrientation]
    CellPupilHourCost, // [StayRegime][GroupOrientation]
    CellPayFund, // [StayRegime][GroupOrientation]
    PupilHourCost, // [StayRegime]
    // Incentive payments (step 14); a regime is the view's.
    SalaryFund, // [StayRegime]
    CompensationFund, // [StayRegime]
    AwardsFund, // [StayRegime]
    KeptShare,
    TimeRatio, // [GroupKind][StaffRole]
    CompensatingCoefTeacher, // [StayRegime]
    CompensatingCoefOther, // [StayRegime]
    RoleCoefGeneral, // [StayRegime][StaffRole]
    RoleCoefCompensating, // [StayRegime][StaffRole]
    RoleCoef, // [StayRegime][StaffRole]
    RoleDirectTime, // [StayRegime][StaffRole]
    RoleRaiseAmount, // [StayRegime][StaffRole]
    ShownRoleAmount, // [StayRegime][StaffRole]: the amount, or 0 without working time in the view
    // Needs per child and the payroll of the institution (steps 15 and 16).
    ServiceCount, // [AgeGroup][StayRegime][GroupOrientation]
    DailyPupilHours, // [AgeGroup][StayRegime][GroupOrientation]
    AnnualHoursPerChild, // [AgeGroup][StayRegime][GroupOrientation]
    PedNeedPerChild, // [AgeGroup][StayRegime][GroupOrientation]
    PedNeedWeighted, // [AgeGroup][StayRegime]
    PedNeed, // [AgeGroup][StayRegime]
    MaterialNeed, // [AgeGroup][StayRegime]
    MaterialNeedEducation, // [AgeGroup][StayRegime]
    MaterialNeedCare, // [AgeGroup][StayRegime]
    AssistantNeedPerChild, // [AgeGroup][StayRegime][GroupOrientation]
    AssistantNeedWeighted, // [AgeGroup][StayRegime]
    AssistantNeed, // [AgeGroup][StayRegime]
    HeadSalaryPupilCount,
    HeadSalaryBase,
    HeadSalaryRaise,
    HeadSalary,
    DeputiesPayBase,
    DeputiesPay,
    AdminPayroll,
    AdminPayrollEducation,
    AdminPayrollCare,
    ServicePayrollBase,
    ServicePayroll,
    ServicePayrollEducation,
    ServicePayrollCare,
    HourSharePerChild, // [AgeGroup][StayRegime]
    // The table of step 15 for the group of the options: its lines Total, Education and Care (the
    // sections) and the parts of the sections.
    HasProvidedHours, // [AgeGroup][StayRegime]
    SectionNormative, // [NormativeLine]
    SectionNeed, // [NormativeLine]
    SectionRemainder, // [NormativeLine]
    PartNormative, // [NormativeLine]
    PartNeed, // [NormativeLine]
    PartRemainder, // [NormativeLine]
    // The estimate (step 16).
    PedPayroll, // [StaffRole]
    PedSpecialPart, // [StaffRole]
    AssistantPayroll,
    AssistantSpecialPart,
    PedPayrollTotal,
    PedSpecialTotal,
    AdminTotal,
    AdminSpecial,
    ServiceSpecial,
    PayrollTotal,
    SpecialTotal,
    MaterialCosts,
    Expenses,
    SpecialAccrued,
    Subsidy,
    // What only the estimate's chart states, from the figures its table shows.
    AccrualsOnPay,
    SubsidyBalance,
};
inline constexpr std::size_t kQuantityCount = static_cast<std::size_t>(Quantity::SubsidyBalance) + 1;

// A quantity with its indices.
struct QuantityRef {
    Quantity kind{};
    std::array<std::uint8_t, 3> at{};

    template <typename E>
    E index(std::size_t n) const noexcept
    {
        return static_cast<E>(at[n]);
    }
    friend constexpr bool operator==(const QuantityRef&, const QuantityRef&) noexcept = default;
};

template <typename... E>
constexpr QuantityRef quantity(Quantity kind, E... indices) noexcept
{
    static_assert(sizeof...(E) <= 3);
    QuantityRef q{kind, {}};
    std::size_t n = 0;
    ((q.at[n++] = static_cast<std::uint8_t>(indices)), ...);
    return q;
}

// The numbers of the course a formula takes as they are: norms, calendar, the payroll accruals and
// the regional normatives of the learner's region.
enum class Constant : std::uint8_t {
    WeeksPerYear,
    MonthsPerYear,
    WeeklyHourNorm, // [GroupKind][StaffRole]
    AnnualHoursNorm, // [StaffRole][GroupKind]
    EmptyCellGroupSize,
    PayrollAccruals,
    HeadSalaryPupilFloor,
    HeadSalaryPupilStep,
    ServicePayrollMonths,
    RegionalNormative, // [StayRegime][AgeGroup][NormativePart]
};

struct ConstantRef {
    Constant kind{};
    std::array<std::uint8_t, 3> at{};

    template <typename E>
    E index(std::size_t n) const noexcept
    {
        return static_cast<E>(at[n]);
    }
    friend constexpr bool operator==(const ConstantRef&, const ConstantRef&) noexcept = default;
};

template <typename... E>
constexpr ConstantRef constant(Constant kind, E... indices) noexcept
{
    static_assert(sizeof...(E) <= 3);
    ConstantRef c{kind, {}};
    std::size_t n = 0;
    ((c.at[n++] = static_cast<std::uint8_t>(indices)), ...);
    return c;
}

// A figure that can be asked how it was obtained: a value label of a panel ("Label165"), or a
// quantity that only a chart beside the panel states (the accruals on pay, what the subsidy leaves).
struct FigureRef {
    std::string_view label; // empty for a quantity of a chart
    QuantityRef quantity{};

    static FigureRef ofLabel(std::string_view name) noexcept { return {name, {}}; }
    static FigureRef ofQuantity(QuantityRef q) noexcept { return {{}, q}; }
    bool isLabel() const noexcept { return !label.empty(); }
    friend bool operator==(const FigureRef& a, const FigureRef& b) noexcept
    {
        return a.label == b.label && (a.isLabel() || a.quantity == b.quantity);
    }
};

// What an operand of a formula is: an input of steps 1–12, another quantity, or a number of the
// course.
using OperandTarget = std::variant<FieldRef, QuantityRef, ConstantRef>;

} // namespace kvarton::calc
