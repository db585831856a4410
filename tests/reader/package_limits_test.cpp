// A file from outside is untrusted: every way a package can be broken or hostile ends in a
// message, within the limits, and never in a crash, a hang or a work half read.
#include "workbook_parts.h"

#include "reader/report_reader.h"
#include "report/xlsx_text.h"

#include "common/random_work.h"

#include <gtest/gtest.h>

using namespace kvarton;
using namespace kvarton::reader;
using namespace kvarton::test;
using testzip::ZipEntry;
using testzip::zipOf;

namespace {

std::string reasonOf(const ReportRead& r)
{
    if (const auto* p = std::get_if<ReadProblem>(&r))
        return p->reason;
    return "(read without a problem)";
}

std::string reasonOf(std::string_view bytes, const ReadLimits& limits = kReadLimits)
{
    return reasonOf(readReportBytes(bytes, "Отчет.xlsx", limits));
}

class PackageLimits : public testing::Test {
protected:
    static void SetUpTestSuite() { report_ = new std::string(reportBytes(RandomWork(3).work())); }
    static void TearDownTestSuite() { delete report_; }
    static const std::string& report() { return *report_; }

private:
    static inline std::string* report_ = nullptr;
};

TEST_F(PackageLimits, WhatIsNoWorkbookAtAll)
{
    EXPECT_EQ(reasonOf(""), "файл пустой.");
    EXPECT_EQ(reasonOf("Фамилия;Имя\nИванова;Анна\n"), "это не книга Excel в формате .xlsx.");
    EXPECT_EQ(reasonOf(std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, '\0')),
        "это книга Excel старого формата (.xls) или книга, защищенная паролем. Сохраните ее в формате .xlsx без "
        "пароля и откройте снова.");
    EXPECT_EQ(reasonOf(zipOf({})), "файл поврежден или записан не полностью.");
    EXPECT_EQ(reasonOf(zipOf({{"readme.txt", "привет"}})),
        "в книге нет части «xl/workbook.xml», файл поврежден или это не книга Excel.");
}

// A file cut short anywhere, as an interrupted copy or download leaves it.
// Its last bytes on purpose: the end record, which a reader that fills missing bytes with zeros
// would take for whole.
TEST_F(PackageLimits, TruncatedAnywhere)
{
    std::vector<std::size_t> lengths;
    for (std::size_t length = 2; length < report().size(); length += 37)
        lengths.push_back(length);
    for (std::size_t cut = 1; cut <= 64; ++cut)
        lengths.push_back(report().size() - cut);
    for (const std::size_t length : lengths)
        EXPECT_EQ(reasonOf(report().substr(0, length)), "файл поврежден или записан не полностью.") << length;

    // A comment after the end record, as some zip tools write one, is part of it.
    std::string commented = report();
    commented[commented.size() - 2] = 5;
    EXPECT_EQ(reasonOf(commented), "файл поврежден или записан не полностью.");
    EXPECT_EQ(reasonOf(commented + "12345"), "(read without a problem)");
}

TEST_F(PackageLimits, ABitFlippedInAPartIsCaughtByItsChecksum)
{
    Parts parts(report());
    for (auto& e : parts.entries())
        e.deflate = false; // stored, so that the sheet's text lies open
    const std::string bytes = parts.bytes();
    std::string changed = bytes;
    const std::size_t at = changed.find("<c r=\"B9\"");
    ASSERT_NE(at, std::string::npos);
    changed[at + 1] = 'C';
    EXPECT_EQ(reasonOf(changed), "часть книги «xl/worksheets/sheet1.xml» повреждена или записана не полностью.");
}

