#include "support.h"

#include "calc/all_results.h"
#include "calc/result_charts.h"

#include <set>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

namespace {

// A view whose label `label` shows `text` instead of what `view` shows.
StepView with(StepView view, std::string_view label, std::string text)
{
    for (LabelText& l : view.labels)
        if (l.label == label)
            l.text = std::move(text);
    return view;
}

std::vector<std::string> captions(const BarChart& chart)
{
    std::vector<std::string> out;
    for (const ChartLine& l : chart.lines)
        out.push_back(l.caption);
    return out;
}

} // namespace

// Normative and needs of each section and part of a group, on one scale, with the remainder in
// words; the description states every figure the table shows.
TEST(NormativeChart, DrawsTheTableOfTheGroupAndStatesItsFigures)
{
    const AllResults all = allResults(defaults());
    const BarChart chart = normativeChart(all.normativeTables[NormativeGroup::MiddleDay], NormativeGroup::MiddleDay);
    EXPECT_EQ(chart.name, "Норматив и потребности: Дневные группы, Средняя группа (от 3 до 5 лет)");
    EXPECT_EQ(captions(chart),
        (std::vector<std::string>{"Обучение, воспитание  и развитие", "Педагогический персонал", "АУП",
            "Обслуживающий персонал", "Материально-технические затраты", "Уход и присмотр", "УВП", "АУП",
            "Обслуживающий персонал", "Материально-технические затраты"}));
    const ChartLine& education = chart.lines[0];
    EXPECT_TRUE(education.heading);
    ASSERT_EQ(education.bars.size(), 2u);
    EXPECT_EQ(total(education.bars[0]), 79920);
    EXPECT_EQ(total(education.bars[1]), 68604);
    EXPECT_EQ(education.remark, "остаток 11316");
    EXPECT_EQ(chart.lines[6].remark, "не хватает 14035");
    EXPECT_EQ(chart.scale(), 79920); // the education normative is the longest bar
    EXPECT_EQ(chart.legend.size(), 2u);
    EXPECT_EQ(chart.sentences,
        (std::vector<std::string>{"Всего, рублей: норматив 115000, потребности 136949, не хватает 21949."}));
    EXPECT_EQ(chart.description,
        "Норматив и потребности: Дневные группы, Средняя группа (от 3 до 5 лет). Всего, рублей: норматив 115000, "
        "потребности 136949, не хватает 21949. Обучение, воспитание  и развитие: норматив 79920, потребности 68604, "
        "остаток 11316. Педагогический персонал: норматив 66568, потребности 57142, остаток 9426. АУП: норматив "
        "5548, потребности 4762, остаток 786. Обслуживающий персонал: норматив 4233, потребности 3634, остаток 599. "
        "Материально-технические затраты: норматив 3571, потребности 3066, остаток 505. Уход и присмотр: норматив "
        "35080, потребности 68345, не хватает 33265. УВП: норматив 14801, потребности 28836, не хватает 14035. АУП: "
        "норматив 2444, потребности 4762, не хватает 2318. Обслуживающий персонал: норматив 16786, потребности "
        "32703, не хватает 15917. Материально-технические затраты: норматив 1049, потребности 2044, не хватает 995.");
}

// Where there is nothing sound to draw the chart draws nothing and says why: a group without
// children (every normative and need 0, although the part remainders are not), a figure the
// table cannot show as a number, the error panel, a negative need. A service without normative
// and needs is named instead of drawn.
TEST(NormativeChart, SaysInWordsWhatItCannotDraw)
{
    const AllResults all = allResults(defaults());
    const BarChart empty
        = normativeChart(all.normativeTables[NormativeGroup::JuniorShortTerm], NormativeGroup::JuniorShortTerm);
    EXPECT_TRUE(empty.lines.empty());
    EXPECT_TRUE(empty.legend.empty());
    EXPECT_EQ(empty.description,
        "Норматив и потребности: Краткосрочные группы, Младшая группа (от 1,5 до 3 лет). Норматив и потребности этой "
        "группы равны нулю: сравнивать нечего.");

    const StepView middle = all.normativeTables[NormativeGroup::MiddleDay];
    for (const StepView& v : {with(middle, "Label76", "-"), with(middle, "Label82", ""), errorPanel()}) {
        const BarChart c = normativeChart(v, NormativeGroup::MiddleDay);
        EXPECT_TRUE(c.lines.empty());
        EXPECT_EQ(
            c.sentences, (std::vector<std::string>{"Диаграмма не построена: не все значения удалось рассчитать."}));
    }
    const BarChart negative = normativeChart(with(middle, "Label71", "-5"), NormativeGroup::MiddleDay);
    EXPECT_TRUE(negative.lines.empty());
    EXPECT_NE(negative.description.find("УВП: норматив 14801, потребности -5"), std::string::npos);

    const BarChart educationOnly
        = normativeChart(all.normativeTables[NormativeGroup::MiddleShortTerm], NormativeGroup::MiddleShortTerm);
    EXPECT_EQ(educationOnly.lines.size(), 5u);
    EXPECT_EQ(educationOnly.sentences.back(), "Уход и присмотр: норматив и потребности равны нулю.");
}

