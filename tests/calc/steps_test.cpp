#include "support.h"

#include "calc/steps.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

TEST(Steps, AFailedCheckComputesNothingAndKeepsEveryEarlierResult)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep13(m, Method::ByAllNeeds).showError);
    ASSERT_FALSE(enterStep14(m, Method::ByRecommendations, StayRegime::ShortTerm).showError);
    ASSERT_FALSE(enterStep16(m).showError);
    ASSERT_FALSE(enterStep15(m, NormativeGroup::SeniorDay).showError);
    const CalcResults before = m.results;

    // More compensating pupils than pupils in all, after the check passed on every step.
    const auto compensating
        = fields::providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours24);
    commitText(m, compensating, "1");
    for (const StepView& v :
        {enterStep13(m, Method::ByRecommendations), enterStep14(m, Method::ByAllNeeds, StayRegime::Day),
            enterStep15(m, NormativeGroup::MiddleDay), enterStep16(m)}) {
        EXPECT_TRUE(v.showError);
        EXPECT_TRUE(v.labels.empty());
    }
    EXPECT_EQ(m.results.checks.checkServiceCounts, 0);
    CalcResults expected = before;
    expected.checks = m.results.checks;
    EXPECT_EQ(m.results, expected);

    // Mended, the steps compute again.
    commitText(m, compensating, "0");
    EXPECT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
}

TEST(Steps, AStepThatCannotBeCompletedKeepsEveryEarlierResult)
{
    auto m = defaults();
    ASSERT_FALSE(enterStep14(m, Method::ByRecommendations, StayRegime::Day).showError);
    ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
    const CalcResults before = m.results;

    // The check passes; the calculations cannot read the special part's share.
    const ModelValue share = m.specialPartSharePed;
    m.specialPartSharePed = ModelValue::text("тридцать шесть");
    for (const StepView& v : {clickMethod13(m, Method::ByAllNeeds), enterStep14(m, Method::ByAllNeeds, StayRegime::Day),
             clickMethod14(m, Method::ByAllNeeds, StayRegime::ShortTerm), enterStep15(m, NormativeGroup::JuniorDay),
             enterStep16(m)})
        EXPECT_TRUE(v.showError);
    EXPECT_EQ(m.results, before);

    // A group whose table cannot be shown keeps the needs shown before.
    m.specialPartSharePed = share;
    m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Care] = ModelValue::text("много");
    EXPECT_TRUE(clickGroup15(m, NormativeGroup::SeniorDay).showError);
    EXPECT_EQ(m.results, before);
}
