#include "field_keys.h"

#include "institution_model.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kvarton {

namespace {

// The key names of the members of every enumeration, in member order. They are written into
// files: never change one.
template <typename E>
using Names = EnumArray<E, std::string_view>;

constexpr Names<StaffRole> kRoleNames{{"teacher", "musicDirector", "methodologist", "physicalInstructor", "accompanist",
    "additionalEducationTeacher", "pedagogueOrganizer", "socialPedagogue", "psychologist", "physicalEducationHead",
    "speechTherapist", "teacherAssistant"}};
constexpr Names<GroupKind> kGroupKindNames{{"generalDay", "generalShortTerm", "compensating"}};
constexpr Names<GroupOrientation> kOrientationNames{{"generalDevelopment", "compensating"}};
constexpr Names<StayRegime> kRegimeNames{{"shortTerm", "day"}};
constexpr Names<AgeGroup> kAgeGroupNames{{"junior", "middle", "senior"}};
constexpr Names<AgeBand> kAgeBandNames{{"underThree", "threeAndOver"}};
constexpr Names<StayMode> kStayModeNames{
    {"hours3", "hours4", "hours5", "hours6", "hours8", "hours10", "hours10_5", "hours12", "hours14", "hours24"}};
constexpr Names<ServicePosition> kPositionNames{
    {"deputyEducation", "deputyHousekeeping", "accountant", "clerk", "medical", "chef", "cook", "storekeeper",
        "linenKeeper", "laundryWorker", "loader", "repairWorker", "otherPositions"}};
constexpr Names<NormativePart> kPartNames{{"total", "education", "care"}};

// The enumeration that indexes a dimension of a family.
enum class Dimension : std::uint8_t {
    None,
    Role,
    GroupKind,
    Orientation,
    Regime,
    AgeGroup,
    AgeBand,
    StayMode,
    Position,
    Part
};

template <typename E>
constexpr std::span<const std::string_view> names(const Names<E>& table)
{
    return table.items;
}

std::span<const std::string_view> memberNames(Dimension d)
{
    switch (d) {
    case Dimension::Role:
        return names(kRoleNames);
    case Dimension::GroupKind:
        return names(kGroupKindNames);
    case Dimension::Orientation:
        return names(kOrientationNames);
    case Dimension::Regime:
        return names(kRegimeNames);
    case Dimension::AgeGroup:
        return names(kAgeGroupNames);
    case Dimension::AgeBand:
        return names(kAgeBandNames);
    case Dimension::StayMode:
        return names(kStayModeNames);
    case Dimension::Position:
        return names(kPositionNames);
    case Dimension::Part:
        return names(kPartNames);
    case Dimension::None:
        break;
    }
    return {};
}

struct Family {
    std::string_view name; // written into files: never change one
    std::array<Dimension, 3> dimensions;
};

using D = Dimension;
constexpr EnumArray<Field, Family> kFamilies{{{
    {"directStayHours", {D::GroupKind}},
    {"directHours", {D::GroupKind, D::Role}},
    {"otherStayHours", {D::GroupKind}},
    {"otherHours", {D::GroupKind, D::Role}},
    {"payroll2011PedTotal", {}},
    {"payroll2011", {D::Role}},
    {"payroll2011Admin", {}},
    {"payroll2011Medical", {}},
    {"payroll2011Service", {}},
    {"positions2011PedTotal", {}},
    {"positions2011", {D::Role}},
    {"positions2011Admin", {}},
    {"positions2011Medical", {}},
    {"positions2011Service", {}},
    {"assignedServices", {D::Regime, D::AgeGroup}},
    {"providedServices", {D::AgeGroup, D::Orientation, D::StayMode}},
    {"incentiveShareNonPed", {}},
    {"specialPartSharePed", {}},
    {"compensationSharePed", {}},
    {"awardsSharePed", {}},
    {"deputySalaryCoefficient", {}},
    {"adminPayrollTeachingShare", {}},
    {"servicePayrollTeachingShare", {}},
    {"materialCostsPercentOfPedPayroll", {}},
    {"materialCostsTeachingShare", {}},
    {"pedSalaryGrowthPercent2012", {}},
    {"monthsPerYear", {}},
    {"daysPerWeek", {}},
    {"groupSize", {D::Orientation, D::AgeBand}},
    {"servicePositions", {D::Position}},
    {"serviceSalary", {D::Position}},
    {"regionalNormative", {D::Regime, D::AgeGroup, D::Part}},
}}};

} // namespace

std::string fieldKey(FieldRef r)
{
    const Family& family = kFamilies[r.family()];
    std::string key(family.name);
    for (std::size_t n = 0; n < family.dimensions.size(); ++n) {
        const auto members = memberNames(family.dimensions[n]);
        if (members.empty())
            break;
        key += '.';
        key += members[r.index(n)];
    }
    return key;
}

std::optional<FieldRef> fieldFromKey(std::string_view key)
{
    static const auto byKey = [] {
        std::vector<std::pair<std::string, FieldRef>> all;
        for (FieldRef r : keyedFields())
            all.emplace_back(fieldKey(r), r);
        std::sort(all.begin(), all.end());
        return all;
    }();
    const auto it = std::lower_bound(byKey.begin(), byKey.end(), key,
        [](const std::pair<std::string, FieldRef>& entry, std::string_view k) { return entry.first < k; });
    if (it == byKey.end() || it->first != key)
        return std::nullopt;
    return it->second;
}

std::span<const FieldRef> keyedFields()
{
    static const std::vector<FieldRef> all = [] {
        const auto inputs = inputFields();
        std::vector<FieldRef> keyed(inputs.begin(), inputs.end());
        for (StayRegime s : allOf<StayRegime>())
            for (AgeGroup a : allOf<AgeGroup>())
                for (NormativePart p : allOf<NormativePart>())
                    keyed.push_back(fields::regionalNormative(s, a, p));
        return keyed;
    }();
    return all;
}

} // namespace kvarton
