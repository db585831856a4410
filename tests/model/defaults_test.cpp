#include "model/defaults.h"
#include "model/regions.h"

#include <gtest/gtest.h>

using namespace kvarton;

namespace {

InstitutionModel defaultsFor(std::optional<double> coefficient)
{
    InstitutionModel m;
    m.regionCoefficient = coefficient;
    resetToDefaults(m);
    return m;
}

std::string text(const ModelValue& v) { return v.displayText(); }

} // namespace

TEST(Defaults, StPetersburgHasTheBaseAmounts)
{
    const auto m = defaultsFor(1.0);
    EXPECT_EQ(m.payroll2011PedTotal, ModelValue::text("6726023"));
    EXPECT_EQ(m.payroll2011[StaffRole::Teacher], ModelValue::text("4304792"));
    EXPECT_EQ(m.payroll2011[StaffRole::TeacherAssistant], ModelValue::text("1564016"));
    EXPECT_EQ(m.payroll2011[StaffRole::Methodologist], ModelValue::text("0"));
    EXPECT_EQ(m.payroll2011Service, ModelValue::text("256999"));
    EXPECT_EQ(m.serviceSalary[ServicePosition::Accountant], ModelValue::text("16000"));
    EXPECT_EQ(m.serviceSalary[ServicePosition::Chef], ModelValue::text("0"));
    EXPECT_EQ(m.serviceSalary[ServicePosition::OtherPositions], ModelValue::single(14000.0f));
    EXPECT_EQ(
        m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Total], ModelValue::single(120000.0f));
    EXPECT_EQ(m.regionalNormative[StayRegime::ShortTerm][AgeGroup::Junior][NormativePart::Total],
        ModelValue::single(38700.0f));
}

TEST(Defaults, MoneyIsRoundedInTheRegion)
{
    const auto kamchatka = defaultsFor(regionCoefficient("Камчатский край"));
    EXPECT_EQ(kamchatka.serviceSalary[ServicePosition::Accountant], ModelValue::text("10291"));
    const auto buryatia = defaultsFor(regionCoefficient("Республика Бурятия"));
    EXPECT_EQ(buryatia.regionalNormative[StayRegime::ShortTerm][AgeGroup::Junior][NormativePart::Total],
        ModelValue::single(9956.0f));
}

TEST(Defaults, ABaseOfZeroIsZeroEverywhere)
{
    for (const Region& r : regions()) {
        const auto m = defaultsFor(r.coefficient);
        EXPECT_EQ(m.serviceSalary[ServicePosition::Chef], ModelValue::text("0")) << r.name;
        EXPECT_EQ(m.payroll2011[StaffRole::Accompanist], ModelValue::text("0")) << r.name;
        EXPECT_EQ(text(m.regionalNormative[StayRegime::ShortTerm][AgeGroup::Middle][NormativePart::Care]), "0");
    }
}

TEST(Defaults, WithoutACoefficientEveryAmountIsZero)
{
    const auto m = defaultsFor(std::nullopt);
    EXPECT_EQ(m.payroll2011PedTotal, ModelValue::text("0"));
    EXPECT_EQ(m.serviceSalary[ServicePosition::Clerk], ModelValue::text("0"));
    EXPECT_EQ(m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Total], ModelValue::single(0.0f));
    EXPECT_EQ(text(m.positions2011PedTotal), "25,9"); // not money: unchanged
}

TEST(Defaults, NumbersShowAsTheirListItems)
{
    const auto m = defaultsFor(1.0);
    EXPECT_EQ(text(m.directStayHours[GroupKind::GeneralShortTerm]), "4");
    EXPECT_EQ(text(m.directHours[GroupKind::GeneralDay][StaffRole::PhysicalInstructor]), "0,5");
    EXPECT_EQ(text(m.directHours[GroupKind::GeneralShortTerm][StaffRole::Psychologist]), "0,35");
    EXPECT_EQ(text(m.otherHours[GroupKind::GeneralShortTerm][StaffRole::PhysicalInstructor]), "0,05");
    EXPECT_EQ(text(m.otherHours[GroupKind::Compensating][StaffRole::TeacherAssistant]), "0");
    EXPECT_EQ(text(m.positions2011[StaffRole::Teacher]), "16,7");
    EXPECT_EQ(text(m.positions2011Service), "14");
    EXPECT_EQ(text(m.servicePositions[ServicePosition::LinenKeeper]), "1,5");
    EXPECT_EQ(text(m.groupSize[GroupOrientation::Compensating][AgeBand::ThreeAndOver]), "10");
    EXPECT_EQ(text(m.providedServices[AgeGroup::Middle][GroupOrientation::Compensating][StayMode::Hours10]), "20");
    EXPECT_EQ(text(m.providedServices[AgeGroup::Junior][GroupOrientation::GeneralDevelopment][StayMode::Hours3]), "0");
    EXPECT_EQ(text(m.assignedServices[StayRegime::Day][AgeGroup::Senior]), "30");
}

TEST(Defaults, OverwriteWhateverTheFieldsHeld)
{
    InstitutionModel m;
    m.regionCoefficient = 1.0;
    m.directHours[GroupKind::GeneralDay][StaffRole::Teacher] = ModelValue::text("3");
    m.institutionName = "Детский сад № 5";
    resetToDefaults(m);
    EXPECT_EQ(text(m.directHours[GroupKind::GeneralDay][StaffRole::Teacher]), "10");
    EXPECT_EQ(m.institutionName, "Детский сад № 5");
}
