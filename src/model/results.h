#pragma once

#include "enums.h"

#include <optional>

namespace kvarton {

// The results of the calculation steps 13–16, kept in the model next to the inputs. A result that
// was never computed is 0, which is what an empty field counts as in arithmetic. Fields marked
// "single" hold a value that went through a 32-bit float when it was stored, on purpose
// (DEVELOPERS.md, "Single precision, on purpose").

template <typename T>
using PerCell = EnumArray<StayRegime, EnumArray<GroupOrientation, T>>; // [StayRegime][GroupOrientation]
template <typename T>
using PerGroup = EnumArray<AgeGroup, EnumArray<StayRegime, T>>; // [AgeGroup][StayRegime]
template <typename T>
using PerGroupCell = EnumArray<AgeGroup, EnumArray<StayRegime, EnumArray<GroupOrientation, T>>>;

// Flags of the input check run on entry into every calculation step: 1 passed, 0 failed.
struct InputCheckResults {
    EnumArray<GroupKind, double> checkDirectHours{};
    double checkPositionsForPayroll = 0;
    double checkServiceCounts = 0;
    double checkNumericPay = 0; // single

    friend bool operator==(const InputCheckResults&, const InputCheckResults&) = default;
};

// Cost of a pupil-hour (step 13, rerun by step 14). Cells count compensating pupils in both
// orientations of their regime.
struct PupilHourResults {
    PerCell<double> annualPupilHours{};
    PerCell<double> pupilCount{};
    EnumArray<GroupKind, double> directHoursPerGroupHour{}; // by-all-needs method only; [Compensating] single
    PerCell<double> staffHoursNeed{}; // by-all-needs method only
    PerCell<double> hoursPerPupil{};
    double generalPayPerPositionPedTotal = 0;
    // Roles 1–11 by the pupil-hour calculation; [TeacherAssistant] only by the need computation.
    EnumArray<StaffRole, double> generalPayPerPosition{};
    // [GeneralShortTerm][SocialPedagogue] single; [..][TeacherAssistant] only by the need computation.
    EnumArray<GroupKind, EnumArray<StaffRole, double>> positionsPerGroupHour{};
    PerCell<double> averageGroupSize{}; // [ShortTerm][Compensating] single
    PerCell<double> pupilHourCost{};
    PerCell<double> payFundByPupilHours{};
    double pupilHourCostDay = 0;
    double pupilHourCostShortTerm = 0;

    friend bool operator==(const PupilHourResults&, const PupilHourResults&) = default;
};

// Incentive payments of the pedagogical staff (step 14), for the method computed last.
struct IncentiveResults {
    double pupilHourSalaryFund = 0;
    double pupilHourSalaryFundShortTerm = 0;
    double compensationFund = 0;
    double awardsFund = 0;
    double compensationFundShortTerm = 0;
    double awardsFundShortTerm = 0;
    double keptShare = 0; // of the payroll, without the incentive payments
    EnumArray<GroupKind, EnumArray<StaffRole, double>> timeRatio{};
    // A number, or nullopt for the coefficient that cannot be given (shown "-").
    EnumArray<StayRegime, std::optional<double>> compensatingCoefTeacher{{{0.0, 0.0}}};
    EnumArray<StayRegime, std::optional<double>> compensatingCoefOther{{{0.0, 0.0}}};
    EnumArray<StayRegime, EnumArray<StaffRole, double>> roleCoefGeneral{};
    EnumArray<StayRegime, EnumArray<StaffRole, double>> roleCoefCompensating{};
    EnumArray<StayRegime, EnumArray<StaffRole, double>> roleCoef{};
    // The direct working time the pupil-hours call for, which the raise amount prices.
    EnumArray<StayRegime, EnumArray<StaffRole, double>> roleDirectTime{};
    EnumArray<StayRegime, EnumArray<StaffRole, double>> roleRaiseAmount{};

    friend bool operator==(const IncentiveResults&, const IncentiveResults&) = default;
};

// Needs per child and the institution's administrative and service payroll (steps 15 and 16).
struct NeedResults {
    PerGroupCell<double> serviceCount{};
    PerGroupCell<double> dailyPupilHours{};
    PerGroupCell<double> annualHoursPerChild{};
    PerGroupCell<double> pedNeedPerChild{}; // [Senior][Day][Compensating] single
    PerGroupCell<double> assistantNeedPerChild{}; // [Senior][Day][Compensating] single
    PerGroup<double> pedNeedWeighted{};
    PerGroup<double> assistantNeedWeighted{};
    PerGroup<double> pedNeed{}; // [Senior][Day] single
    PerGroup<double> assistantNeed{}; // [Senior][Day] single
    PerGroup<double> materialNeed{};
    PerGroup<double> materialNeedEducation{};
    PerGroup<double> materialNeedCare{};
    double headSalaryPupilCount = 0;
    double headSalaryBase = 0;
    double headSalaryRaise = 0;
    double headSalary = 0;
    double deputiesPayBase = 0;
    double deputiesPay = 0;
    double adminPayroll = 0;
    double adminPayrollEducation = 0;
    double adminPayrollCare = 0;
    double servicePayrollBase = 0;
    double servicePayroll = 0;
    double servicePayrollEducation = 0;
    double servicePayrollCare = 0;
    PerGroup<double> hourSharePerChild{};

    friend bool operator==(const NeedResults&, const NeedResults&) = default;
};

// What the normatives table of step 15 last showed.
struct NormativeTableResults {
    PerGroup<double> hasProvidedHours{}; // [Senior][Day] single
    double shownNeedEducation = 0;
    double shownNeedCare = 0;
    double shownNeedTotal = 0;

    friend bool operator==(const NormativeTableResults&, const NormativeTableResults&) = default;
};

// The institution's estimate (step 16); roles 1–11 in the role families.
struct EstimateResults {
    EnumArray<StaffRole, double> pedPayroll{};
    EnumArray<StaffRole, double> pedSpecialPart{}; // [SpeechTherapist] single
    double assistantPayroll = 0;
    double assistantSpecialPart = 0;

    friend bool operator==(const EstimateResults&, const EstimateResults&) = default;
};

struct CalcResults {
    InputCheckResults checks;
    PupilHourResults pupilHours;
    IncentiveResults incentives;
    NeedResults needs;
    NormativeTableResults normativeTable;
    EstimateResults estimate;

    friend bool operator==(const CalcResults&, const CalcResults&) = default;
};

} // namespace kvarton
