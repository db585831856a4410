#include "model/conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace kvarton;

TEST(ParseNumber, ReadsTheDecimalCommaOnly)
{
    EXPECT_EQ(parseNumber("0,25"), 0.25);
    EXPECT_EQ(parseNumber("12"), 12.0);
    EXPECT_EQ(parseNumber("-5"), -5.0);
    EXPECT_EQ(parseNumber("4304792"), 4304792.0);
    EXPECT_EQ(parseNumber("-0"), 0.0);
    for (const char* notANumber :
        {"0.25", "", " ", "12abc", "1,5,2", "4304792.5", ",5", "5,", "1e5", " 12", "12 ", "--1", "+", "абв", "=1+1"})
        EXPECT_FALSE(parseNumber(notANumber).has_value()) << '"' << notANumber << '"';
}

TEST(ParseNumber, RejectsValuesBeyondADouble)
{
    EXPECT_FALSE(parseNumber(std::string(400, '9')).has_value());
    EXPECT_TRUE(parseNumber(std::string(300, '9')).has_value());
}

TEST(ListItemText, ShowsNumbersAsTheListsDo)
{
    EXPECT_EQ(listItemText(0.35), "0,35");
    EXPECT_EQ(listItemText(16.7), "16,7");
    EXPECT_EQ(listItemText(14.0), "14");
    EXPECT_EQ(listItemText(0.0), "0");
    EXPECT_EQ(listItemText(0.1 + 0.2), "0,3"); // read to 15 digits, no binary noise
    EXPECT_EQ(listItemText(0.05f), "0,05");
    EXPECT_EQ(listItemText(14.0f), "14");
    EXPECT_EQ(listItemText(10.5f), "10,5");
    EXPECT_EQ(listItemText(1e20), "100000000000000000000");
    EXPECT_EQ(listItemText(0.0000001), "0,0000001");
}

TEST(Format, RoundsHalfAwayFromZeroOfTheValueAsRead)
{
    EXPECT_EQ(format(2.5, Pattern::Whole), "3");
    EXPECT_EQ(format(-2.5, Pattern::Whole), "-3");
    EXPECT_EQ(format(0.15, Pattern::OneDecimal), "0,2"); // binary value just below the half
    EXPECT_EQ(format(2.675, Pattern::TwoDecimals), "2,68");
    EXPECT_EQ(format(1.005, Pattern::TwoDecimals), "1,01");
    EXPECT_EQ(format(10.1, Pattern::OneDecimal), "10,1");
    EXPECT_EQ(format(9.96, Pattern::OneDecimal), "10,0");
    EXPECT_EQ(format(999.5, Pattern::Whole), "1000");
    EXPECT_EQ(format(1.1, Pattern::TwoDecimals), "1,10");
    EXPECT_EQ(format(6726023.0, Pattern::Whole), "6726023");
    EXPECT_EQ(format(12345678901.0, Pattern::Whole), "12345678901"); // no digit grouping
    EXPECT_EQ(format(0.004, Pattern::TwoDecimals), "0,00");
}

TEST(Format, NeverShowsMinusZeroNorNonNumbers)
{
    EXPECT_EQ(format(-0.4, Pattern::Whole), "0");
    EXPECT_EQ(format(-0.0, Pattern::Whole), "0");
    EXPECT_EQ(format(-0.04, Pattern::OneDecimal), "0,0");
    EXPECT_EQ(format(-0.001, Pattern::TwoDecimals), "0,00");
    EXPECT_EQ(format(-0.5, Pattern::Whole), "-1");
    EXPECT_EQ(format(std::nan(""), Pattern::Whole), "-");
    EXPECT_EQ(format(std::numeric_limits<double>::infinity(), Pattern::TwoDecimals), "-");
    EXPECT_EQ(format(1e300, Pattern::Whole).find('e'), std::string::npos);
}

TEST(RoundShown, GivesTheNumberThePatternShows)
{
    EXPECT_EQ(roundShown(2.5, Pattern::Whole), 3.0);
    EXPECT_EQ(roundShown(-2.5, Pattern::Whole), -3.0);
    EXPECT_EQ(roundShown(2.675, Pattern::TwoDecimals), 2.68);
    EXPECT_EQ(roundShown(-0.3, Pattern::Whole), 0.0);
}

TEST(Currency, HoldsFourDecimalsRoundedHalfToEven)
{
    EXPECT_EQ(Currency::fromDouble(0.35)->units(), 3500);
    EXPECT_EQ(Currency::fromDouble(1.00005)->units(), 10000); // tie, to even
    EXPECT_EQ(Currency::fromDouble(1.00015)->units(), 10002); // tie, to even
    EXPECT_EQ(Currency::fromDouble(1.000051)->units(), 10001); // above the half
    EXPECT_EQ(Currency::fromDouble(-2.5)->units(), -25000);
    EXPECT_EQ(Currency::fromDouble(922337203685477.0)->units(), 9223372036854770000);
    EXPECT_FALSE(Currency::fromDouble(1e15).has_value());
    EXPECT_FALSE(Currency::fromDouble(std::nan("")).has_value());
}

TEST(Currency, ShowsWholeNumbersRoundedHalfAwayFromZero)
{
    EXPECT_EQ(Currency::fromUnits(25000).wholeText(), "3");
    EXPECT_EQ(Currency::fromUnits(-25000).wholeText(), "-3");
    EXPECT_EQ(Currency::fromUnits(24999).wholeText(), "2");
    EXPECT_EQ(Currency::fromUnits(-4999).wholeText(), "0");
    EXPECT_EQ(add(Currency::whole(5), Currency::whole(7))->wholeText(), "12");
    EXPECT_FALSE(add(Currency::fromUnits(std::numeric_limits<std::int64_t>::max()), Currency::fromUnits(1)));
}

TEST(Currency, ShowsTheExactAmountAsALearnerTypesIt)
{
    EXPECT_EQ(Currency::fromUnits(125000).decimalText(), "12,5");
    EXPECT_EQ(Currency::fromUnits(-1).decimalText(), "-0,0001");
    EXPECT_EQ(Currency::fromUnits(0).decimalText(), "0");
    EXPECT_EQ(Currency::fromUnits(456000500).decimalText(), "45600,05");
    EXPECT_EQ(Currency::fromUnits(std::numeric_limits<std::int64_t>::min()).decimalText(), "-922337203685477,5808");
}
