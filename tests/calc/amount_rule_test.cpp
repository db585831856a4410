#include "support.h"

#include "calc/amount_rule.h"
#include "calc/input_checks.h"
#include "calc/total_rule.h"
#include "model/field_keys.h"

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

const FieldRef kTeacherPayroll = fields::payroll2011(StaffRole::Teacher);
const FieldRef kOtherSalary = fields::serviceSalary(ServicePosition::OtherPositions); // single

} // namespace

// The amounts learners really type, judged as the check of steps 13–16 judges them.
TEST(AmountRule, AmountsAsLearnersTypeThem)
{
    const struct {
        const char* typed;
        std::optional<AmountProblem> problem;
    } cases[] = {
        {"1234567,89", std::nullopt}, {"4304792", std::nullopt},
        {"-500", std::nullopt}, // a refund is a number; the check does not judge the sign
        {"0", std::nullopt}, {"", AmountProblem::Empty},
        {"12 000", AmountProblem::NotANumber}, // a blank between the thousands
        {"12\u00A0000", AmountProblem::NotANumber}, // a non-breaking one, as copied from a document
        {"12\u202F000", AmountProblem::NotANumber}, // a narrow non-breaking one
        {"1.5", AmountProblem::NotANumber}, // the decimal point
        {"1500,", AmountProblem::NotANumber}, // a trailing comma
        {",5", AmountProblem::NotANumber}, {"1e5", AmountProblem::NotANumber}, // an exponent
        {" 1500", AmountProblem::NotANumber}, {"15 руб.", AmountProblem::NotANumber},
        {"922337203685478", AmountProblem::TooLarge}, // beyond what money holds
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedAmountProblem(kTeacherPayroll, c.typed), c.problem) << '"' << c.typed << '"';
        // The same text committed and checked on entering step 13: the mark and the check agree.
        auto m = defaults();
        commitText(m, kTeacherPayroll, c.typed);
        EXPECT_EQ(runInputChecks(m), !c.problem.has_value()) << '"' << c.typed << '"';
    }
}

TEST(AmountRule, TheSingleSalaryIsJudgedAsItIsStored)
{
    EXPECT_EQ(typedAmountProblem(kOtherSalary, "14000,5"), std::nullopt);
    EXPECT_EQ(typedAmountProblem(kOtherSalary, "14 000"), AmountProblem::NotANumber);
    EXPECT_EQ(typedAmountProblem(kOtherSalary, ""), AmountProblem::Empty);
    EXPECT_EQ(typedAmountProblem(kOtherSalary, "1000000000000000000000"), AmountProblem::TooLarge);
}

TEST(AmountRule, TheCheckedAmountsAreThoseTheLearnerTypes)
{
    const auto amounts = checkedAmounts();
    EXPECT_EQ(amounts.size(), 27u); // 16 payrolls of step 7, 11 salaries of step 12
    for (FieldRef r : amounts)
        EXPECT_TRUE(isCheckedAmount(r));
    EXPECT_FALSE(isCheckedAmount(fields::positions2011(StaffRole::Teacher)));
    EXPECT_FALSE(isCheckedAmount(fields::groupSize(GroupOrientation::Compensating, AgeBand::ThreeAndOver)));
}

TEST(AmountRule, TheNoteCountsInRussian)
{
    EXPECT_EQ(amountNote(1).rfind("Проверьте 1 поле:", 0), 0u);
    EXPECT_EQ(amountNote(2).rfind("Проверьте 2 поля:", 0), 0u);
    EXPECT_EQ(amountNote(5).rfind("Проверьте 5 полей:", 0), 0u);
    EXPECT_EQ(amountNote(11).rfind("Проверьте 11 полей:", 0), 0u);
    EXPECT_EQ(amountNote(21).rfind("Проверьте 21 поле:", 0), 0u);
    EXPECT_EQ(amountNote(24).rfind("Проверьте 24 поля:", 0), 0u);
    EXPECT_EQ(amountHint(AmountProblem::NotANumber), "Введите число: цифры и запятая, например 1234567,89");
}

