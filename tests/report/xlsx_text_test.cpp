#include "report/xlsx_text.h"

#include <gtest/gtest.h>

using kvarton::report::xlsxCellText;

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
