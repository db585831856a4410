#include "report/xlsx_text.h"

#include <gtest/gtest.h>

using kvarton::report::xlsxCellText;

TEST(XlsxCellText, EscapesWhatXmlCannotCarry)
{
    EXPECT_EQ(xlsxCellText(std::string("a\x01" "b\x1F" "c\x7F", 6)), "a_x0001_b_x001F_c\x7F");
    EXPECT_EQ(xlsxCellText(std::string("\0z", 2)), "_x0000_z");
    EXPECT_EQ(xlsxCellText("tab\tline\nreturn\r"), "tab\tline\nreturn_x000D_"); // a raw CR would read as LF
    EXPECT_EQ(xlsxCellText("\xEF\xBF\xBE\xEF\xBF\xBF"), "_xFFFE__xFFFF_");
}

TEST(XlsxCellText, KeepsALiteralEscapeLiteral)
{
    EXPECT_EQ(xlsxCellText("_x0041_"), "_x005F_x0041_");
    EXPECT_EQ(xlsxCellText("a_x00fF_b"), "a_x005F_x00fF_b");
    EXPECT_EQ(xlsxCellText("_x004G_ my_xyz _x0041"), "_x004G_ my_xyz _x0041"); // no escape, no change
}

TEST(XlsxCellText, KeepsEveryValidCharacterAndReplacesBrokenUtf8)
{
    const std::string valid = "Иванова 😀 € =HYPERLINK(\"x\") +1 @x -2 <&>";
    EXPECT_EQ(xlsxCellText(valid), valid);
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(xlsxCellText("a\xC3"), "a" + replacement);                                 // cut short
    EXPECT_EQ(xlsxCellText("\xC0\x80"), replacement + replacement);                       // overlong
    EXPECT_EQ(xlsxCellText("\xED\xA0\x80"), replacement + replacement + replacement);     // surrogate
    EXPECT_EQ(xlsxCellText("\xF4\x90\x80\x80"), replacement + replacement + replacement + replacement); // > U+10FFFF
}
