#include "support.h"

#include "calc/input_checks.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

bool passes(InstitutionModel m) { return runInputChecks(m); }

} // namespace

TEST(InputChecks, DirectHoursCountTheAssistantToo)
{
    auto m = defaults();
    for (StaffRole r : allOf<StaffRole>())
        commitText(m, fields::directHours(GroupKind::GeneralDay, r), "0");
    EXPECT_FALSE(runInputChecks(m));
    EXPECT_EQ(m.results.checks.checkDirectHours[GroupKind::GeneralDay], 0);
    EXPECT_EQ(m.results.checks.checkDirectHours[GroupKind::Compensating], 1);
    // Every check is evaluated even after one failed.
    EXPECT_EQ(m.results.checks.checkNumericPay, 1);

    commitText(m, fields::directHours(GroupKind::GeneralDay, StaffRole::TeacherAssistant), "12");
    EXPECT_TRUE(runInputChecks(m));
}

TEST(InputChecks, APayrollNeedsPositions)
{
    auto m = defaults();
    commitText(m, fields::payroll2011(StaffRole::Methodologist), "0"); // 0 positions, nothing to pay
    EXPECT_TRUE(passes(m));
    commitText(m, fields::payroll2011(StaffRole::Methodologist), "1000");
    EXPECT_FALSE(passes(m));
    commitText(m, fields::positions2011(StaffRole::Methodologist), "0,05");
    EXPECT_TRUE(passes(m));

    auto service = defaults();
    commitText(service, fields::positions2011Service(), "0"); // the single field
    EXPECT_FALSE(passes(service));
    commitText(service, fields::positions2011Service(), "abc"); // positions that are no number
    EXPECT_FALSE(passes(service));
}

TEST(InputChecks, CompensatingPupilsNeverExceedTheirTotal)
{
    auto m = defaults();
    const auto compensating
        = fields::providedServices(AgeGroup::Senior, GroupOrientation::Compensating, StayMode::Hours14);
    commitText(m, compensating, "30");
    EXPECT_TRUE(passes(m));
    commitText(m, compensating, "31");
    EXPECT_FALSE(runInputChecks(m));
    EXPECT_EQ(m.results.checks.checkServiceCounts, 0);
    commitText(m, compensating, "x");
    EXPECT_FALSE(passes(m));
}

TEST(InputChecks, PayMustBeANumberWithTheDecimalComma)
{
    const auto payroll = fields::payroll2011(StaffRole::Teacher);
    const auto salary = fields::serviceSalary(ServicePosition::Medical);
    for (const char* good : {"4304792,5", "-0", "0", "922337203685477"}) {
        auto m = defaults();
        commitText(m, payroll, good);
        commitText(m, salary, good);
        EXPECT_TRUE(passes(m)) << good;
    }
    // An empty text, a decimal point, letters among the digits, a formula, an amount money cannot hold.
    for (const char* bad : {"", " ", "4304792.5", "43o4792", "=1+1", "1e5", "922337203685478", "-922337203685478"}) {
        for (const auto field : {payroll, salary, fields::payroll2011PedTotal(), fields::payroll2011Service()}) {
            auto m = defaults();
            commitText(m, field, bad);
            EXPECT_FALSE(runInputChecks(m)) << '"' << bad << '"';
            EXPECT_EQ(m.results.checks.checkNumericPay, 0);
        }
    }
    // The single salary keeps a text that is no number, for this check to reject.
    auto m = defaults();
    commitText(m, fields::serviceSalary(ServicePosition::OtherPositions), "14000.5");
    EXPECT_FALSE(passes(m));
    commitText(m, fields::serviceSalary(ServicePosition::OtherPositions), "14000,5");
    EXPECT_TRUE(passes(m));
}
