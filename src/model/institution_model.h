#pragma once

#include "enums.h"
#include "model_value.h"
#include "results.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kvarton {

template <typename E, typename T>
using By = EnumArray<E, T>;

// The one shared state of a run: identity, every input of steps 1–12, the regional normatives and
// the results of steps 13–16. Created empty, never saved.
struct InstitutionModel {
    // Identity, stored as typed.
    std::string regionName;
    std::string institutionName;
    std::string surname;
    std::string firstInitial;
    std::string patronymicInitial;
    std::optional<double> regionCoefficient; // empty until a known region is confirmed
    int currentStep = 0; // 1–16 once the wizard runs; 0 before

    // Working time, steps 1–6 (hours per day).
    By<GroupKind, ModelValue> directStayHours;
    By<GroupKind, By<StaffRole, ModelValue>> directHours;
    By<GroupKind, ModelValue> otherStayHours;
    By<GroupKind, By<StaffRole, ModelValue>> otherHours; // [Compensating][TeacherAssistant] single

    // 2011 payroll (roubles per year, step 7) and positions (step 8).
    ModelValue payroll2011PedTotal;
    By<StaffRole, ModelValue> payroll2011;
    ModelValue payroll2011Admin;
    ModelValue payroll2011Medical;
    ModelValue payroll2011Service;
    ModelValue positions2011PedTotal;
    By<StaffRole, ModelValue> positions2011;
    ModelValue positions2011Admin;
    ModelValue positions2011Medical;
    ModelValue positions2011Service; // single

    // 2012 services, steps 9–10 (children).
    By<StayRegime, By<AgeGroup, ModelValue>> assignedServices;
    By<AgeGroup, By<GroupOrientation, By<StayMode, ModelValue>>> providedServices;

    // Simulation parameters, step 11 (percent unless noted).
    ModelValue incentiveShareNonPed;
    ModelValue specialPartSharePed;
    ModelValue compensationSharePed;
    ModelValue awardsSharePed;
    ModelValue deputySalaryCoefficient;
    ModelValue adminPayrollTeachingShare;
    ModelValue servicePayrollTeachingShare;
    ModelValue materialCostsPercentOfPedPayroll;
    ModelValue materialCostsTeachingShare;
    ModelValue pedSalaryGrowthPercent2012;
    ModelValue monthsPerYear;
    ModelValue daysPerWeek;
    By<GroupOrientation, By<AgeBand, ModelValue>> groupSize; // [Compensating][ThreeAndOver] single

    // Service staff of 2012, step 12: positions and monthly salary of one position.
    By<ServicePosition, ModelValue> servicePositions;
    By<ServicePosition, ModelValue> serviceSalary; // no salary for the deputies; [OtherPositions] single

    // Annual financing normative per child in the region (roubles, single).
    By<StayRegime, By<AgeGroup, By<NormativePart, ModelValue>>> regionalNormative;

    CalcResults results;
};

// The address of one input field, so that screens and the report can bind controls and cells to
// fields through tables. The indices are the enumeration members of the field's family, in order.
enum class Field : std::uint8_t {
    DirectStayHours, // [GroupKind]
    DirectHours, // [GroupKind][StaffRole]
    OtherStayHours, // [GroupKind]
    OtherHours, // [GroupKind][StaffRole]
    Payroll2011PedTotal,
    Payroll2011, // [StaffRole]
    Payroll2011Admin,
    Payroll2011Medical,
    Payroll2011Service,
    Positions2011PedTotal,
    Positions2011, // [StaffRole]
    Positions2011Admin,
    Positions2011Medical,
    Positions2011Service,
    AssignedServices, // [StayRegime][AgeGroup]
    ProvidedServices, // [AgeGroup][GroupOrientation][StayMode]
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
    GroupSize, // [GroupOrientation][AgeBand]
    ServicePositions, // [ServicePosition]
    ServiceSalary, // [ServicePosition]
    RegionalNormative, // [StayRegime][AgeGroup][NormativePart]
};

struct FieldRef {
    Field field{};
    std::uint8_t i = 0;
    std::uint8_t j = 0;
    std::uint8_t k = 0;
    friend constexpr bool operator==(FieldRef, FieldRef) noexcept = default;
};

template <typename... E>
constexpr FieldRef ref(Field f, E... indices) noexcept
{
    static_assert(sizeof...(E) <= 3);
    const std::array<std::uint8_t, sizeof...(E) + 1> idx{static_cast<std::uint8_t>(ix(indices))..., 0};
    FieldRef r{f};
    if constexpr (sizeof...(E) > 0)
        r.i = idx[0];
    if constexpr (sizeof...(E) > 1)
        r.j = idx[1];
    if constexpr (sizeof...(E) > 2)
        r.k = idx[2];
    return r;
}

ModelValue& field(InstitutionModel& model, FieldRef r);
const ModelValue& field(const InstitutionModel& model, FieldRef r);

// Every input field of steps 1–12, step by step in the order of their controls' families.
std::span<const FieldRef> inputFields();

// The few fields held in single precision.
bool isSingleField(FieldRef r) noexcept;

// What leaving a step does with the text of a control: store it unchanged, or, for a single
// field, the number it reads as.
void commitText(InstitutionModel& model, FieldRef r, const std::string& text);

} // namespace kvarton
