#pragma once

#include "enum_array.h"

#include <string_view>

namespace kvarton {

// The member order of every enumeration is the row order on the screens and in the report.

enum class StaffRole {
    Teacher,
    MusicDirector,
    Methodologist,
    PhysicalInstructor,
    Accompanist,
    AdditionalEducationTeacher,
    PedagogueOrganizer,
    SocialPedagogue,
    Psychologist,
    PhysicalEducationHead,
    SpeechTherapist,
    TeacherAssistant,
};
template <>
inline constexpr std::size_t kCount<StaffRole> = 12;
// Roles 1–11 are the pedagogical staff; the teacher's assistant is educational-support staff.
inline constexpr std::size_t kPedagogicalRoleCount = 11;
constexpr bool isPedagogical(StaffRole r) noexcept { return r != StaffRole::TeacherAssistant; }

enum class GroupKind { GeneralDay, GeneralShortTerm, Compensating };
template <>
inline constexpr std::size_t kCount<GroupKind> = 3;

enum class GroupOrientation { GeneralDevelopment, Compensating };
template <>
inline constexpr std::size_t kCount<GroupOrientation> = 2;

enum class StayRegime { ShortTerm, Day };
template <>
inline constexpr std::size_t kCount<StayRegime> = 2;

enum class AgeGroup { Junior, Middle, Senior };
template <>
inline constexpr std::size_t kCount<AgeGroup> = 3;

enum class AgeBand { UnderThree, ThreeAndOver };
template <>
inline constexpr std::size_t kCount<AgeBand> = 2;

enum class StayMode { Hours3, Hours4, Hours5, Hours6, Hours8, Hours10, Hours10_5, Hours12, Hours14, Hours24 };
template <>
inline constexpr std::size_t kCount<StayMode> = 10;

enum class ServicePosition {
    DeputyEducation,
    DeputyHousekeeping,
    Accountant,
    Clerk,
    Medical,
    Chef,
    Cook,
    Storekeeper,
    LinenKeeper,
    LaundryWorker,
    Loader,
    RepairWorker,
    OtherPositions,
};
template <>
inline constexpr std::size_t kCount<ServicePosition> = 13;
// The two deputies have a number of positions but no salary of their own.
constexpr bool hasSalary(ServicePosition p) noexcept
{
    return p != ServicePosition::DeputyEducation && p != ServicePosition::DeputyHousekeeping;
}

enum class NormativePart { Total, Education, Care };
template <>
inline constexpr std::size_t kCount<NormativePart> = 3;

// Texts of the members, held as tables in member order.
struct RoleTexts {
    std::string_view screen;
    std::string_view report;
};
const RoleTexts& texts(StaffRole r) noexcept;

struct GroupKindTexts {
    std::string_view titleWord; // the capitalised word of the step title
    std::string_view reportColumn; // column head of the working-time blocks of the report
};
const GroupKindTexts& texts(GroupKind k) noexcept;

struct OrientationTexts {
    std::string_view plural; // "Общеразвивающие группы"
    std::string_view singular; // "Общеразвивающая группа", the report's mode rows
};
const OrientationTexts& texts(GroupOrientation o) noexcept;

struct RegimeTexts {
    std::string_view screen; // step 9 and the report
    std::string_view calculation; // the option heads of step 15
};
const RegimeTexts& texts(StayRegime s) noexcept;

struct AgeGroupTexts {
    std::string_view calculation; // "Младшая группа (от 1,5 до 3 лет)"
    std::string_view report; // "Младшая группа (1,5-3)"
};
const AgeGroupTexts& texts(AgeGroup a) noexcept;

std::string_view text(AgeBand b) noexcept;

struct StayModeInfo {
    double hours;
    StayRegime regime;
    std::string_view reportText; // "10,5 часов"
    std::string_view columnHead; // "(10,5)" on the step-10 screen
};
const StayModeInfo& info(StayMode m) noexcept;
constexpr bool belongsTo(StayMode m, StayRegime s) noexcept { return (ix(m) < 4) == (s == StayRegime::ShortTerm); }

struct ServicePositionTexts {
    std::string_view screen;
    std::string_view report;
};
const ServicePositionTexts& texts(ServicePosition p) noexcept;

} // namespace kvarton
