#include "support.h"

#include "calc/steps.h"

#include <functional>
#include <optional>
#include <vector>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

// A work that passes the input check but whose step cannot be computed: the error panel lists the
// cause with the inputs behind it, as the check lists what it finds, each line a link to the input
// it names on a step; steps that can be computed stay so.
TEST(ComputationFailures, TheErrorPanelSaysWhy)
{
    struct Case {
        const char* what;
        std::function<void(InstitutionModel&)> change;
        std::function<StepView(InstitutionModel&)> enter;
        Texts failures;
        std::optional<FieldRef> link;
    };
    const auto step13 = [](InstitutionModel& m) { return enterStep13(m, Method::ByAllNeeds); };
    const auto step15 = [](InstitutionModel& m) { return enterStep15(m, NormativeGroup::SeniorDay); };
    const auto step16 = [](InstitutionModel& m) { return enterStep16(m); };
    const Case cases[] = {
        {"no pedagogical positions of 2011, no payroll",
            [](InstitutionModel& m) {
                commitText(m, fields::payroll2011PedTotal(), "0");
                commitText(m, fields::positions2011PedTotal(), "0");
            },
            step16,
            {"Шаг 8: Количество ставок педагогического персонала и УВП (всего) — 0 ставок: средняя зарплата, от "
             "которой считается оклад заведующего, не вычисляется (делить не на что)"},
            fields::positions2011PedTotal()},
        {"a typed stay mode of 0",
            [](InstitutionModel& m) { commitText(m, fields::otherStayHours(GroupKind::GeneralShortTerm), "0"); },
            step15,
            {"Шаг 4: Режим пребывания — 0 часов: на режим пребывания делится время работы каждой должности, "
             "делить не на что"},
            fields::otherStayHours(GroupKind::GeneralShortTerm)},
        {"a group size of 0",
            [](InstitutionModel& m) {
                commitText(m, fields::groupSize(GroupOrientation::Compensating, AgeBand::UnderThree), "0");
            },
            step16,
            {"Шаг 11: в группах коррекционной направленности, до 3-х лет — 0 детей в группе: на наполняемость "
             "делятся часы ребенка, делить не на что"},
            fields::groupSize(GroupOrientation::Compensating, AgeBand::UnderThree)},
        {"a special part of 100 %", [](InstitutionModel& m) { commitText(m, fields::specialPartSharePed(), "100"); },
            step15,
            {"Шаг 11: 2. Введите долю специальной части ФОТ педагогических работников — 100 %: без этой доли фонд "
             "оплаты труда равен нулю, а на него делится вся сумма"},
            fields::specialPartSharePed()},
        {"typed text where a list stands",
            [](InstitutionModel& m) {
                commitText(m, fields::otherHours(GroupKind::GeneralDay, StaffRole::Teacher), "abc");
            },
            step13, {"Шаг 2: Воспитатель — «abc» не является числом"},
            fields::otherHours(GroupKind::GeneralDay, StaffRole::Teacher)},
        {"a regional normative that is no number",
            [](InstitutionModel& m) {
                m.regionalNormative[StayRegime::Day][AgeGroup::Senior][NormativePart::Care] = ModelValue::text("много");
            },
            step15,
            {"Норматив финансирования региона: Группы с дневным режимом, Старшая группа (от 5 до 7 лет), уход и "
             "присмотр — «много» не является числом"},
            std::nullopt},
        {"service salaries beyond any estimate",
            [](InstitutionModel& m) {
                commitText(m, fields::serviceSalary(ServicePosition::Cook), "900000000000000");
                commitText(m, fields::servicePositions(ServicePosition::Cook), "99");
            },
            step16,
            {"Шаг 16: суммы слишком велики, чтобы их рассчитать и показать — проверьте фонд оплаты труда (Шаг 7), "
             "ставки (Шаг 8, Шаг 12) и оклады (Шаг 12)"},
            std::nullopt},
    };
    for (const Case& c : cases) {
        InstitutionModel m = defaults();
        c.change(m);
        const StepView v = c.enter(m);
        EXPECT_TRUE(v.showError) << c.what;
        EXPECT_EQ(v.failures, c.failures) << c.what;
        EXPECT_EQ(v.failureFields, std::vector{c.link}) << c.what;
    }
    // A group whose normative is no number fails alone.
    InstitutionModel m = defaults();
    cases[5].change(m);
    EXPECT_FALSE(enterStep15(m, NormativeGroup::MiddleDay).showError);
}
