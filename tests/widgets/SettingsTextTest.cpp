// The text forms of stored settings.
#include "SettingsText.h"

#include <gtest/gtest.h>

using namespace settings;

TEST(SettingsTextTest, IntegersAreDecimalOrHexadecimal)
{
    EXPECT_EQ(ParseInteger(u"162"), 162);
    EXPECT_EQ(ParseInteger(u" -7 "), -7);
    EXPECT_EQ(ParseInteger(u"0x1F"), 31);
    EXPECT_EQ(ParseInteger(u"0XfF"), 255);
    EXPECT_EQ(ParseInteger(u"0xFFFFFFFF"), -1) << "all 32 bits";
    EXPECT_FALSE(ParseInteger(u""));
    EXPECT_FALSE(ParseInteger(u"0x"));
    EXPECT_FALSE(ParseInteger(u"12a"));
    EXPECT_FALSE(ParseInteger(u"99999999999999999999"));
    EXPECT_FALSE(ParseInteger(u"2147483648"));
    EXPECT_EQ(ParseInteger(u"-2147483648"), INT32_MIN);
}

TEST(SettingsTextTest, CommaListsCountABadEntryAsZero)
{
    EXPECT_EQ(ParseCommaList(u"1,0,2,3"), (std::vector<int32_t>{1, 0, 2, 3}));
    EXPECT_EQ(ParseCommaList(u"120, x ,-5,"), (std::vector<int32_t>{120, 0, -5, 0}));
    EXPECT_TRUE(ParseCommaList(u"  ").empty());
    EXPECT_EQ(ParseCommaList(std::u16string(5000, u',')).size(), 5001u);
    EXPECT_EQ(FormatCommaList({1, 0, 2}), u"1,0,2");
    EXPECT_EQ(FormatCommaList({}), u"");
}

TEST(SettingsTextTest, AColumnOrderNamesEveryColumnOnce)
{
    EXPECT_TRUE(IsColumnOrder({1, 0, 2}, 3));
    EXPECT_FALSE(IsColumnOrder({1, 0}, 3)) << "too few";
    EXPECT_FALSE(IsColumnOrder({1, 1, 2}, 3)) << "repeated";
    EXPECT_FALSE(IsColumnOrder({0, 1, 3}, 3)) << "out of range";
    EXPECT_FALSE(IsColumnOrder({0, -1, 2}, 3));
    EXPECT_EQ(ClampColumnWidth(-40), 0);
    EXPECT_EQ(ClampColumnWidth(1 << 30), kMaxColumnWidth);
    EXPECT_EQ(ClampColumnWidth(120), 120);
    using TWidths = std::vector<std::optional<int32_t>>;
    EXPECT_EQ(ParseColumnWidths(u"120,0, x ,-5,,99999"),
              (TWidths{120, 0, std::nullopt, std::nullopt, std::nullopt, kMaxColumnWidth}));
    EXPECT_TRUE(ParseColumnWidths(u" ").empty());
}

TEST(SettingsTextTest, IdentifiersSetsAndBooleansReadBack)
{
    EXPECT_EQ(FormatBoolean(true), u"True");
    EXPECT_EQ(ParseBoolean(u" false "), false);
    EXPECT_FALSE(ParseBoolean(u"yes"));
    EXPECT_EQ(ParseIdentifier(u"VSLIST", {u"vsIcon", u"vsSmallIcon", u"vsList"}), 2u);
    EXPECT_FALSE(ParseIdentifier(u"vsTiles", {u"vsIcon"}));
    EXPECT_EQ(FormatSet({u"fpState", u"fpPosition"}), u"[fpState,fpPosition]");
    EXPECT_EQ(ParseSet(u"[ fpState , fpPosition ]"),
              (std::vector<std::u16string>{u"fpState", u"fpPosition"}));
    EXPECT_EQ(ParseSet(u"[]"), std::vector<std::u16string>{});
    EXPECT_FALSE(ParseSet(u"fpState"));
}

TEST(SettingsTextTest, PositionsAndScreenSuffixes)
{
    EXPECT_EQ(ScreenSuffix(1024, 768), u"(1024x768)");
    const int32_t four[4] = {-1, 2, 300, 40};
    EXPECT_EQ(FormatFour(four), u"-1,2,300,40");
    int32_t read[4] = {9, 9, 9, 9};
    EXPECT_FALSE(ParseFour(u"5,x,7", read));
    EXPECT_EQ(read[0], 5);
    EXPECT_EQ(read[1], 9) << "a bad number keeps the fallback";
    EXPECT_EQ(read[2], 7);
    EXPECT_EQ(read[3], 9) << "a missing one too";
    EXPECT_FALSE(ParseFour(u"1,2,3", read));
    EXPECT_FALSE(ParseFour(u"1,2,3,4,5", read));
    EXPECT_TRUE(ParseFour(u"-5000,0,100,600", read));
    EXPECT_EQ(read[0], -5000);
}
