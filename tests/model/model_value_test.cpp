#include "model/institution_model.h"

#include <gtest/gtest.h>

using namespace kvarton;

TEST(ModelValue, ConvertsToNumbersWithEmptyAsZero)
{
    EXPECT_EQ(ModelValue().toNumber(), 0.0);
    EXPECT_EQ(ModelValue::text("0,5").toNumber(), 0.5);
    EXPECT_EQ(ModelValue::text("").toNumber(), std::nullopt);
    EXPECT_EQ(ModelValue::text("0.5").toNumber(), std::nullopt);
    EXPECT_EQ(ModelValue::integer(12).toNumber(), 12.0);
    EXPECT_EQ(ModelValue::single(0.1f).toNumber(), static_cast<double>(0.1f));
    EXPECT_FALSE(ModelValue().holdsNumber());
    EXPECT_FALSE(ModelValue::text("").holdsNumber());
    EXPECT_TRUE(ModelValue::text("-5").holdsNumber());
}

TEST(ModelValue, ShowsValuesAsTheirControlsDo)
{
    EXPECT_EQ(ModelValue().displayText(), "");
    EXPECT_EQ(ModelValue::real(0.35).displayText(), "0,35");
    EXPECT_EQ(ModelValue::single(14.0f).displayText(), "14");
    EXPECT_EQ(ModelValue::text(" 12 ").displayText(), " 12 ");
}

TEST(CommitText, StoresTextUnchangedAndSinglesAsFloats)
{
    InstitutionModel m;
    commitText(m, fields::directHours(GroupKind::GeneralDay, StaffRole::PhysicalInstructor), "0,5");
    EXPECT_EQ(m.directHours[GroupKind::GeneralDay][StaffRole::PhysicalInstructor], ModelValue::text("0,5"));
    EXPECT_EQ(m.directHours[GroupKind::GeneralDay][StaffRole::PhysicalInstructor].toNumber(), 0.5);

    const auto single = fields::otherHours(GroupKind::Compensating, StaffRole::TeacherAssistant);
    commitText(m, single, "0,05");
    EXPECT_EQ(m.otherHours[GroupKind::Compensating][StaffRole::TeacherAssistant], ModelValue::single(0.05f));
}

TEST(CommitText, KeepsATextThatIsNoNumberInASingleFieldForTheCheckToReject)
{
    InstitutionModel m;
    const auto salary = fields::serviceSalary(ServicePosition::OtherPositions);
    for (const char* typed : {"", "14000.5", "abc", "1" /* followed by 40 zeros below */}) {
        std::string text = typed;
        if (text == "1")
            text += std::string(40, '0'); // a number, but beyond what a float holds
        commitText(m, salary, text);
        EXPECT_EQ(m.serviceSalary[ServicePosition::OtherPositions], ModelValue::text(text));
        EXPECT_FALSE(m.serviceSalary[ServicePosition::OtherPositions].isSingle());
    }
}

TEST(FieldRef, AddressesEveryFamilyMember)
{
    InstitutionModel m;
    field(m, fields::providedServices(AgeGroup::Senior, GroupOrientation::Compensating, StayMode::Hours24))
        = ModelValue::integer(7);
    EXPECT_EQ(m.providedServices[AgeGroup::Senior][GroupOrientation::Compensating][StayMode::Hours24],
        ModelValue::integer(7));
    field(m, fields::regionalNormative(StayRegime::Day, AgeGroup::Middle, NormativePart::Care))
        = ModelValue::single(1.0f);
    EXPECT_TRUE(m.regionalNormative[StayRegime::Day][AgeGroup::Middle][NormativePart::Care].isSingle());
    EXPECT_TRUE(isSingleField(fields::positions2011Service()));
    EXPECT_FALSE(isSingleField(fields::positions2011Medical()));
    EXPECT_TRUE(isSingleField(fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver)));
    EXPECT_FALSE(isSingleField(fields::groupSize(GroupOrientation::Compensating, AgeBand::UnderThree)));
}

TEST(FieldRef, InputFieldsAreEveryInputOnce)
{
    const auto fields = inputFields();
    // 6 × 13 working time, 2 × 16 staff of 2011, 6 + 60 services, 12 + 4 parameters, 13 + 11 staff of 2012.
    EXPECT_EQ(fields.size(), 78u + 32u + 66u + 16u + 24u);
    InstitutionModel m;
    for (std::size_t i = 0; i < fields.size(); ++i)
        field(m, fields[i]) = ModelValue::integer(static_cast<std::int64_t>(i) + 1);
    for (std::size_t i = 0; i < fields.size(); ++i) // no two refs share a field
        EXPECT_EQ(field(m, fields[i]), ModelValue::integer(static_cast<std::int64_t>(i) + 1));
}
