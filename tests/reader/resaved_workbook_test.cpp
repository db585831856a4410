// What spreadsheet programs make of the report when a learner opens and saves it again: the
// reader must take every form of it that holds the same cells.
#include "workbook_parts.h"

#include "reader/report_reader.h"
#include "report/report_layout.h"

#include "common/random_work.h"

#include <gtest/gtest.h>

#ifndef KVARTON_FUZZ_CORPUS
#error "the tests read the checked-in workbooks of the fuzz corpus"
#endif

using namespace kvarton;
using namespace kvarton::reader;
using namespace kvarton::test;

namespace {

const std::filesystem::path kCorpus = KVARTON_FUZZ_CORPUS;

InstitutionModel modelOf(const ReportRead& r)
{
    if (const auto* problem = std::get_if<ReadProblem>(&r)) {
        ADD_FAILURE() << problem->message;
        return {};
    }
    return std::get<InstitutionModel>(r);
}

// Every input shows the same text and the identity is the same.
void expectSameWork(const InstitutionModel& expected, const InstitutionModel& actual)
{
    EXPECT_EQ(actual.regionName, expected.regionName);
    EXPECT_EQ(actual.institutionName, expected.institutionName);
    EXPECT_EQ(actual.surname, expected.surname);
    EXPECT_EQ(actual.firstInitial, expected.firstInitial);
    EXPECT_EQ(actual.patronymicInitial, expected.patronymicInitial);
    EXPECT_EQ(actual.regionCoefficient, expected.regionCoefficient);
    for (const report::ReportCell& cell : report::reportCells())
        if (const auto* input = std::get_if<report::InputCell>(&cell.content)) {
            EXPECT_EQ(field(actual, input->field), field(expected, input->field))
                << report::cellAddress(cell.row, cell.column) << " " << input->name;
        }
}

class ResavedWorkbook : public testing::Test {
protected:
    void SetUp() override
    {
        work_ = RandomWork(7).work();
        bytes_ = reportBytes(work_);
        original_ = modelOf(readReportBytes(bytes_, "Отчет.xlsx"));
    }

    InstitutionModel readChanged(Parts& parts) { return modelOf(readReportBytes(parts.bytes(), "Отчет.xlsx")); }

