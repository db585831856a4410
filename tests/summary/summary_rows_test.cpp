// Every row of the summary equals what the screens of steps 13–16 show for the report's work; a
// folder of reports, foreign, damaged and re-saved workbooks; the order of the rows.
#include "summary/collation.h"
#include "summary/input_files.h"
#include "summary/summary_columns.h"
#include "summary/summary_rows.h"
#include "summary/summary_workbook.h"

#include "calc/steps.h"
#include "reader/report_reader.h"
#include "report/report.h"
#include "report/xlsx_workbook.h"

#include "common/random_work.h"

#include "model/conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace kvarton;
using namespace kvarton::summary;

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

class Folder final {
public:
    explicit Folder(const std::string& name)
        : path_(fs::temp_directory_path() / fs::path(u8"kvarton-сводка-" + std::u8string(name.begin(), name.end())))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~Folder() { fs::remove_all(path_); }
    fs::path operator/(const std::string& name) const
    {
        return path_ / fs::path(std::u8string(reinterpret_cast<const char8_t*>(name.data()), name.size()));
    }
    std::string path() const { return utf8(path_); }

private:
    fs::path path_;
};

// What the calculation screen shows in a value label when the learner enters the label's step
// with the column's option selected, coming from step 13 as the wizard does (steps 15 and 16 read
// the pupils counted there). Independent of the summary's own road through the steps.
std::optional<std::string> onScreen(const InstitutionModel& work, const SummaryColumn& c)
{
    InstitutionModel m = work;
    calc::StepView view;
    switch (c.panel) {
    case calc::ResultsPanel::PupilHourCost:
        view = calc::enterStep13(m, static_cast<calc::Method>(c.option));
        break;
    case calc::ResultsPanel::Incentives:
        view = calc::enterStep14(m, static_cast<calc::Method>(c.option / 2), StayRegime::Day);
        break;
    case calc::ResultsPanel::NormativeTable:
        calc::enterStep13(m, calc::Method::ByRecommendations);
        view = calc::enterStep15(m, static_cast<calc::NormativeGroup>(c.option));
        break;
    case calc::ResultsPanel::Estimate:
        calc::enterStep13(m, calc::Method::ByRecommendations);
        view = calc::enterStep16(m);
        break;
    }
    if (view.showError || !c.label)
        return std::nullopt;
    const std::string* text = calc::textOf(view, c.label->name);
    return text ? std::optional(*text) : std::nullopt;
}

// The figure as its label would show it: the number in the label's pattern, or the text itself.
std::optional<std::string> asShown(const SummaryValue& v, const SummaryColumn& c)
{
    if (const auto* number = std::get_if<double>(&v))
        return format(*number, c.label ? c.label->pattern : Pattern::Whole);
    if (const auto* text = std::get_if<std::string>(&v))
        return *text;
    return std::nullopt;
}

TEST(SummaryRows, GeneratedReportsEqualTheScreensRowByRow)
{
    Folder folder("random");
    const auto columns = summaryColumns();
    int compared = 0, withErrorPanel = 0;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        const InstitutionModel work = test::RandomWork(seed).work();
        const std::string path = utf8(folder / ("Отчет " + std::to_string(seed) + ".xlsx"));
        if (report::writeXlsxReport(work, path))
            continue; // the report screen refuses this work
        const FileSummary summary = summarizeFile(path);
        ASSERT_TRUE(std::holds_alternative<SummaryRow>(summary)) << std::get<UnreadFile>(summary).reason;
        const SummaryRow& row = std::get<SummaryRow>(summary);
        // The screens of the work the report holds: what a teacher opening it sees.
        const auto read = reader::readReport(path);
        const InstitutionModel& opened = std::get<InstitutionModel>(read);
        EXPECT_EQ(row.fileName, "Отчет " + std::to_string(seed) + ".xlsx");
        EXPECT_EQ(row.region, work.regionName);
        EXPECT_EQ(row.institution, work.institutionName);
        EXPECT_EQ(row.learner, learnerName(work));
        ASSERT_EQ(row.figures.size(), columns.size());
        for (std::size_t i = 0; i + 1 < columns.size(); ++i)
            EXPECT_EQ(asShown(row.figures[i], columns[i]), onScreen(opened, columns[i])) << columns[i].head;
        // The balance adds up with the two numbers shown beside it.
        const std::size_t b = subsidyBalanceColumn();
        if (std::holds_alternative<double>(row.figures[b - 2]) && std::holds_alternative<double>(row.figures[b - 1]))
            EXPECT_EQ(std::get<double>(row.figures[b]),
                std::get<double>(row.figures[b - 1]) - std::get<double>(row.figures[b - 2]));
        else
            EXPECT_TRUE(std::holds_alternative<std::monostate>(row.figures[b]));
        withErrorPanel += !row.note.empty();
        ++compared;
    }
    std::printf(
        "%d reports compared with the screens, %d of them with the error panel on a step\n", compared, withErrorPanel);
    EXPECT_GT(compared, 40);
    EXPECT_GT(withErrorPanel, 0);
}

