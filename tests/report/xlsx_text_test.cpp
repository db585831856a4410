#include "report/xlsx_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using kvarton::report::fittingHeaderText;
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