// The error panel's list: each failed input once, named as its step shows it, by step.
TEST(InputCheckFailures, EveryKindNamedAsTheLearnerSawIt)
{
    auto m = defaults();
    EXPECT_TRUE(inputCheckFailures(m).empty());
    commitText(m, fields::serviceSalary(ServicePosition::Accountant), "16.000");
    commitText(m, kTeacherPayroll, "12 000");
    commitText(m, fields::payroll2011(StaffRole::Methodologist), "120000");
    commitText(m, fields::payroll2011Admin(), "");
    commitText(m, fields::providedServices(AgeGroup::Junior, GroupOrientation::Compensating, StayMode::Hours12), "90");
    for (StaffRole r : allOf<StaffRole>())
        commitText(m, fields::directHours(GroupKind::Compensating, r), "0");

    const Texts expected{
        "Шаг 5: у всех должностей 0 часов непосредственной работы с детьми",
        "Шаг 7: Воспитатель — «12 000» не является числом",
        "Шаг 7: Фонд оплаты труда заведующих и заместителей заведующих — поле не заполнено",
        "Шаг 8: Инструктор - методист — 0 ставок при фонде 120000",
        "Шаг 10: от 1,5 до 3-х лет (младшая группа), 12 часов — всего 0, а в коррекционных группах 90",
        "Шаг 12: Бухгалтер, экономист, оклад на должность — «16.000» не является числом",
    };
    EXPECT_EQ(inputCheckFailures(m), expected);
    EXPECT_FALSE(runInputChecks(m));
}

// A total of steps 7 and 8 is marked only when its parts, as typed, add up to more than it.
TEST(AmountRule, TotalsSmallerThanTheirParts)
{
    using Texts = std::vector<std::string>;
    const struct {
        Texts parts;
        const char* total;
        const char* hint; // nullptr: not marked
    } cases[] = {
        {{"9000000", "500"}, "1000", "Сумма по должностям 9000500 больше итога 1000"},
        {{"9000000", "500"}, "9000500", nullptr}, // equal is sound
        {{"9000000", "500"}, "9999999", nullptr}, // the total may hold roles not listed
        {{"0,1", "0,2"}, "0,3", nullptr}, // positions add exactly, no binary remainder
        {{"0,1", "0,25"}, "0,3", "Сумма по должностям 0,35 больше итога 0,3"},
        {{"abc", "", "7"}, "5", "Сумма по должностям 7 больше итога 5"}, // no number counts as nothing
        {{"7"}, "", nullptr},
        {{"7"}, "пять", nullptr}, // the amount mark speaks for the total
        {{"922337203685477", "922337203685477"}, "1", nullptr}, // a sum money cannot hold
        {{"-5", "3"}, "0", nullptr},
    };
    for (const auto& c : cases) {
        const auto excess = totalExcess(c.parts, c.total);
        ASSERT_EQ(excess.has_value(), c.hint != nullptr) << c.total;
        if (excess) {
            EXPECT_EQ(totalHint(*excess), c.hint);
        }
    }
    // Both totals are the pedagogical staff's, each over the eleven pedagogical roles of its own
    // step; the course's defaults add up so, to the position.
    ASSERT_EQ(typedTotals().size(), 2u);
    EXPECT_EQ(typedTotals()[0].total, fields::payroll2011PedTotal());
    EXPECT_EQ(typedTotals()[1].parts.size(), 11u);
    EXPECT_EQ(typedTotals()[1].parts.back(), fields::positions2011(StaffRole::SpeechTherapist));
    auto m = defaults();
    for (const TypedTotal& t : typedTotals()) {
        std::vector<std::string> parts;
        for (FieldRef part : t.parts)
            parts.push_back(field(m, part).displayText());
        EXPECT_FALSE(totalExcess(parts, field(m, t.total).displayText())) << fieldKey(t.total);
    }
}
