#include "support.h"

#include "calc/needs.h"
#include "calc/normative_table.h"
#include "calc/steps.h"

#include "model/conversion.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

// Rows top to bottom: total, education, its four parts, care, its four parts.
const Labels kNormative{"Label48", "Label49", "Label50", "Label51", "Label52", "Label53", "Label54", "Label55",
    "Label56", "Label57", "Label58"};
const Labels kNeed{"Label78", "Label77", "Label76", "Label75", "Label74", "Label73", "Label72", "Label71", "Label61",
    "Label60", "Label59"};
const Labels kRemainder{"Label124", "Label123", "Label119", "Label118", "Label106", "Label104", "Label83", "Label82",
    "Label81", "Label80", "Label79"};

long long whole(const std::string& text) { return std::stoll(text); }

InstitutionModel afterStep13()
{
    auto m = defaults();
    EXPECT_FALSE(enterStep13(m, Method::ByRecommendations).showError);
    return m;
}

} // namespace

TEST(Step15, MiddleDayGroupWithTheDefaults)
{
    auto m = afterStep13();
    const StepView v = enterStep15(m, NormativeGroup::MiddleDay);
    ASSERT_FALSE(v.showError);
    EXPECT_EQ(v.labels.size(), 33u);
    EXPECT_EQ(shown(v, {"Label76", "Label77", "Label72", "Label78", "Label124", "Label123", "Label83"}),
        (Texts{"57142", "68604", "68345", "136949", "-21949", "11316", "-33265"}));
    EXPECT_EQ(shown(v, {"Label48", "Label49", "Label54"}), (Texts{"115000", "79920", "35080"}));
    const NeedResults& n = m.results.needs;
    EXPECT_EQ(n.headSalaryPupilCount, 120);
    EXPECT_NEAR(n.headSalaryBase, 389538.01, 0.005);

    // Each part's share of its section's normative, and its remainder from the two shown numbers.
    long long education = 0;
    long long care = 0;
    const Texts normatives = shown(v, kNormative);
    const Texts needs = shown(v, kNeed);
    const Texts remainders = shown(v, kRemainder);
    for (std::size_t row = 2; row < 11; ++row) {
        if (row == 6)
            continue;
        (row < 6 ? education : care) += whole(normatives[row]);
        EXPECT_EQ(whole(remainders[row]), whole(normatives[row]) - whole(needs[row])) << kNeed[row];
    }
    EXPECT_NEAR(static_cast<double>(education), 79920, 2);
    EXPECT_NEAR(static_cast<double>(care), 35080, 2);
}

TEST(Step15, EducationOnlyTableCarriesTheCareNeedsInTheEducationRows)
{
    auto m = afterStep13();
    const StepView v = enterStep15(m, NormativeGroup::MiddleShortTerm);
    ASSERT_FALSE(v.showError);
    for (const Labels* column : {&kNormative, &kNeed, &kRemainder})
        for (std::size_t row = 6; row < 11; ++row)
            EXPECT_EQ(texts(v).at(std::string((*column)[row])), "0") << (*column)[row];
    const Texts remainders = shown(v, kRemainder);
    EXPECT_EQ(remainders[0], remainders[1]);

    const NeedResults& n = m.results.needs;
    const double S = n.hourSharePerChild[AgeGroup::Middle][Short];
    const double U = n.assistantNeed[AgeGroup::Middle][Short];
    const double service = S * n.servicePayrollEducation + S * n.servicePayrollCare + U;
    EXPECT_EQ(texts(v).at("Label74"), format(service, Pattern::Whole));
    EXPECT_GT(n.assistantNeed[AgeGroup::Middle][Short], 0);
    EXPECT_EQ(m.results.normativeTable.shownNeedCare, 0);
    EXPECT_EQ(m.results.normativeTable.shownNeedTotal, m.results.normativeTable.shownNeedEducation);
}

TEST(Step15, AGroupWithoutChildrenShowsNoNormativeAndNoNeed)
{
    auto m = afterStep13();
    const StepView v = enterStep15(m, NormativeGroup::JuniorDay);
    ASSERT_FALSE(v.showError);
    for (const LabelText& l : v.labels)
        EXPECT_EQ(l.text, "0") << l.label;
    EXPECT_EQ(m.results.normativeTable.hasProvidedHours[AgeGroup::Junior][Day], 0);
}