// The expenses as one bar of their kinds, which add up to the expenses the table shows, beside
// the subsidy; the difference in words and roubles.
TEST(EstimateChart, StacksTheExpensesBesideTheSubsidy)
{
    const StepView estimate = allResults(defaults()).estimate;
    const BarChart chart = estimateChart(estimate);
    ASSERT_EQ(chart.lines.size(), 2u);
    EXPECT_EQ(chart.lines[0].caption, "Расходы");
    ASSERT_EQ(chart.lines[0].bars.size(), 1u);
    EXPECT_EQ(chart.lines[0].bars[0].size(), 6u);
    EXPECT_EQ(total(chart.lines[0].bars[0]), 14079974);
    EXPECT_EQ(chart.lines[0].bars[0][4].value, 14079974 - 10137051 - 476052); // the accruals
    EXPECT_EQ(total(chart.lines[1].bars[0]), 10310000);
    std::set<Swatch> swatches;
    for (const LegendEntry& e : chart.legend)
        swatches.insert(e.swatch);
    EXPECT_EQ(swatches.size(), 7u);
    EXPECT_EQ(chart.sentences, (std::vector<std::string>{"Субсидии не хватает на покрытие расходов: 3769974 рублей."}));
    EXPECT_EQ(chart.description,
        "Структура расходов учреждения и выделенная субсидия. Всего расходов, с учетом начислений: 14079974 рублей, "
        "из них: Оплата труда педперсонала — 3967101; Оплата труда АУП — 837507; Оплата труда обслуживающего "
        "персонала — 3195000; Оплата труда УВП — 2137443; Начисления на оплату труда — 3466871; Материально - "
        "технические расходы — 476052. Выделена субсидия на выполение задания: 10310000 рублей. Субсидии не хватает "
        "на покрытие расходов: 3769974 рублей.");

    EXPECT_EQ(estimateChart(with(estimate, "Label183", "20000000")).sentences,
        (std::vector<std::string>{"Субсидия превышает расходы: остаток 5920026 рублей."}));
    EXPECT_EQ(estimateChart(with(estimate, "Label183", "14079974")).sentences,
        (std::vector<std::string>{"Субсидия равна расходам."}));
}

TEST(EstimateChart, SaysInWordsWhatItCannotDraw)
{
    const StepView estimate = allResults(defaults()).estimate;
    StepView zero = estimate;
    for (LabelText& l : zero.labels)
        l.text = "0";
    const BarChart nothing = estimateChart(zero);
    EXPECT_TRUE(nothing.lines.empty());
    EXPECT_EQ(nothing.sentences, (std::vector<std::string>{"Расходы и субсидия равны нулю: сравнивать нечего."}));

    for (const StepView& v : {with(estimate, "Label164", "-"), errorPanel()}) {
        const BarChart c = estimateChart(v);
        EXPECT_TRUE(c.lines.empty());
        EXPECT_EQ(c.description,
            "Структура расходов учреждения и выделенная субсидия. Диаграмма не построена: не все значения удалось "
            "рассчитать.");
    }
    // Expenses above their parts' sum would make the accruals negative: no bar can show that.
    const BarChart negative = estimateChart(with(estimate, "Label165", "1"));
    EXPECT_TRUE(negative.lines.empty());
    EXPECT_EQ(
        negative.sentences, (std::vector<std::string>{"Диаграмма не построена: среди значений есть отрицательные."}));

    const ExpenseStructure structure = expenseStructure(with(estimate, "Label163", "-"));
    EXPECT_FALSE(structure.complete());
    EXPECT_FALSE(structure.kinds[3].amount);
    EXPECT_EQ(structure.kinds[3].caption, "Оплата труда УВП");
}

// Kinds that stand side by side differ in colour and, where their lightness is alike, in hatch.
TEST(Swatches, EveryKindOfExpenseLooksItsOwn)
{
    std::set<std::pair<std::uint32_t, Hatch>> looks;
    for (Swatch s : {Swatch::PedagogicalPay, Swatch::AdminPay, Swatch::ServicePay, Swatch::AssistantPay,
             Swatch::Accruals, Swatch::Material, Swatch::Subsidy})
        looks.insert({look(s).rgb, look(s).hatch});
    EXPECT_EQ(looks.size(), 7u);
    EXPECT_NE(look(Swatch::Normative).hatch, look(Swatch::Need).hatch);
}