TEST_F(PackageLimits, TheFileAndItsPartsAreBounded)
{
    ReadLimits small;
    small.fileBytes = report().size() - 1;
    EXPECT_EQ(reasonOf(report(), small), "файл больше 0 МБ, а отчет занимает несколько десятков килобайт.");

    small = kReadLimits;
    small.entries = 5;
    EXPECT_EQ(reasonOf(report(), small), "в файле больше 5 частей, в отчете их намного меньше.");

    small = kReadLimits;
    small.partBytes = 8 << 10;
    EXPECT_EQ(reasonOf(report(), small),
        "часть книги «xl/worksheets/sheet1.xml» в распакованном виде больше 0 МБ, для отчета это слишком много.");

    small = kReadLimits;
    small.totalBytes = 16 << 10;
    EXPECT_EQ(reasonOf(report(), small), "части книги в распакованном виде больше 0 МБ, для отчета это слишком много.");
}

TEST_F(PackageLimits, TooManyEntries)
{
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 1001; ++i)
        entries.push_back({"part" + std::to_string(i) + ".xml", "<a/>", false});
    EXPECT_EQ(reasonOf(zipOf(entries)), "в файле больше 1000 частей, в отчете их намного меньше.");
}

// A zip bomb: a sheet of a few kilobytes that unpacks to megabytes of nothing.
TEST_F(PackageLimits, ZipBombs)
{
    Parts parts(report());
    std::string& sheet = parts["xl/worksheets/sheet1.xml"];
    sheet.insert(sheet.find("<sheetData>"), std::string(2 << 20, ' '));
    const std::string bomb = parts.bytes();
    EXPECT_LT(bomb.size(), 80000u); // the report with its results sheet, its notes and charts, and a little more
    EXPECT_EQ(reasonOf(bomb),
        "часть книги «xl/worksheets/sheet1.xml» сжата более чем в 100 раз, как в файлах, созданных, чтобы "
        "переполнить память компьютера.");

    // Larger than any part may be, whatever it packs to.
    sheet.insert(sheet.find("<sheetData>"), std::string(4 << 20, ' '));
    EXPECT_EQ(reasonOf(parts.bytes()),
        "часть книги «xl/worksheets/sheet1.xml» в распакованном виде больше 4 МБ, для отчета это слишком много.");

    // A part that claims to be small and unfolds to more is cut at its claim and fails its checksum.
    Parts liar(report());
    for (auto& e : liar.entries())
        if (e.name == "xl/worksheets/sheet1.xml") {
            e.content.insert(e.content.find("<sheetData>"), std::string(2 << 20, ' '));
            e.declaredSize = 1000;
        }
    EXPECT_EQ(reasonOf(liar.bytes()), "часть книги «xl/worksheets/sheet1.xml» повреждена или записана не полностью.");
}

TEST_F(PackageLimits, EncryptedPartsDoctypesAndBrokenXml)
{
    Parts parts(report());
    for (auto& e : parts.entries())
        e.encrypted = e.name == "xl/workbook.xml";
    EXPECT_EQ(reasonOf(parts.bytes()), "часть книги «xl/workbook.xml» зашифрована.");

    for (auto& e : parts.entries())
        e.encrypted = false;
    std::string& sheet = parts["xl/worksheets/sheet1.xml"];
    const std::string original = sheet;
    const std::size_t rootAt = sheet.find("<worksheet");
    sheet.insert(rootAt, "<!DOCTYPE worksheet [<!ENTITY boom SYSTEM \"file:///etc/passwd\">]>");
    EXPECT_EQ(reasonOf(parts.bytes()),
        "часть книги «xl/worksheets/sheet1.xml» содержит объявление DOCTYPE, какого не бывает в книгах Excel.");

    sheet = original.substr(0, original.size() - 20);
    EXPECT_EQ(
        reasonOf(parts.bytes()), "часть книги «xl/worksheets/sheet1.xml» повреждена: ее текст не читается как XML.");

    // Addresses outside any sheet: row 0, the column after XFD, the row after the last.
    const struct {
        const char* from;
        const char* to;
        const char* address;
    } badAddresses[] = {{"<c r=\"B9\"", "<c r=\"B0\"", "B0"}, {"<c r=\"B9\"", "<c r=\"XFE9\"", "XFE9"},
        {"<row r=\"9\"", "<row r=\"1048577\"", "1048577"}};
    for (const auto& bad : badAddresses) {
        sheet = replaced(original, bad.from, bad.to);
        EXPECT_EQ(reasonOf(parts.bytes()),
            std::string("часть книги «xl/worksheets/sheet1.xml» повреждена: неверный адрес ячейки «") + bad.address
                + "».");
    }

    // A shared string the table does not have.
    sheet = replaced(original, "<c r=\"A9\" s=\"2\" t=\"s\"><v>", "<c r=\"A9\" s=\"2\" t=\"s\"><v>9999");
    EXPECT_EQ(reasonOf(parts.bytes()), "часть книги «xl/sharedStrings.xml» повреждена или записана не полностью.");
}

