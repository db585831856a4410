#include "model/field_keys.h"
#include "model/institution_model.h"

#include <gtest/gtest.h>

#include <set>
#include <type_traits>

using namespace kvarton;

namespace {

// Arguments in the wrong order must not compile.
static_assert(std::is_invocable_v<decltype(fields::directHours), GroupKind, StaffRole>);
static_assert(!std::is_invocable_v<decltype(fields::directHours), StaffRole, GroupKind>);
static_assert(!std::is_invocable_v<decltype(fields::assignedServices), AgeGroup, StayRegime>);
static_assert(!std::is_invocable_v<decltype(fields::providedServices), GroupOrientation, AgeGroup, StayMode>);
static_assert(!std::is_invocable_v<decltype(fields::providedServices), AgeGroup, StayMode, GroupOrientation>);
static_assert(!std::is_invocable_v<decltype(fields::groupSize), AgeBand, GroupOrientation>);
static_assert(!std::is_invocable_v<decltype(fields::regionalNormative), AgeGroup, StayRegime, NormativePart>);
static_assert(!std::is_invocable_v<decltype(fields::payroll2011), int>);

template <typename E, typename F>
std::vector<std::string> keysOf(F factory)
{
    std::vector<std::string> keys;
    for (E e : allOf<E>())
        keys.push_back(fieldKey(factory(e)));
    return keys;
}

} // namespace

TEST(FieldKeys, EveryKeyedFieldHasItsOwnKeyThatLeadsBackToIt)
{
    std::set<std::string> seen;
    std::set<std::size_t> slots; // and its own slot of a table with one entry per field
    for (FieldRef r : keyedFields()) {
        const std::string key = fieldKey(r);
        EXPECT_TRUE(seen.insert(key).second) << key;
        EXPECT_TRUE(slots.insert(slotOf(r)).second) << key;
        EXPECT_LT(slotOf(r), kFieldSlots) << key;
        EXPECT_EQ(fieldFromKey(key), r) << key;
        for (char c : key)
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_') << key;
        EXPECT_TRUE(std::islower(static_cast<unsigned char>(key.front()))) << key;
    }
    EXPECT_EQ(seen.size(), inputFields().size() + 18);
}

