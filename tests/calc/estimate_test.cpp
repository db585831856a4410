#include "support.h"

#include "calc/estimate.h"
#include "calc/norms.h"
#include "calc/steps.h"

#include <cmath>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

InstitutionModel afterStep13()
{
    auto m = defaults();
    EXPECT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    return m;
}

void assign(InstitutionModel& m, StayRegime s, AgeGroup a, const char* children)
{
    commitText(m, fields::assignedServices(s, a), children);
}

} // namespace

TEST(Step16, DefaultsAfterStep13)
{
    auto m = afterStep13();
    const StepView v = enterStep16(m);
    ASSERT_FALSE(v.showError);
    EXPECT_EQ(v.labels.size(), 38u);
    EXPECT_EQ(shown(v,
                  {"Label148", "Label160", "Label161", "Label162", "Label180", "Label163", "Label164", "Label600",
                      "Label165", "Label183"}),
        (Texts{"3967101", "837507", "447969", "3195000", "511200", "2137443", "476052", "10137051", "14079974",
            "10310000"}));
    // Roles without positions in 2011 cost nothing.
    EXPECT_EQ(shown(v, {"Label151", "Label169", "Label153", "Label171"}), (Texts{"0", "0", "0", "0"}));
    // The special column adds what it shows, too.
    const Texts special = shown(v, {"Label166", "Label178", "Label180", "Label181", "Label601", "Label182"});
    long long sum = 0;
    for (std::size_t i = 0; i < 4; ++i)
        sum += std::stoll(special[i]);
    EXPECT_EQ(special[4], std::to_string(sum));
    EXPECT_EQ(special[5], std::to_string(std::llround(static_cast<double>(sum) * 1.342)));
}

TEST(Step16, StepFifteenCarriesPayrollAccrualsStepSixteenDoesNot)
{
    auto m = afterStep13();
    ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
    const NeedResults accrued = m.results.needs;
    ASSERT_FALSE(enterStep16(m).showError);
    const NeedResults plain = m.results.needs;
    for (AgeGroup a : {AgeGroup::Middle, AgeGroup::Senior}) {
        const auto s = StayRegime::Day;
        EXPECT_NEAR(accrued.pedNeed[a][s] / plain.pedNeed[a][s], PayrollAccrualRate, 1e-6);
        EXPECT_NEAR(accrued.assistantNeed[a][s] / plain.assistantNeed[a][s], PayrollAccrualRate, 1e-6);
        EXPECT_NEAR(accrued.materialNeed[a][s], plain.materialNeed[a][s], 1e-6 * plain.materialNeed[a][s]);
    }
    EXPECT_DOUBLE_EQ(accrued.adminPayroll / plain.adminPayroll, PayrollAccrualRate);
    EXPECT_DOUBLE_EQ(accrued.servicePayroll / plain.servicePayroll, PayrollAccrualRate);

    // The steps overwrite each other's needs: back to step 15, then step 16 again.
    ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
    EXPECT_EQ(m.results.needs, accrued);
    ASSERT_FALSE(enterStep16(m).showError);
    EXPECT_EQ(m.results.needs, plain);
}

TEST(Step16, SubsidyOfTheStateAssignment)
{
    auto m = afterStep13();
    for (StayRegime s : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            assign(m, s, a, "10");
    EXPECT_EQ(shown(enterStep16(m), {"Label183"}), (Texts{"4976000"}));
    for (StayRegime s : allOf<StayRegime>())
        for (AgeGroup a : allOf<AgeGroup>())
            assign(m, s, a, "0");
    assign(m, StayRegime::Day, AgeGroup::Junior, "10");
    EXPECT_EQ(shown(enterStep16(m), {"Label183"}), (Texts{"1100000"}));
}

TEST(Step16, TotalsAddTheNumbersShownNotTheUnroundedValues)
{
    // Four rows each ending in ,5 or more after the point: the totals of the shown numbers differ
    // from the rounded total of the values.
    InstitutionModel in = afterStep13();
    CalcResults r = in.results;
    r.estimate.pedPayroll = {};
    r.estimate.pedPayroll[StaffRole::Teacher] = 100.5;
    r.needs.headSalary = 200.5;
    r.needs.deputiesPay = 0;
    r.needs.servicePayroll = 300.5;
    r.estimate.assistantPayroll = 400.5;
    const StepView v = showEstimate(in, r);
    EXPECT_EQ(shown(v, {"Label148", "Label160", "Label162", "Label163", "Label600"}),
        (Texts{"101", "201", "301", "401", "1004"}));
    // 1004 × 1,342 = 1347,368, plus the material costs shown: 12 % of 100,5 shows 12.
    EXPECT_EQ(shown(v, {"Label164", "Label165"}), (Texts{"12", "1359"}));
}
