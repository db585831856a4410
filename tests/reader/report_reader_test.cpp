#include "workbook_parts.h"

#include "reader/report_reader.h"
#include "report/report_layout.h"

#include "model/defaults.h"
#include "model/regions.h"

#include <gtest/gtest.h>

#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace kvarton;
using namespace kvarton::reader;
using namespace kvarton::test;

namespace {

// A learner in Kamchatka who typed kopecks, chose list items and left other fields at defaults.
InstitutionModel kamchatka()
{
    InstitutionModel m;
    m.regionName = "Камчатский край";
    m.regionCoefficient = regionCoefficient(m.regionName);
    m.institutionName = "  МБДОУ «Солнышко» & \"Ко\" <№ 7> ";
    m.surname = "О'Нил";
    m.firstInitial = "Ё";
    m.patronymicInitial = "";
    resetToDefaults(m);
    m.currentStep = 16;
    for (const report::ReportCell& cell : report::reportCells())
        if (const auto* input = std::get_if<report::InputCell>(&cell.content); input && cell.row == 40)
            commitText(m, input->field, input->step == 7 ? "45600,05" : "1,9");
    m.serviceSalary[ServicePosition::OtherPositions] = ModelValue::singleFromText("14000,5");
    m.directHours[GroupKind::GeneralDay][StaffRole::PhysicalInstructor] = ModelValue::text("0,25");
    return m;
}

const InstitutionModel& read(const ReportRead& r)
{
    if (const auto* problem = std::get_if<ReadProblem>(&r))
        ADD_FAILURE() << problem->message;
    static const InstitutionModel none;
    return std::holds_alternative<InstitutionModel>(r) ? std::get<InstitutionModel>(r) : none;
}

std::string problem(const ReportRead& r)
{
    if (const auto* p = std::get_if<ReadProblem>(&r))
        return p->message;
    return "(read without a problem)";
}

void expectSameInputs(const InstitutionModel& expected, const InstitutionModel& actual)
{
    for (const report::ReportCell& cell : report::reportCells())
        if (const auto* input = std::get_if<report::InputCell>(&cell.content)) {
            EXPECT_EQ(field(actual, input->field).displayText(), field(expected, input->field).displayText())
                << report::cellAddress(cell.row, cell.column) << " " << input->name;
        }
}

TEST(ReportReader, ReadsTheProgramsReportIntoANewWork)
{
    const InstitutionModel m = kamchatka();
    const InstitutionModel back = read(readReportBytes(reportBytes(m), "Отчет.xlsx"));
    EXPECT_EQ(back.regionName, m.regionName);
    EXPECT_EQ(back.regionCoefficient, m.regionCoefficient);
    EXPECT_EQ(back.institutionName, m.institutionName); // blanks, quotes and brackets as typed
    EXPECT_EQ(back.surname, m.surname);
    EXPECT_EQ(back.firstInitial, m.firstInitial);
    EXPECT_EQ(back.patronymicInitial, "");
    EXPECT_EQ(back.currentStep, 0);
    expectSameInputs(m, back);
    EXPECT_EQ(back.payroll2011[StaffRole::MusicDirector], ModelValue::text("45600,05"));
    // Committed as typing is: single fields hold single numbers, the others texts.
    EXPECT_EQ(back.serviceSalary[ServicePosition::OtherPositions], ModelValue::single(14000.5f));
    EXPECT_EQ(back.positions2011Service, ModelValue::single(14.0f));
    EXPECT_EQ(back.positions2011PedTotal, ModelValue::text("25,9"));
    // The regional normatives come from the region, as on confirming the personal data.
    EXPECT_EQ(back.regionalNormative, m.regionalNormative);
}

TEST(ReportReader, ReadsAFileByItsUtf8Path)
{
    const auto folder = std::filesystem::temp_directory_path() / u8"kvarton-reader-Отчеты";
    std::filesystem::create_directories(folder);
    const auto path = folder / u8"Отчет Квартон.xlsx";
    writeFile(path, reportBytes(kamchatka()));
    const auto u8 = path.u8string();
    const ReportRead r = readReport(std::string(reinterpret_cast<const char*>(u8.data()), u8.size()));
    EXPECT_EQ(read(r).surname, "О'Нил");

    const auto missing = (folder / u8"нет такого.xlsx").u8string();
    EXPECT_EQ(problem(readReport(std::string(reinterpret_cast<const char*>(missing.data()), missing.size()))),
        "Файл «нет такого.xlsx» не открыт: файл не найден.");
    const auto dir = folder.u8string();
    EXPECT_EQ(problem(readReport(std::string(reinterpret_cast<const char*>(dir.data()), dir.size()))),
        "Файл «kvarton-reader-Отчеты» не открыт: это не файл, а папка.");
#ifndef _WIN32
    // A pipe would keep the reading waiting for a writer.
    const auto pipe = folder / "pipe.xlsx";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(problem(readReport(pipe.string())),
        "Файл «pipe.xlsx» не открыт: это не файл с данными, а устройство или канал.");
    // Links that lead round in a circle, or to nothing.
    std::filesystem::create_symlink("loop.xlsx", folder / "loop.xlsx");
    std::filesystem::create_symlink("нет такого.xlsx", folder / "link.xlsx");
    for (const char* link : {"loop.xlsx", "link.xlsx"})
        EXPECT_EQ(problem(readReport((folder / link).string())),
            "Файл «" + std::string(link)
                + "» не открыт: это ссылка, которая не ведет к файлу: файла нет или ссылки ведут по кругу.");
#endif
    std::filesystem::remove_all(folder);
}

TEST(ReportReader, RefusesAWorkbookOfAnotherLayoutNamingTheFirstCellThatDiffers)
{
    const std::string bytes = reportBytes(kamchatka());
    Parts parts(bytes);
    parts["xl/sharedStrings.xml"] = replaced(parts["xl/sharedStrings.xml"], "<t>Режим пребывания</t>", "<t>Режим</t>");
    EXPECT_EQ(problem(readReportBytes(parts.bytes(), "Книга1.xlsx")),
        "Файл «Книга1.xlsx» не открыт: это не отчет Квартона: в ячейке A8 должно быть «Режим пребывания», а стоит "
        "«Режим».");

    Parts blank(bytes);
    blank["xl/worksheets/sheet1.xml"]
        = replaced(blank["xl/worksheets/sheet1.xml"], "<c r=\"A1\" s=\"2\" t=\"s\"><v>0</v></c>", "");
    const ReportRead r = readReportBytes(blank.bytes(), "Книга1.xlsx");
    ASSERT_TRUE(std::holds_alternative<ReadProblem>(r));
    EXPECT_EQ(std::get<ReadProblem>(r).reason, "это не отчет Квартона: в ячейке A1 должно быть «Округ», а она пустая.");
}

// The report holds every input as a number; a spreadsheet program lets a learner put anything there.
TEST(ReportReader, NamesAnInputCellThatHoldsNoNumberByItsStepAndCaption)
{
    const std::string bytes = reportBytes(kamchatka());
    const auto withB40 = [&](std::string_view cell) {
        Parts parts(bytes);
        std::string& sheet = parts["xl/worksheets/sheet1.xml"];
        const std::size_t at = sheet.find("<c r=\"B40\"");
        sheet.replace(at, sheet.find("</c>", at) + 4 - at, cell);
        return readReportBytes(parts.bytes(), "Отчет.xlsx");
    };
    EXPECT_EQ(std::get<ReadProblem>(withB40("<c r=\"B40\" t=\"inlineStr\"><is><t>сорок тысяч</t></is></c>")).reason,
        "в ячейке B40 (Шаг 7: Музыкальный руководитель) должно быть число, а стоит «сорок тысяч».");
    EXPECT_EQ(std::get<ReadProblem>(withB40("<c r=\"B40\" s=\"2\"/>")).reason,
        "в ячейке B40 (Шаг 7: Музыкальный руководитель) должно быть число, а она пустая.");
    EXPECT_EQ(std::get<ReadProblem>(withB40("<c r=\"B40\" t=\"e\"><v>#DIV/0!</v></c>")).reason,
        "в ячейке B40 (Шаг 7: Музыкальный руководитель) должно быть число, а стоит «#DIV/0!».");
    EXPECT_EQ(std::get<ReadProblem>(withB40("<c r=\"B40\"><v>1E+300</v></c>")).reason,
        "число в ячейке B40 (Шаг 7: Музыкальный руководитель) слишком велико.");
    // Numbers written as text, with a comma or a point, read as numbers; to four decimals, as
    // the report holds amounts.
    EXPECT_EQ(read(withB40("<c r=\"B40\" t=\"inlineStr\"><is><t> 45600,5 </t></is></c>"))
                  .payroll2011[StaffRole::MusicDirector],
        ModelValue::text("45600,5"));
    EXPECT_EQ(read(withB40("<c r=\"B40\" t=\"str\"><f>1/3</f><v>0.333333333333333</v></c>"))
                  .payroll2011[StaffRole::MusicDirector],
        ModelValue::text("0,3333"));
    EXPECT_EQ(read(withB40("<c r=\"B40\" t=\"n\"><v>4.56005E4</v></c>")).payroll2011[StaffRole::MusicDirector],
        ModelValue::text("45600,5"));
}

TEST(ReportReader, KeepsAValueThatIsNoItemOfItsList)
{
    Parts parts(reportBytes(kamchatka()));
    std::string& sheet = parts["xl/worksheets/sheet1.xml"];
    const std::size_t at = sheet.find("<c r=\"B9\"");
    sheet.replace(at, sheet.find("</c>", at) + 4 - at, "<c r=\"B9\"><v>7.77</v></c>");
    const InstitutionModel back = read(readReportBytes(parts.bytes(), "Отчет.xlsx"));
    EXPECT_EQ(back.directHours[GroupKind::GeneralDay][StaffRole::Teacher], ModelValue::text("7,77"));
}

// A region is taken as saved works take it, in the table's spelling; no region chosen stays so, as
// on the personal-data screen; a text that names no region is refused, or the work opened could
// never be continued.
TEST(ReportReader, TheRegionIsMatchedAsSavedWorksMatchItOrRefused)
{
    const struct {
        const char* inCell;
        const char* kept; // nullptr: refused
    } cases[] = {
        {"", ""},
        {"Еврейская АО ", "Еврейская АО"},
        {" камчатский КРАЙ", "Камчатский край"},
        {"Еврейская автономная область", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inCell);
        InstitutionModel m = kamchatka();
        m.regionName = c.inCell;
        const ReportRead r = readReportBytes(reportBytes(m), "Отчет.xlsx");
        if (!c.kept) {
            EXPECT_EQ(problem(r),
                std::string("Файл «Отчет.xlsx» не открыт: в ячейке B1 (Округ) должно быть название региона из списка "
                            "программы, а стоит «")
                    + c.inCell + "».");
            continue;
        }
        m.regionName = c.kept;
        m.regionCoefficient = regionCoefficient(c.kept);
        resetToDefaults(m);
        const InstitutionModel& back = read(r);
        EXPECT_EQ(back.regionName, m.regionName);
        EXPECT_EQ(back.regionCoefficient, m.regionCoefficient);
        EXPECT_EQ(back.regionalNormative, m.regionalNormative);
    }
}

// The summary of a course reads many files at once.
TEST(ReportReader, ReadsFromManyThreadsAtOnce)
{
    const std::string good = reportBytes(kamchatka());
    const std::string bad = good.substr(0, good.size() / 2);
    std::vector<std::thread> threads;
    std::atomic<int> wrong = 0;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10; ++i) {
                const ReportRead ok = readReportBytes(good, "a.xlsx");
                const ReportRead no = readReportBytes(bad, "b.xlsx");
                if (!std::holds_alternative<InstitutionModel>(ok) || std::get<InstitutionModel>(ok).surname != "О'Нил"
                    || !std::holds_alternative<ReadProblem>(no))
                    ++wrong;
            }
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(wrong, 0);
}

} // namespace
