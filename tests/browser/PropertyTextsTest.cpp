// The properties dialog's date and time texts: the 12-hour clock around midnight and noon, and the long date.
#include "PropertyTexts.h"

#include <gtest/gtest.h>

namespace
{

nw::TDateTime At(int year, int month, int day, int hour, int minute, int second = 0)
{
    return nw::EncodeDate(year, month, day) + nw::EncodeTime(hour, minute, second, 0);
}

} // namespace

TEST(PropertyTextsTest, TheTwelveHourClockTurnsAtMidnightAndNoon)
{
    struct TCase
    {
        int hour, minute;
        const char16_t* text;
    };
    for (const TCase& c : {TCase{0, 0, u"12:00 a"}, TCase{0, 30, u"12:30 a"}, TCase{9, 5, u"09:05 a"},
                           TCase{11, 59, u"11:59 a"}, TCase{12, 0, u"12:00 p"}, TCase{12, 30, u"12:30 p"},
                           TCase{14, 5, u"02:05 p"}, TCase{23, 59, u"11:59 p"}})
        EXPECT_EQ(TwelveHourTimeText(At(2026, 11, 30, c.hour, c.minute, 59)), c.text)
            << c.hour << ":" << c.minute;
}

TEST(PropertyTextsTest, WithoutALocaleDateTheMonthIsWrittenOut)
{
    EXPECT_EQ(PlainLongDateText(At(2026, 12, 8, 14, 5)), u"December 8, 2026");
    EXPECT_EQ(PlainLongDateText(At(1980, 1, 1, 0, 0)), u"January 1, 1980");
    EXPECT_EQ(PropertyDateTimeText(At(2026, 12, 8, 14, 5), nullptr), u"December 8, 2026 02:05 p");
}

TEST(PropertyTextsTest, TheLocalesLongDateComesFirst)
{
    nw::TDateParts seen;
    const std::u16string text = PropertyDateTimeText(At(2026, 3, 4, 0, 30), [&](const nw::TDateParts& parts) {
        seen = parts;
        return std::u16string(u"mercredi 4 mars 2026");
    });
    EXPECT_EQ(text, u"mercredi 4 mars 2026 12:30 a");
    EXPECT_EQ(seen.year, 2026);
    EXPECT_EQ(seen.month, 3);
    EXPECT_EQ(seen.day, 4);
    EXPECT_EQ(
        PropertyDateTimeText(At(2026, 3, 4, 12, 0), [](const nw::TDateParts&) { return std::u16string(); }),
        u"March 4, 2026 12:00 p")
        << "a locale without a long date gives the written-out one";
}
