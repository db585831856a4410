#include "support.h"

#include "calc/panels.h"

#include <set>
#include <string_view>
#include <utility>

using namespace kvarton;
using namespace kvarton::calc;
using namespace kvarton::calc::test;

// The screen finds its labels by object name: a value label named twice, or named like a caption,
// unit or head, would receive another label's text.
TEST(Panels, EveryLabelNameStandsOnceOnTheScreen)
{
    std::multiset<std::string_view> all;
    const auto add = [&all](const PanelText& t) {
        if (!t.name.empty())
            all.insert(t.name);
    };
    std::size_t values = 0;
    for (ResultsPanel p : allOf<ResultsPanel>()) {
        const Panel& panel = calc::panel(p);
        add(panel.captionsHead);
        for (const PanelText& head : panel.columnHeads)
            add(head);
        std::set<std::string_view> captions; // a caption label may serve several lines in a row
        std::set<std::string_view> headings;
        for (const PanelLine& line : panel.lines) {
            EXPECT_FALSE(line.caption.text.empty()) << line.caption.name;
            captions.insert(line.caption.name);
            if (!line.heading.name.empty())
                headings.insert(line.heading.name);
            for (const ValueLabel& v : line.values) {
                add({v.name, {}});
                add(v.unit);
                values += v.name.empty() ? 0 : 1;
            }
        }
        for (std::string_view name : captions)
            all.insert(name);
        for (std::string_view name : headings)
            all.insert(name);
    }
    for (std::string_view name : all)
        EXPECT_EQ(all.count(name), 1u) << name;
    EXPECT_EQ(values, 10u + 27u + 33u + 38u);
    const std::pair<ResultsPanel, std::size_t> counts[] = {{ResultsPanel::PupilHourCost, 10},
        {ResultsPanel::Incentives, 27}, {ResultsPanel::NormativeTable, 33}, {ResultsPanel::Estimate, 38}};
    for (const auto& [p, count] : counts) {
        EXPECT_EQ(valueLabels(p).size(), count);
        EXPECT_EQ(valueLabelCount(p), count);
    }
}

// A results sheet or a summary writes each figure under the screen's own caption.
TEST(Panels, AValueLabelLeadsToItsCaptionUnitColumnAndDecimals)
{
    const auto cost = findValueLabel("Label1010");
    ASSERT_TRUE(cost);
    EXPECT_EQ(cost->panel, ResultsPanel::PupilHourCost);
    EXPECT_EQ(cost->line->caption.text, "Стоимость ученико - часа в группах с краткосрочным режимом пребывания");
    EXPECT_EQ(cost->value->unit.text, "рублей на воспитанника ");
    EXPECT_EQ(decimals(cost->value->pattern), 1);
    EXPECT_EQ(cost->columnHead(), "");

    const auto amount = findValueLabel("Label65"); // the speech therapist's raise
    ASSERT_TRUE(amount);
    EXPECT_EQ(amount->line, &incentiveLine(StaffRole::SpeechTherapist));
    EXPECT_EQ(
        amount->line->heading.text, "Повышающие коэффициенты на категорию персонала в группах с обычным режимом:");
    EXPECT_EQ(amount->column, static_cast<std::size_t>(RoleColumn::Amount));
    EXPECT_EQ(decimals(value(*amount->line, RoleColumn::Coefficient).pattern), 2);

    const auto need = findValueLabel("Label71");
    ASSERT_TRUE(need);
    EXPECT_EQ(need->line->caption.text, "УВП");
    EXPECT_TRUE(need->line->indented);
    EXPECT_EQ(need->columnHead(), "Потребности");

    // The role lines of step 16 each carry their line of the shared caption.
    const auto special = findValueLabel("Label168");
    ASSERT_TRUE(special);
    EXPECT_EQ(special->line, &estimateLine(StaffRole::MusicDirector));
    EXPECT_EQ(special->line->caption.text, "музыкальные руководители");
    EXPECT_EQ(special->columnHead(), "в том числе спец. часть");

    EXPECT_FALSE(findValueLabel("Label127")); // a caption, not a value
    EXPECT_FALSE(findValueLabel("Label2010"));
}
