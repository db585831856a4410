#include "report/xlsx_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using kvarton::report::cellTextLength;
using kvarton::report::fittingCellText;
using kvarton::report::fittingHeaderText;
using kvarton::report::kMaxCellText;
using kvarton::report::xlsxCellText;
using kvarton::report::xlsxCentredHeader;

// The round trip of escapes is read back from real workbooks (read_back.py); these are the cases
// no typed text reaches there.
TEST(XlsxCellText, NulAndBrokenUtf8StillGiveATextXmlCanCarry)
{
    EXPECT_EQ(xlsxCellText(std::string("\0z", 2)), "_x0000_z");
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(xlsxCellText("a\xC3"), "a" + replacement); // cut short
    EXPECT_EQ(xlsxCellText("\xC0\x80"), replacement + replacement); // overlong
    EXPECT_EQ(xlsxCellText("\xED\xA0\x80"), replacement + replacement + replacement); // a surrogate
    EXPECT_EQ(xlsxCellText("_x004G_ my_xyz _x0041"), "_x004G_ my_xyz _x0041"); // no escapes: unchanged
}

// The one measure of a cell's text, for the reader and every writer: UTF-16 units of the text as
// stored; a text cut to fit ends with an ellipsis after whole characters.
TEST(XlsxCellText, MeasuredAsStoredAndCutToFit)
{
    const struct {
        std::string text;
        std::size_t length;
    } measured[] = {{"", 0}, {"Сад", 3}, {"😀", 2}, {"\x01", 7}, {"_x0041_", 13}, {"a\xC3", 2}};
    for (const auto& m : measured)
        EXPECT_EQ(cellTextLength(m.text), m.length) << m.text;
    EXPECT_EQ(fittingCellText("Сад № 5", 7), "Сад № 5");
    EXPECT_EQ(fittingCellText("Сад № 51", 7), "Сад № …");
    EXPECT_EQ(fittingCellText("Сад\x01", 6), "Сад…"); // the escape's seven do not fit
    EXPECT_EQ(fittingCellText("ab😀", 3), "ab…");
    EXPECT_EQ(cellTextLength(fittingCellText(std::string(40000, 'a'))), kMaxCellText);
}

// A page header holds 255 characters as stored, escapes and doubled ampersands included: a long
// name is cut short, as long as it fits, never in the middle of a character.
TEST(XlsxHeader, ALongTextIsCutShortSoThatItsStoredFormFits)
{
    const auto characters = [](const std::string& s) {
        return std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    EXPECT_EQ(xlsxCentredHeader("Сад & ясли"), "&CСад && ясли");
    EXPECT_EQ(fittingHeaderText("Сад & ясли"), "Сад & ясли");

    const std::string controls(1000, '\x01'); // each stored as "_x0001_"
    const std::string cut = fittingHeaderText(controls);
    EXPECT_LE(characters(xlsxCentredHeader(cut)), 255);
    EXPECT_EQ(cut, std::string(36, '\x01') + "…"); // "&C", 36 escapes of 7 and the ellipsis: 255

    std::string names;
    for (int i = 0; i < 200; ++i)
        names += "Ж&";
    const std::string shorter = fittingHeaderText(names, 160);
    EXPECT_LE(characters(xlsxCentredHeader(shorter)), 160);
    EXPECT_GE(characters(xlsxCentredHeader(shorter)), 157);
    EXPECT_EQ(names.compare(0, shorter.size() - 3, shorter, 0, shorter.size() - 3), 0);
}
