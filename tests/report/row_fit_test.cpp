#include "report/row_fit.h"

#include <gtest/gtest.h>

using namespace kvarton::report;

TEST(RowFit, ShortTextsKeepTheDefaultHeight)
{
    EXPECT_EQ(fittedRowHeight("Воспитатели", 41, true), kDefaultRowHeight);
    EXPECT_EQ(fittedRowHeight("", 15.43, true), kDefaultRowHeight);
    EXPECT_EQ(fittedRowHeight(std::string(200, 'x'), 15.43, false), kDefaultRowHeight); // no wrapping
}

TEST(RowFit, WrappedTextsTakeAsManyLinesAsTheirWordsNeed)
{
    // A report label of column A that cannot stand on one line of 41 characters.
    EXPECT_EQ(fittedRowHeight("Доля ФОТ обслуживающего персонала в услуге по обучению детей", 41, true),
        2 * kDefaultRowHeight);
    // Column B is narrow: a region's name wraps there.
    EXPECT_GE(fittedRowHeight("Республика Северная Осетия – Алания", 15.43, true), 3 * kDefaultRowHeight);
    // Line breaks count, and a single long word is broken where it must be.
    EXPECT_EQ(fittedRowHeight("а\nб\nв", 15.43, true), 3 * kDefaultRowHeight);
    EXPECT_GE(fittedRowHeight(std::string(60, '9'), 15.43, true), 4 * kDefaultRowHeight);
    // A byte that is no UTF-8 is stored as one replacement character and measured as one.
    EXPECT_EQ(fittedRowHeight(std::string(13, '\xFF'), 15.43, true), kDefaultRowHeight);
    EXPECT_EQ(fittedRowHeight(std::string(28, '\xFF'), 15.43, true), 3 * kDefaultRowHeight);
}