// One limit for a text, counted as the writers count it: a text at the limit is read and written
// again; a character more, and the report is refused, naming the cell.
TEST_F(PackageLimits, TextsOfACellAreBounded)
{
    const auto times = [](std::string_view text, std::size_t n) {
        std::string out;
        for (std::size_t i = 0; i < n; ++i)
            out += text;
        return out;
    };
    const std::string atTheLimit[] = {
        std::string(32767, 'a'), // a byte each
        times("Ж", 32767), // twice as many bytes
        times("😀", 16383) + "a", // two units each, as spreadsheets count
        times("\x01", 4681), // stored as "_x0001_"
        times("_x0041_", 2520) + "_x004G_", // a literal escape is stored with its underscore escaped
    };
    for (const std::string& text : atTheLimit) {
        SCOPED_TRACE(text.substr(0, 8));
        InstitutionModel m = RandomWork(3).work();
        m.surname = text;
        const ReportRead read = readReportBytes(reportBytes(m), "Отчет.xlsx");
        ASSERT_TRUE(std::holds_alternative<InstitutionModel>(read)) << reasonOf(read);
        EXPECT_EQ(std::get<InstitutionModel>(read).surname, text);
        EXPECT_FALSE(reportBytes(std::get<InstitutionModel>(read)).empty()); // written again

        Parts parts(reportBytes(m));
        const std::string stored = report::xlsxCellText(text);
        parts["xl/sharedStrings.xml"] = replaced(parts["xl/sharedStrings.xml"], stored, stored + "б");
        EXPECT_EQ(reasonOf(parts.bytes()), "в ячейке B3 больше 32767 знаков.");
        m.surname += "б";
        const auto path = std::filesystem::temp_directory_path() / "kvarton-text-too-long.xlsx";
        std::filesystem::remove(path);
        const auto problem = report::writeXlsxReport(m, path.string());
        ASSERT_TRUE(problem);
        EXPECT_NE(problem->message.find("текст для ячейки B3 слишком длинный"), std::string::npos);
    }
}

TEST_F(PackageLimits, NoSheetToRead)
{
    Parts parts(report());
    // Every tab goes: the report's own and the results sheet after it.
    std::string& workbook = parts["xl/workbook.xml"];
    workbook.erase(workbook.find("<sheet "), workbook.find("</sheets>") - workbook.find("<sheet "));
    EXPECT_EQ(reasonOf(parts.bytes()), "в книге нет ни одного листа.");
    Parts outside(report());
    outside["xl/_rels/workbook.xml.rels"] = replaced(
        outside["xl/_rels/workbook.xml.rels"], "Target=\"worksheets/sheet1.xml\"", "Target=\"../../../sheet1.xml\"");
    EXPECT_EQ(reasonOf(outside.bytes()), "в книге нет ни одного листа.");
    Parts missing(report());
    missing.remove("xl/worksheets/sheet1.xml");
    EXPECT_EQ(reasonOf(missing.bytes()),
        "в книге нет части «xl/worksheets/sheet1.xml», файл поврежден или это не книга Excel.");
}

} // namespace
