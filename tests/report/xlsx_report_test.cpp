#include "report/report.h"
#include "report/xlsx_package_check.h"
#include "report/xlsx_workbook.h"
#include "sample_model.h"

#include "model/defaults.h"
#include "model/numeric_locale.h"

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#ifdef _WIN32
#include <io.h>
#else
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

using namespace kvarton;
using namespace kvarton::report;
using kvarton::report::test::stPetersburg;
namespace fs = std::filesystem;

namespace {

// The report takes paths as UTF-8, while the narrow strings of std::filesystem and the streams
// are the ANSI code page on Windows: paths cross between the two as u8 strings.
fs::path fromUtf8(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

std::string utf8(const fs::path& p)
{
    const auto s = p.u8string();
    return {s.begin(), s.end()};
}

// What the program prints on standard error while it lives goes into `file`. GoogleTest's own
// capture makes its file through the ANSI code page, which cannot spell the temporary folder of a
// Cyrillic user.
class StandardErrorInto final {
public:
    explicit StandardErrorInto(const fs::path& file)
    {
        std::fflush(stderr);
#ifdef _WIN32
        std::FILE* f = _wfopen(file.c_str(), L"wb");
        saved_ = _dup(_fileno(stderr));
        _dup2(_fileno(f), _fileno(stderr));
#else
        std::FILE* f = std::fopen(file.c_str(), "wb");
        saved_ = dup(fileno(stderr));
        dup2(fileno(f), fileno(stderr));
#endif
        std::fclose(f);
    }
    ~StandardErrorInto()
    {
        std::fflush(stderr);
#ifdef _WIN32
        _dup2(saved_, _fileno(stderr));
        _close(saved_);
#else
        dup2(saved_, fileno(stderr));
        close(saved_);
#endif
    }
    StandardErrorInto(const StandardErrorInto&) = delete;
    StandardErrorInto& operator=(const StandardErrorInto&) = delete;

private:
    int saved_ = -1;
};

// A fresh, empty folder for each test.
class XlsxReport : public testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / ("kvarton-report-" + std::string(info->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return utf8(dir_ / fromUtf8(name)); }

    fs::path dir_;
};

std::string contents(const std::string& path)
{
    std::ifstream in(fromUtf8(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool mentions(const std::optional<ReportProblem>& p, const std::string& text)
{
    if (!p)
        return false;
    bool found = p->message.find(text) != std::string::npos;
    for (const std::string& input : p->inputs)
        found = found || input.find(text) != std::string::npos;
    return found;
}

} // namespace

TEST_F(XlsxReport, WritesAWorkbookAndNeverReplacesAFile)
{
    const auto file = path("отчет.xlsx");
    const auto started = std::chrono::steady_clock::now();
    const auto problem = writeXlsxReport(stPetersburg(), file);
    const auto took = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
    ASSERT_FALSE(problem) << problem->message;
    std::printf("one workbook written in %.1f ms\n", took.count());
    const std::string written = contents(file);
    EXPECT_EQ(written.substr(0, 2), "PK"); // a zip container

    const auto again = writeXlsxReport(stPetersburg(), file);
    EXPECT_TRUE(mentions(again, "уже есть файл")) << (again ? again->message : "written");
    EXPECT_EQ(contents(file), written);
}

TEST_F(XlsxReport, OnlyAWholePackagePassesTheCheck)
{
    const auto file = path("r.xlsx");
    ASSERT_FALSE(writeXlsxReport(stPetersburg(), file));
    std::string bytes = contents(file);
    EXPECT_TRUE(isCompleteXlsxPackage(bytes));
    EXPECT_FALSE(isCompleteXlsxPackage(bytes.substr(0, bytes.size() - 1)));
    EXPECT_FALSE(isCompleteXlsxPackage(""));
    for (std::size_t length = 0; length < bytes.size(); length += 7)
        EXPECT_FALSE(isCompleteXlsxPackage(std::string_view(bytes).substr(0, length))) << length;
    // Lengths and offsets of the directory at the end that point anywhere are read safely.
    for (std::size_t at = bytes.size() - std::min<std::size_t>(bytes.size(), 600); at < bytes.size(); at += 4) {
        std::string broken = bytes;
        broken[at] = '\xFF';
        isCompleteXlsxPackage(broken);
    }
    bytes[100] = static_cast<char>(bytes[100] ^ 0x20); // inside the first member's data
    EXPECT_FALSE(isCompleteXlsxPackage(bytes));
}

TEST_F(XlsxReport, AnInputThatIsNoNumberWritesNoFileAndNamesTheRow)
{
    auto m = stPetersburg();
    m.payroll2011[StaffRole::Teacher] = ModelValue::text("4 304 792");
    m.serviceSalary[ServicePosition::Cook] = ModelValue::text("");
    m.serviceSalary[ServicePosition::Storekeeper] = ModelValue::text("четырнадцать тысяч");
    const auto file = path("r.xlsx");
    const auto problem = writeXlsxReport(m, file);
    EXPECT_TRUE(mentions(problem, "Шаг 7: Воспитатель")) << (problem ? problem->message : "written");
    EXPECT_TRUE(mentions(problem, "Шаг 12: Кладовщик, оклад на должность"));
    EXPECT_FALSE(mentions(problem, "Работник по приготовлению питания")); // empty counts as 0
    EXPECT_FALSE(fs::exists(fromUtf8(file)));
}

TEST_F(XlsxReport, AFolderThatCannotBeWrittenGivesAMessageAndNoFile)
{
    const auto missing = path("нет такой папки/r.xlsx");
    const auto problem = writeXlsxReport(stPetersburg(), missing);
    EXPECT_TRUE(mentions(problem, "папка")) << (problem ? problem->message : "written");
    EXPECT_FALSE(fs::exists(fromUtf8(missing)));

    std::ofstream(fromUtf8(path("файл"))) << "not a folder";
    const auto underAFile = path("файл") + "/r.xlsx";
    const auto second = writeXlsxReport(stPetersburg(), underAFile);
    EXPECT_TRUE(mentions(second, "папка")) << (second ? second->message : "written");
}

// The learner is told which folder failed and what to do, never the name of the file (the
// report screen writes under a hidden temporary one), and the library's own lines stay off the
// standard error.
TEST_F(XlsxReport, AFailureNamesTheFolderAndKeepsTheStandardErrorClean)
{
    // A name longer than any file system allows: the library fails to create the file, and
    // prints why, whoever runs the test.
    const auto file = path("." + std::string(300, 'x') + ".xlsx.part");
    const auto printedFile = path("stderr.txt");
    std::optional<ReportProblem> problem;
    {
        const StandardErrorInto capture(fromUtf8(printedFile));
        problem = writeXlsxReport(stPetersburg(), file);
    }
    ASSERT_TRUE(problem.has_value());
    EXPECT_EQ(contents(printedFile), "");
    const std::string folder = utf8(fs::absolute(fromUtf8(file).parent_path()).make_preferred());
    EXPECT_NE(problem->message.find("в папке «" + folder + "»"), std::string::npos) << problem->message;
    EXPECT_NE(problem->message.find("снова нажмите «вывести отчет»"), std::string::npos) << problem->message;
    EXPECT_EQ(problem->message.find("xxx"), std::string::npos) << problem->message;
}

#ifndef _WIN32
// A file size limit fails the writes the way a full disk does (and works for root as well).
TEST_F(XlsxReport, AFullDiskGivesAMessageAndLeavesNoPartialFile)
{
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    // The workbook is some 8 kB, its largest temporary part some 15 kB: the limits stop it while
    // writing the file itself, and (12000) only while writing a temporary part, which the library
    // alone would not notice.
    for (const rlim_t limit : {rlim_t{1000}, rlim_t{6000}, rlim_t{12000}}) {
        rlimit small = saved;
        small.rlim_cur = limit;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const auto file = path("r" + std::to_string(limit) + ".xlsx");
        const auto problem = writeXlsxReport(stPetersburg(), file);
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_TRUE(mentions(problem, "не хватило места")) << (problem ? problem->message : "written");
        EXPECT_FALSE(fs::exists(fromUtf8(file))) << limit;
    }
    std::signal(SIGXFSZ, previousHandler);
}
#endif

TEST_F(XlsxReport, ATextLongerThanACellHoldsIsRefusedBeforeAnyFile)
{
    auto m = stPetersburg();
    m.institutionName.assign(40000, 'a');
    const auto file = path("r.xlsx");
    const auto problem = writeXlsxReport(m, file);
    EXPECT_TRUE(mentions(problem, "B2")) << (problem ? problem->message : "written");
    EXPECT_FALSE(fs::exists(fromUtf8(file)));

    m.institutionName.assign(1000, '\x01'); // the longest identity text, each character escaped
    EXPECT_FALSE(writeXlsxReport(m, path("r2.xlsx")));
}

// A description the writer cannot carry out is a fault of the program, said so before any file.
TEST_F(XlsxReport, AMistakenDescriptionIsReportedNotWritten)
{
    const auto refused = [&](const Workbook& book, const std::string& what) {
        const auto file = path("r.xlsx");
        const auto problem = writeWorkbook(book, file);
        EXPECT_TRUE(mentions(problem, "внутренней ошибки")) << what;
        EXPECT_FALSE(fs::exists(fromUtf8(file))) << what;
    };
    refused({}, "no sheet");
    Sheet sheet;
    sheet.name = "Лист";
    sheet.styles = {Style{}};
    sheet.cells = {{1, 0, 1.0, 0}};
    Workbook book{{sheet}};
    book.sheets[0].cells[0].style = 1;
    EXPECT_THROW(writeWorkbook(book, path("r.xlsx")), std::out_of_range);
    EXPECT_FALSE(fs::exists(fromUtf8(path("r.xlsx"))));
    book.sheets[0].cells[0] = {1, 0, std::nan(""), 0};
    refused(book, "not a number");
    book.sheets = {sheet, sheet};
    refused(book, "two sheets of one name");
    book.sheets = {sheet};
    book.sheets[0].name = "a/b";
    refused(book, "a name a sheet cannot have");
    book.sheets[0].name = "Лист";
    book.sheets[0].page.header = std::string(300, 'x');
    refused(book, "a header too long");
    book.sheets[0].page.header = "Отчет & итоги";
    EXPECT_FALSE(writeWorkbook(book, path("ok.xlsx")));

    // Numbers that would follow a locale's decimal comma: no workbook rather than a damaged one.
    for (const char* comma : {"ru_RU.UTF-8", "de_DE.UTF-8"})
        if (std::setlocale(LC_NUMERIC, comma)) {
            refused(book, comma);
            useFileNotationForNumbers();
        }
}
