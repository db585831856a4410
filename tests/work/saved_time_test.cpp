#include "work/saved_time.h"

#include <gtest/gtest.h>

using namespace kvarton::work;

TEST(SavedTime, KeepsTheMomentAndTheLearnersClock)
{
    const auto t = parseIsoText("2026-03-14T10:22:05.123+03:00");
    ASSERT_TRUE(t);
    EXPECT_EQ(t->offsetMinutes, 180);
    EXPECT_EQ(t->unixMs, 1773472925123); // 07:22:05.123 UTC
    EXPECT_EQ(isoText(*t), "2026-03-14T10:22:05.123+03:00");
    EXPECT_EQ(russianText(*t), "14.03.2026 в 10:22");

    // West of Greenwich, across midnight and a leap day.
    const auto west = parseIsoText("2024-02-29T23:59:59-05:30");
    ASSERT_TRUE(west);
    EXPECT_EQ(isoText(*west), "2024-02-29T23:59:59.000-05:30");
    EXPECT_EQ(russianText(*west), "29.02.2024 в 23:59");
    EXPECT_EQ(isoText(SavedTime{west->unixMs, 0}), "2024-03-01T05:29:59.000+00:00");
}

TEST(SavedTime, OrdersByTheMomentWhateverTheClock)
{
    const auto moscow = parseIsoText("2026-03-14T10:00:00+03:00");
    const auto london = parseIsoText("2026-03-14T07:30:00Z");
    ASSERT_TRUE(moscow && london);
    EXPECT_LT(*moscow, *london);
    EXPECT_EQ(*parseIsoText("2026-03-14T07:00:00Z"), *moscow);
}

TEST(SavedTime, FractionsAreOptionalAndCutToMilliseconds)
{
    EXPECT_EQ(parseIsoText("2026-03-14T10:22:05Z")->unixMs % 1000, 0);
    EXPECT_EQ(parseIsoText("2026-03-14T10:22:05.5Z")->unixMs % 1000, 500);
    EXPECT_EQ(parseIsoText("2026-03-14T10:22:05.123456789Z")->unixMs % 1000, 123);
}

TEST(SavedTime, RefusesWhatIsNoTime)
{
    for (const char* text : {"", "2026-03-14", "2026-03-14T10:22:05", "2026-02-30T10:22:05Z", "2026-13-01T10:22:05Z",
             "2026-03-14T24:00:00Z", "2026-03-14T10:60:00Z", "1969-12-31T23:59:59Z", "2026-03-14T10:22:05+19:00",
             "2026-03-14T10:22:05+03:60", "2026-03-14T10:22:05.Z", "2026-03-14T10:22:05.1234567890Z",
             "2026-03-14T10:22:05Z ", "2026-03-14 10:22:05Z", "+026-03-14T10:22:05Z", "2026-03-14T10:22:05+0300"})
        EXPECT_FALSE(parseIsoText(text)) << text;
}