TEST(Step15, OptionClicksShowStoredNeedsAndChangeOnlyWhatTheTableShows)
{
    auto m = afterStep13();
    const StepView middle = enterStep15(m, NormativeGroup::MiddleDay);
    const CalcResults before = m.results;
    // Inputs changed elsewhere do not reach the table before the next entry.
    commitText(m, fields::specialPartSharePed(), "50");
    const StepView senior = clickGroup15(m, NormativeGroup::SeniorDay);
    EXPECT_EQ(texts(clickGroup15(m, NormativeGroup::MiddleDay)), texts(middle));

    CalcResults expected = before;
    expected.normativeTable = m.results.normativeTable;
    EXPECT_EQ(m.results, expected);
    EXPECT_EQ(m.results.normativeTable.hasProvidedHours[AgeGroup::Senior][Day], 1);
    EXPECT_NE(texts(senior), texts(middle));
}

// The head's salary counts the pupils of the inputs (compensating pupils twice, as the pupil-hour
// calculation counts them), whether or not step 13 or 14 was computed before.
TEST(Step15, HeadSalaryFollowsThePupilsOfTheInputs)
{
    const double average = 6726023 / 25.9;
    auto m = defaults();
    ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
    EXPECT_EQ(m.results.needs.headSalaryPupilCount, 120);

    const auto middleDay = fields::providedServices(AgeGroup::Middle, O::GeneralDevelopment, StayMode::Hours10);
    commitText(m, middleDay, "20"); // 45 pupils: day 20 + 20 compensating counted twice, short-term 5
    commitText(m, fields::providedServices(AgeGroup::Senior, O::GeneralDevelopment, StayMode::Hours14), "0");
    commitText(m, fields::providedServices(AgeGroup::Middle, O::GeneralDevelopment, StayMode::Hours3), "5");
    ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
    EXPECT_EQ(m.results.needs.headSalaryPupilCount, 60);
    EXPECT_DOUBLE_EQ(m.results.needs.headSalaryBase, average);

    commitText(m, middleDay, "155"); // 180 pupils
    ASSERT_FALSE(enterStep16(m).showError);
    EXPECT_DOUBLE_EQ(m.results.needs.headSalaryBase, 2 * average);
}

TEST(Step15, NeedsCountHoursOfStayWhateverMethodCameLast)
{
    auto first = afterStep13();
    ASSERT_FALSE(enterStep15(first, NormativeGroup::MiddleDay).showError);
    auto second = afterStep13();
    ASSERT_FALSE(enterStep14(second, Method::ByAllNeeds, Day).showError);
    ASSERT_FALSE(enterStep15(second, NormativeGroup::MiddleDay).showError);
    EXPECT_EQ(second.results.needs, first.results.needs);
    EXPECT_EQ(second.results.pupilHours.positionsPerGroupHour, first.results.pupilHours.positionsPerGroupHour);
}

TEST(Step15, SinglePrecisionResultsAreStoredAsFloats)
{
    auto m = afterStep13();
    ASSERT_FALSE(enterStep15(m, NormativeGroup::SeniorDay).showError);
    const NeedResults& n = m.results.needs;
    constexpr auto Senior = AgeGroup::Senior;
    const auto& perChild = n.pedNeedPerChild[Senior][Day];
    const auto& assistantPerChild = n.assistantNeedPerChild[Senior][Day];
    for (double v : {n.pedNeed[Senior][Day], n.assistantNeed[Senior][Day], perChild[O::Compensating],
             assistantPerChild[O::Compensating]})
        EXPECT_EQ(v, throughSingle(v));
    EXPECT_NE(n.pedNeed[Senior][Day], 1.342 * n.pedNeedWeighted[Senior][Day] / 0.64);
    EXPECT_NE(n.pedNeed[AgeGroup::Middle][Day], throughSingle(n.pedNeed[AgeGroup::Middle][Day]));
}

TEST(Step15, WhatCannotBeComputedShowsTheErrorPanelAndKeepsEarlierResults)
{
    // A 2011 total of 0 with 0 positions passes the check but leaves the head's salary undefined; a
    // typed group size of 0 divides every need by 0; a typed share of 100 % leaves no payroll.
    const std::vector<std::pair<FieldRef, const char*>> cases{
        {fields::payroll2011PedTotal(), "0"},
        {fields::groupSize(O::Compensating, AgeBand::ThreeAndOver), "0"},
        {fields::incentiveShareNonPed(), "100"},
        {fields::directStayHours(GroupKind::Compensating), "0"},
        {fields::monthsPerYear(), "abc"},
    };
    for (const auto& [field, text] : cases) {
        auto m = afterStep13();
        ASSERT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
        const CalcResults before = m.results;
        commitText(m, field, text);
        if (field == fields::payroll2011PedTotal())
            commitText(m, fields::positions2011PedTotal(), "0");
        EXPECT_TRUE(enterStep15(m, NormativeGroup::MiddleDay).showError) << text;
        EXPECT_TRUE(enterStep16(m).showError) << text;
        CalcResults expected = before;
        expected.checks = m.results.checks;
        EXPECT_EQ(m.results, expected);
    }
}
