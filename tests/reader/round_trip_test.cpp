// Writing the report and opening it gives the same work: every input control shows the same text
// and steps 13–16 show the same texts, on many random works.
#include "workbook_parts.h"

#include "reader/report_reader.h"
#include "report/report_layout.h"

#include "common/golden_road.h"
#include "common/random_work.h"

#include "model/conversion.h"
#include "model/defaults.h"
#include "model/regions.h"

#include <gtest/gtest.h>

using namespace kvarton;
using namespace kvarton::reader;
using namespace kvarton::test;

namespace {

// The text an input shows after the round trip. The report holds amounts as numbers, so an
// amount typed in another form than the shortest ("123,50", "-0", "007") comes back in it, the
// same amount; everything else comes back exactly.
std::string shownAfterRoundTrip(const ModelValue& value)
{
    const std::string shown = value.displayText();
    const auto amount = report::reportNumber(value);
    if (!value.isText() || !amount)
        return shown;
    return Currency::fromDouble(*amount)->decimalText();
}

TEST(RoundTrip, RandomWorksComeBackAsTheyWereWritten)
{
    int compared = 0, notWritable = 0, emptyAmounts = 0, retyped = 0;
    for (std::uint32_t seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        const InstitutionModel work = RandomWork(seed).work();
        if (!report::invalidInputs(work).empty()) {
            ++notWritable; // the report screen refuses it
            continue;
        }
        const ReportRead read = readReportBytes(reportBytes(work), "Отчет.xlsx");
        ASSERT_TRUE(std::holds_alternative<InstitutionModel>(read)) << std::get<ReadProblem>(read).message;
        const InstitutionModel& back = std::get<InstitutionModel>(read);

        EXPECT_EQ(back.regionName, work.regionName);
        EXPECT_EQ(back.institutionName, work.institutionName);
        EXPECT_EQ(back.surname, work.surname);
        EXPECT_EQ(back.firstInitial, work.firstInitial);
        EXPECT_EQ(back.patronymicInitial, work.patronymicInitial);
        bool exact = true, emptyAmount = false;
        for (const report::ReportCell& cell : report::reportCells()) {
            const auto* input = std::get_if<report::InputCell>(&cell.content);
            if (!input)
                continue;
            const ModelValue& before = field(work, input->field);
            EXPECT_EQ(field(back, input->field).displayText(), shownAfterRoundTrip(before)) << input->name;
            exact = exact && before.displayText() == shownAfterRoundTrip(before);
            emptyAmount = emptyAmount || (before.isText() && before.textIf()->empty());
        }
        retyped += !exact;
        // An amount left empty is written as 0: the input check of step 13 then finds a number
        // where it found none. Every other work computes alike.
        if (emptyAmount) {
            ++emptyAmounts;
            continue;
        }
        EXPECT_EQ(goldenRoad(back), goldenRoad(work));
        ++compared;
    }
    std::printf("%d works compared along every panel, %d with an amount in another form than its shortest, %d with an "
                "empty amount, %d not writable\n",
        compared, retyped, emptyAmounts, notWritable);
    EXPECT_GT(compared, 120);
}

// Defaults never typed are numbers of every kind (whole, decimal, single, money texts); they come
// back as the texts their controls show, and compute alike, in every region.
TEST(RoundTrip, DefaultsNeverTypedInEveryRegion)
{
    for (const Region& region : regions()) {
        SCOPED_TRACE(std::string(region.name));
        InstitutionModel work;
        work.regionName = std::string(region.name);
        work.regionCoefficient = region.coefficient;
        work.institutionName = "Сад";
        resetToDefaults(work);
        const ReportRead read = readReportBytes(reportBytes(work), "Отчет.xlsx");
        ASSERT_TRUE(std::holds_alternative<InstitutionModel>(read));
        const InstitutionModel& back = std::get<InstitutionModel>(read);
        for (FieldRef f : inputFields())
            ASSERT_EQ(field(back, f).displayText(), field(work, f).displayText());
        EXPECT_EQ(back.regionalNormative, work.regionalNormative);
        EXPECT_EQ(goldenRoad(back), goldenRoad(work));
    }
}

} // namespace