// Saved work names fields by these keys: a change here breaks every file written before it.
TEST(FieldKeys, KeysAreTheWrittenNames)
{
    using namespace fields;
    EXPECT_EQ(fieldKey(directHours(GroupKind::GeneralDay, StaffRole::Teacher)), "directHours.generalDay.teacher");
    EXPECT_EQ(fieldKey(otherStayHours(GroupKind::GeneralShortTerm)), "otherStayHours.generalShortTerm");
    EXPECT_EQ(fieldKey(otherHours(GroupKind::Compensating, StaffRole::TeacherAssistant)),
        "otherHours.compensating.teacherAssistant");
    EXPECT_EQ(fieldKey(payroll2011Admin()), "payroll2011Admin");
    EXPECT_EQ(fieldKey(positions2011Service()), "positions2011Service");
    EXPECT_EQ(fieldKey(assignedServices(StayRegime::ShortTerm, AgeGroup::Middle)), "assignedServices.shortTerm.middle");
    EXPECT_EQ(fieldKey(providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours10_5)),
        "providedServices.junior.compensating.hours10_5");
    EXPECT_EQ(fieldKey(materialCostsPercentOfPedPayroll()), "materialCostsPercentOfPedPayroll");
    EXPECT_EQ(fieldKey(groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver)),
        "groupSize.compensating.threeAndOver");
    EXPECT_EQ(fieldKey(serviceSalary(ServicePosition::OtherPositions)), "serviceSalary.otherPositions");
    EXPECT_EQ(fieldKey(regionalNormative(StayRegime::Day, AgeGroup::Senior, NormativePart::Care)),
        "regionalNormative.day.senior.care");

    // Every member name of every enumeration.
    EXPECT_EQ(keysOf<StaffRole>(payroll2011),
        (std::vector<std::string>{"payroll2011.teacher", "payroll2011.musicDirector", "payroll2011.methodologist",
            "payroll2011.physicalInstructor", "payroll2011.accompanist", "payroll2011.additionalEducationTeacher",
            "payroll2011.pedagogueOrganizer", "payroll2011.socialPedagogue", "payroll2011.psychologist",
            "payroll2011.physicalEducationHead", "payroll2011.speechTherapist", "payroll2011.teacherAssistant"}));
    EXPECT_EQ(keysOf<GroupKind>(directStayHours),
        (std::vector<std::string>{
            "directStayHours.generalDay", "directStayHours.generalShortTerm", "directStayHours.compensating"}));
    EXPECT_EQ(keysOf<StayMode>([](StayMode m) {
        return providedServices(AgeGroup::Senior, GroupOrientation::GeneralDevelopment, m);
    }),
        (std::vector<std::string>{"providedServices.senior.generalDevelopment.hours3",
            "providedServices.senior.generalDevelopment.hours4", "providedServices.senior.generalDevelopment.hours5",
            "providedServices.senior.generalDevelopment.hours6", "providedServices.senior.generalDevelopment.hours8",
            "providedServices.senior.generalDevelopment.hours10",
            "providedServices.senior.generalDevelopment.hours10_5",
            "providedServices.senior.generalDevelopment.hours12", "providedServices.senior.generalDevelopment.hours14",
            "providedServices.senior.generalDevelopment.hours24"}));
    EXPECT_EQ(keysOf<ServicePosition>(servicePositions),
        (std::vector<std::string>{"servicePositions.deputyEducation", "servicePositions.deputyHousekeeping",
            "servicePositions.accountant", "servicePositions.clerk", "servicePositions.medical",
            "servicePositions.chef", "servicePositions.cook", "servicePositions.storekeeper",
            "servicePositions.linenKeeper", "servicePositions.laundryWorker", "servicePositions.loader",
            "servicePositions.repairWorker", "servicePositions.otherPositions"}));
    EXPECT_EQ(keysOf<NormativePart>(
                  [](NormativePart p) { return regionalNormative(StayRegime::ShortTerm, AgeGroup::Junior, p); }),
        (std::vector<std::string>{"regionalNormative.shortTerm.junior.total",
            "regionalNormative.shortTerm.junior.education", "regionalNormative.shortTerm.junior.care"}));
    EXPECT_EQ(keysOf<AgeBand>([](AgeBand b) { return groupSize(GroupOrientation::GeneralDevelopment, b); }),
        (std::vector<std::string>{
            "groupSize.generalDevelopment.underThree", "groupSize.generalDevelopment.threeAndOver"}));
}

TEST(FieldKeys, AKeyAddressesTheFieldItNames)
{
    InstitutionModel m;
    field(m, *fieldFromKey("payroll2011.musicDirector")) = ModelValue::text("456000");
    field(m, *fieldFromKey("providedServices.middle.compensating.hours10")) = ModelValue::integer(20);
    field(m, *fieldFromKey("assignedServices.day.senior")) = ModelValue::integer(30);
    EXPECT_EQ(m.payroll2011[StaffRole::MusicDirector], ModelValue::text("456000"));
    EXPECT_EQ(m.providedServices[AgeGroup::Middle][GroupOrientation::Compensating][StayMode::Hours10],
        ModelValue::integer(20));
    EXPECT_EQ(m.assignedServices[StayRegime::Day][AgeGroup::Senior], ModelValue::integer(30));
}

TEST(FieldKeys, AnythingButAKeyNamesNoField)
{
    for (const char* text : {"", ".", "directHours", "directHours.generalDay", "directHours.generalDay.teacher.x",
             "directHours.teacher.generalDay", "DirectHours.generalDay.teacher", "directHours.generalday.teacher",
             " directHours.generalDay.teacher", "directHours.generalDay.teacher ", "directHours..teacher",
             "payroll2011Admin.teacher", "payroll2011", "serviceSalary.deputyEducation", "regionalNormative.day",
             "providedServices.junior.compensating.hours10.5", "otherHours.compensating.teacherAssistant\n"})
        EXPECT_EQ(fieldFromKey(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(fieldFromKey(std::string_view("payroll2011Admin\0x", 18)), std::nullopt);
}