TEST(SummaryRows, AFolderWithForeignDamagedAndResavedWorkbooks)
{
    Folder folder("mixed");
    const std::string corpus = KVARTON_FUZZ_CORPUS;
    for (const char* name : {"report.xlsx", "report-libreoffice.xlsx", "foreign.xlsx", "truncated.xlsx"})
        fs::copy_file(fs::path(corpus) / name, folder / name);
    std::ofstream(folder / "~$report.xlsx") << "lock"; // Excel's lock file beside an open workbook
    std::ofstream(folder / "notes.txt") << "не отчет";
    const InputFiles inputs = inputFiles({folder.path()});
    EXPECT_TRUE(inputs.problems.empty());
    ASSERT_EQ(inputs.files.size(), 4u);

    std::vector<SummaryRow> rows;
    std::vector<UnreadFile> unread;
    for (const std::string& file : inputs.files) {
        FileSummary s = summarizeFile(file);
        if (auto* row = std::get_if<SummaryRow>(&s))
            rows.push_back(*row);
        else
            unread.push_back(std::get<UnreadFile>(s));
    }
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(unread.size(), 2u);
    // The copy re-saved by a spreadsheet program gives the same figures as the report itself.
    EXPECT_EQ(rows[0].figures, rows[1].figures);
    EXPECT_EQ(rows[0].institution, rows[1].institution);
    // The reasons are those of opening the file in the program.
    for (const UnreadFile& f : unread) {
        const auto read = reader::readReport(utf8(folder / f.fileName));
        ASSERT_TRUE(std::holds_alternative<reader::ReadProblem>(read));
        EXPECT_EQ(f.reason, std::get<reader::ReadProblem>(read).reason);
        EXPECT_EQ(f.folder, folder.path());
    }
    EXPECT_EQ(unread[0].fileName, "foreign.xlsx");
    EXPECT_EQ(unread[1].fileName, "truncated.xlsx");
    EXPECT_FALSE(unread[0].ownSummary || unread[1].ownSummary);
    // A summary the program wrote of them beside them is passed over as such, not as a report.
    const fs::path earlier = folder / "Сводка Квартон.xlsx";
    ASSERT_FALSE(report::writeWorkbook(summaryWorkbook(rows, unread), utf8(earlier)));
    const FileSummary summary = summarizeFile(utf8(earlier));
    ASSERT_TRUE(std::holds_alternative<UnreadFile>(summary));
    EXPECT_TRUE(std::get<UnreadFile>(summary).ownSummary);
    fs::remove(earlier);

    // Given again as files, and a folder without workbooks, and a file that is not there.
    Folder empty("empty");
    const InputFiles again
        = inputFiles({utf8(folder / "report.xlsx"), folder.path(), empty.path(), utf8(folder / "нет.xlsx")});
    EXPECT_EQ(again.files.size(), 5u); // report.xlsx once, the three others of the folder, the missing file
    ASSERT_EQ(again.problems.size(), 1u);
    EXPECT_EQ(again.problems[0].path, empty.path());
    const FileSummary missing = summarizeFile(utf8(folder / "нет.xlsx"));
    ASSERT_TRUE(std::holds_alternative<UnreadFile>(missing));
    EXPECT_EQ(std::get<UnreadFile>(missing).reason, reader::why::notFound());
}

TEST(SummaryRows, SortedByRegionInstitutionLearnerAsARussianList)
{
    const auto row = [](std::string region, std::string institution, std::string file) {
        return SummaryRow{std::move(file), std::move(region), std::move(institution), "", {}, ""};
    };
    std::vector<SummaryRow> rows{row("Камчатский край", "ДОУ № 2", "a"), row("г. Москва", "Сад", "b"),
        row("Амурская область", "ёлочка", "c"), row("Амурская область", "Елка", "d"),
        row("Амурская область", "Жук", "e"), row("Амурская область", "Ель", "f"), row("Амурская область", "Zebra", "g"),
        row("Камчатский край", "ДОУ № 10", "h")};
    sortRows(rows);
    std::string order;
    for (const SummaryRow& r : rows)
        order += r.fileName;
    // Case does not count, "ё" follows "е", Latin follows Cyrillic, a lower-case region sorts by its letter.
    EXPECT_EQ(order, "dfcegbha");
    EXPECT_LT(collationKey("елка"), collationKey("Ёлка"));
    EXPECT_LT(collationKey("Ёлка"), collationKey("жук"));
}

TEST(SummaryRows, LearnerNameAddsTheInitialsFullStops)
{
    InstitutionModel m;
    m.surname = " Иванова ";
    m.firstInitial = "А";
    m.patronymicInitial = "Б.";
    EXPECT_EQ(learnerName(m), "Иванова А. Б.");
    m.patronymicInitial.clear();
    EXPECT_EQ(learnerName(m), "Иванова А.");
}

} // namespace