    InstitutionModel work_;
    std::string bytes_;
    InstitutionModel original_;
};

// Copies made with `soffice --convert-to xlsx` and with openpyxl (the latter with a sheet and
// notes of the learner's own added), checked in beside the fuzzer's seeds.
TEST_F(ResavedWorkbook, CopiesResavedByOtherProgramsReadAsTheProgramsOwn)
{
    for (const auto& [own, copy] : {std::pair{"report", "report-libreoffice"},
             {"report-kopecks", "report-kopecks-libreoffice"}, {"report-kopecks", "report-kopecks-openpyxl"}}) {
        SCOPED_TRACE(copy);
        expectSameWork(modelOf(readReport((kCorpus / (std::string(own) + ".xlsx")).string())),
            modelOf(readReport((kCorpus / (std::string(copy) + ".xlsx")).string())));
    }
}

TEST_F(ResavedWorkbook, InlineStringsAndRichTextRuns)
{
    Parts parts(bytes_);
    parts["xl/worksheets/sheet1.xml"]
        = withInlineStrings(parts["xl/worksheets/sheet1.xml"], parts["xl/sharedStrings.xml"]);
    parts.remove("xl/sharedStrings.xml");
    expectSameWork(original_, readChanged(parts));

    Parts runs(bytes_);
    runs["xl/sharedStrings.xml"]
        = replaced(runs["xl/sharedStrings.xml"], "<si><t>Время непосредственной работы</t></si>",
            "<si><r><rPr><b/></rPr><t xml:space=\"preserve\">Время </t></r><r><t>непосредственной работы</t></r>"
            "<rPh sb=\"0\" eb=\"1\"><t>ふりがな</t></rPh></si>");
    expectSameWork(original_, readChanged(runs));
}

TEST_F(ResavedWorkbook, NumbersWrittenAsTextWithACommaOrAPoint)
{
    Parts parts(bytes_);
    std::string& sheet = parts["xl/worksheets/sheet1.xml"];
    // B8 holds a stay mode, C38 positions with a decimal, B102 a salary.
    for (const auto& [cell, text] : {std::pair{"B8", " 12 "}, {"C38", "25.9"}, {"B102", "16000,5"}}) {
        const std::size_t at = sheet.find(std::string("<c r=\"") + cell + "\"");
        sheet.replace(at, sheet.find("</c>", at) + 4 - at,
            std::string("<c r=\"") + cell + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>");
    }
    const InstitutionModel back = readChanged(parts);
    EXPECT_EQ(back.directStayHours[GroupKind::GeneralDay], ModelValue::text("12"));
    EXPECT_EQ(back.positions2011PedTotal, ModelValue::text("25,9"));
    EXPECT_EQ(back.serviceSalary[ServicePosition::Accountant], ModelValue::text("16000,5"));
}

// The first sheet is the first tab of the workbook, whatever its part is called and wherever it
// lies in the package; other sheets are not read.
TEST_F(ResavedWorkbook, TheFirstSheetIsFoundThroughTheWorkbookAndItsRelationships)
{
    Parts parts(bytes_);
    parts.rename("xl/worksheets/sheet1.xml", "xl/worksheets/Ввод.xml");
    parts["xl/worksheets/sheet1.xml"]
        = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData></worksheet>";
    parts["xl/worksheets/sheet9.xml"] = "not even XML <";
    parts["xl/workbook.xml"]
        = replaced(parts["xl/workbook.xml"], "<sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>",
            "<sheet name=\"Ввод\" sheetId=\"3\" r:id=\"rId7\"/><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/>"
            "<sheet name=\"Результаты\" sheetId=\"2\" r:id=\"rId8\"/>");
    parts["xl/_rels/workbook.xml.rels"] = replaced(parts["xl/_rels/workbook.xml.rels"], "</Relationships>",
        "<Relationship Id=\"rId7\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"/xl/worksheets/./Ввод.xml\"/>"
        "<Relationship Id=\"rId8\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet9.xml\"/></Relationships>");
    // The package's own relationships may put the workbook elsewhere.
    parts.rename("xl/workbook.xml", "xl/book.xml");
    parts.rename("xl/_rels/workbook.xml.rels", "xl/_rels/book.xml.rels");
    parts["_rels/.rels"] = replaced(parts["_rels/.rels"], "Target=\"xl/workbook.xml\"", "Target=\"xl/book.xml\"");
    expectSameWork(original_, readChanged(parts));
}

// Writers differ in namespace prefixes, in leaving out cell addresses and in what else they keep.
TEST_F(ResavedWorkbook, PrefixesCellsWithoutAddressesAndCellsBeyondTheReport)
{
    Parts parts(bytes_);
    std::string sheet = parts["xl/worksheets/sheet1.xml"];
    sheet = replaced(sheet, "<worksheet xmlns=", "<x:worksheet xmlns:x=");
    sheet = replaced(sheet, "</worksheet>", "</x:worksheet>");
    sheet = replaced(sheet, "sheetData>", "x:sheetData>");
    sheet = replaced(sheet, "<row ", "<x:row ");
    sheet = replaced(sheet, "</row>", "</x:row>");
    sheet = replaced(sheet, "<c ", "<x:c ");
    sheet = replaced(sheet, "</c>", "</x:c>");
    sheet = replaced(sheet, "<v>", "<x:v>");
    sheet = replaced(sheet, "</v>", "</x:v>");
    // Row 1 with its cells in order and no addresses; notes to the right and below the report.
    sheet = replaced(sheet, "<x:c r=\"A1\"", "<x:c");
    sheet = replaced(sheet, "<x:c r=\"B1\"", "<x:c");
    sheet = replaced(sheet, "</x:row></x:sheetData>",
        "</x:row><x:row r=\"113\"><x:c r=\"A113\" t=\"inlineStr\"><x:is><x:t>Проверено</x:t></x:is></x:c></x:row>"
        "<x:row r=\"1048576\"><x:c r=\"XFD1048576\"><x:v>1</x:v></x:c></x:row></x:sheetData>");
    sheet = replaced(
        sheet, "<x:c r=\"D8\"", "<x:c r=\"E8\" t=\"inlineStr\"><x:is><x:t>заметка</x:t></x:is></x:c><x:c r=\"D8\"");
    // Two-letter columns, which a slip in reading their letters would put into A or B.
    for (const char* row : {"2", "40"}) {
        const std::size_t b = sheet.find(std::string("<x:c r=\"B") + row + "\"");
        sheet.insert(sheet.find("</x:c>", b) + 6,
            std::string("<x:c r=\"AA") + row + "\" t=\"inlineStr\"><x:is><x:t>заметка</x:t></x:is></x:c><x:c r=\"AB"
                + row + "\"><x:v>7</x:v></x:c>");
    }
    parts["xl/worksheets/sheet1.xml"] = sheet;
    expectSameWork(original_, readChanged(parts));
}

TEST_F(ResavedWorkbook, EscapedCharactersAndBlanksInTheIdentity)
{
    InstitutionModel m = work_;
    m.institutionName = "Сад\r\n№\x01 5 _x0041_";
    m.surname = "   ";
    const InstitutionModel back = modelOf(readReportBytes(reportBytes(m), "Отчет.xlsx"));
    EXPECT_EQ(back.institutionName, m.institutionName);
    EXPECT_EQ(back.surname, "   ");
}

} // namespace
