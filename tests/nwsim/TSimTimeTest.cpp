// Calendar arithmetic and DOS date packing of the simulated network.
#include "TSimTime.h"

#include <gtest/gtest.h>

using nwsim::TSimTime;

TEST(TSimTimeTest, PackingKeepsEvenSecondsAndUnpacksBack)
{
    const TSimTime time{2026, 12, 8, 13, 5, 9};
    const uint32_t packed = nwsim::PackDosDateTime(time);
    EXPECT_EQ(packed >> 16, (46u << 9) | (12u << 5) | 8u);
    EXPECT_EQ(packed & 0xFFFF, (13u << 11) | (5u << 5) | 4u);
    EXPECT_EQ(nwsim::UnpackDosDateTime(packed), (TSimTime{2026, 12, 8, 13, 5, 8}));
    EXPECT_EQ(nwsim::PackDosDate(time), packed >> 16);
}

TEST(TSimTimeTest, NeverPacksToZero)
{
    EXPECT_EQ(nwsim::PackDosDateTime(TSimTime{}), 0u);
    EXPECT_EQ(nwsim::PackDosDate(TSimTime{}), 0u);
}

TEST(TSimTimeTest, TextRoundTripsAndBadTextIsRefused)
{
    EXPECT_EQ(nwsim::ParseSimTime("2024-02-29 23:59:58"), (TSimTime{2024, 2, 29, 23, 59, 58}));
    EXPECT_EQ(nwsim::ParseSimTime("2024-02-29T01:02:03"), (TSimTime{2024, 2, 29, 1, 2, 3}));
    EXPECT_EQ(nwsim::ParseSimTime("1999-12-31"), (TSimTime{1999, 12, 31, 0, 0, 0}));
    EXPECT_EQ(nwsim::ParseSimTime(""), TSimTime{});
    EXPECT_EQ(nwsim::FormatSimTime(TSimTime{2026, 1, 2, 3, 4, 5}), "2026-01-02 03:04:05");
    EXPECT_EQ(nwsim::FormatSimTime(TSimTime{}), "");
    EXPECT_FALSE(nwsim::ParseSimTime("2026-13-01 00:00:00"));
    EXPECT_FALSE(nwsim::ParseSimTime("2026-01-01 24:00:00"));
    EXPECT_FALSE(nwsim::ParseSimTime("yesterday"));
    EXPECT_FALSE(nwsim::ParseSimTime("2026-01-01X10:00:00"));
}

TEST(TSimTimeTest, SecondsCarryAcrossDaysMonthsAndLeapYears)
{
    EXPECT_EQ(nwsim::AddSeconds(TSimTime{2024, 2, 28, 23, 59, 59}, 1), (TSimTime{2024, 2, 29, 0, 0, 0}));
    EXPECT_EQ(nwsim::AddSeconds(TSimTime{2023, 2, 28, 23, 59, 59}, 1), (TSimTime{2023, 3, 1, 0, 0, 0}));
    EXPECT_EQ(nwsim::AddSeconds(TSimTime{2026, 1, 1, 0, 0, 0}, -1), (TSimTime{2025, 12, 31, 23, 59, 59}));
    EXPECT_EQ(nwsim::AddSeconds(TSimTime{2026, 12, 8, 12, 0, 0}, -30 * 86400),
              (TSimTime{2026, 11, 8, 12, 0, 0}));
}
