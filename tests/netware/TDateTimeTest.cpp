// Calendar arithmetic against day numbers written out: 30 December 1899 is day 0, 1 January 1980 day 29221.
#include "TDateTime.h"

#include <gtest/gtest.h>

using nw::DecodeDateTime;
using nw::EncodeDate;
using nw::EncodeTime;
using nw::TDateParts;

TEST(TDateTimeTest, DatesAreDaysFromTheLastDayButOneOf1899)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0) << "1900 was no leap year";
    EXPECT_EQ(EncodeDate(1980, 1, 1), 29221.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2000, 3, 1), 36586.0) << "2000 was a leap year";
    EXPECT_EQ(EncodeDate(2026, 12, 1), 46357.0);
}

TEST(TDateTimeTest, TheTimeOfDayIsTheFractionOfTheDay)
{
    EXPECT_EQ(EncodeTime(0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(17, 45, 30, 0), 63930.0 / 86400);
    EXPECT_DOUBLE_EQ(EncodeTime(0, 0, 0, 1), 1.0 / 86400000);
}

TEST(TDateTimeTest, ValuesDecodeIntoTheirPartsToTheMillisecond)
{
    const TDateParts noon = DecodeDateTime(29221.5);
    EXPECT_EQ(noon.year, 1980);
    EXPECT_EQ(noon.month, 1);
    EXPECT_EQ(noon.day, 1);
    EXPECT_EQ(noon.hour, 12);
    EXPECT_EQ(noon.minute, 0);
    EXPECT_EQ(noon.second, 0);

    const TDateParts parts = DecodeDateTime(36526 + (47109.6) / 86400); // 1 January 2000, 13:05:09.600
    EXPECT_EQ(parts.year, 2000);
    EXPECT_EQ(parts.month, 1);
    EXPECT_EQ(parts.day, 1);
    EXPECT_EQ(parts.hour, 13);
    EXPECT_EQ(parts.minute, 5);
    EXPECT_EQ(parts.second, 9);
    EXPECT_EQ(parts.millisecond, 600);

    const TDateParts first = DecodeDateTime(1.25); // 31 December 1899, 06:00
    EXPECT_EQ(first.year, 1899);
    EXPECT_EQ(first.month, 12);
    EXPECT_EQ(first.day, 31);
    EXPECT_EQ(first.hour, 6);
}

TEST(TDateTimeTest, MonthsHaveTheirLengthsAndLeapDays)
{
    EXPECT_EQ(nw::DaysInMonth(2026, 1), 31);
    EXPECT_EQ(nw::DaysInMonth(2026, 4), 30);
    EXPECT_EQ(nw::DaysInMonth(2026, 2), 28);
    EXPECT_EQ(nw::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(nw::DaysInMonth(1900, 2), 28);
    EXPECT_EQ(nw::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(nw::DaysInMonth(2026, 13), 0);
    EXPECT_TRUE(nw::IsValidDate(2024, 2, 29));
    EXPECT_FALSE(nw::IsValidDate(2026, 2, 29));
    EXPECT_FALSE(nw::IsValidDate(2026, 4, 31));
    EXPECT_FALSE(nw::IsValidDate(2026, 0, 1));
    EXPECT_FALSE(nw::IsValidDate(2026, 1, 0));
}
