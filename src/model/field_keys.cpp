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

// A dimension of a family: the key names of the enumeration that indexes it.
using Dimension = std::span<const std::string_view>;
constexpr Dimension kRole = kRoleNames.items;
constexpr Dimension kGroupKind = kGroupKindNames.items;
constexpr Dimension kOrientation = kOrientationNames.items;
constexpr Dimension kRegime = kRegimeNames.items;
constexpr Dimension kAgeGroup = kAgeGroupNames.items;
constexpr Dimension kAgeBand = kAgeBandNames.items;
constexpr Dimension kStayMode = kStayModeNames.items;
constexpr Dimension kPosition = kPositionNames.items;
constexpr Dimension kPart = kPartNames.items;

struct Family {
    std::string_view name; // written into files: never change one
    std::array<Dimension, 3> dimensions; // in the order of the factory's arguments; empty beyond
};

constexpr EnumArray<Field, Family> kFamilies{{{
    {"directStayHours", {kGroupKind}},
    {"directHours", {kGroupKind, kRole}},
    {"otherStayHours", {kGroupKind}},
    {"otherHours", {kGroupKind, kRole}},
    {"payroll2011PedTotal", {}},
    {"payroll2011", {kRole}},
    {"payroll2011Admin", {}},
    {"payroll2011Medical", {}},
    {"payroll2011Service", {}},
    {"positions2011PedTotal", {}},
    {"positions2011", {kRole}},
    {"positions2011Admin", {}},
    {"positions2011Medical", {}},
    {"positions2011Service", {}},
    {"assignedServices", {kRegime, kAgeGroup}},
    {"providedServices", {kAgeGroup, kOrientation, kStayMode}},
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
    {"groupSize", {kOrientation, kAgeBand}},
    {"servicePositions", {kPosition}},
    {"serviceSalary", {kPosition}},
    {"regionalNormative", {kRegime, kAgeGroup, kPart}},
}}};

} // namespace

std::string fieldKey(FieldRef r)
{
    const Family& family = kFamilies[r.family()];
    std::string key(family.name);
    for (std::size_t n = 0; n < family.dimensions.size() && !family.dimensions[n].empty(); ++n) {
        key += '.';
        key += family.dimensions[n][r.index(n)];
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
