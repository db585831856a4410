#pragma once

#include "enums.h"
#include "field_ref.h"
#include "model_value.h"
#include "results.h"

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
    // The file name of the learner's report this work was read from; "" for a learner's own work.
    std::string reportFile;
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

ModelValue& field(InstitutionModel& model, FieldRef r);
const ModelValue& field(const InstitutionModel& model, FieldRef r);

// Every input field of steps 1–12, step by step in the order of their controls' families.
std::span<const FieldRef> inputFields();

// The few fields held in single precision, on purpose: the course's figures come from them held as
// floats (DEVELOPERS.md).
bool isSingleField(FieldRef r) noexcept;

// What leaving a step does with the text of a control: store it unchanged, or, for a single
// field, the number it reads as.
void commitText(InstitutionModel& model, FieldRef r, const std::string& text);
// The value commitText would store, so that a screen can judge a text before it is committed.
ModelValue committedValue(FieldRef r, const std::string& text);

} // namespace kvarton
