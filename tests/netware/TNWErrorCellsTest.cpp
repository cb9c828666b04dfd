// The text form of completion codes and the recording rule.
#include "TNWErrorCells.h"

#include "TNWNDS.h"

#include <gtest/gtest.h>

TEST(TNWErrorCellsTest, CodesShowAtLeastFourUpperCaseDigits)
{
    EXPECT_EQ(nw::NWCodeText(0), "0000");
    EXPECT_EQ(nw::NWCodeText(0x1A), "001A");
    EXPECT_EQ(nw::NWCodeText(0xFFFF), "FFFF");
    EXPECT_EQ(nw::NWCodeText(0x12345), "12345");
    EXPECT_EQ(nw::NWCodeText(0xFFFFFFFF), "FFFFFFFF");
    EXPECT_EQ(nw::NWCodeText(static_cast<uint32_t>(-601)), "FFFFFDA7");
}

TEST(TNWErrorCellsTest, ASuccessNeverClearsTheLastError)
{
    nw::TNWErrorCells cells;
    EXPECT_EQ(cells.Record(0x8998), 0x8998u);
    EXPECT_EQ(cells.Record(0), 0u);
    EXPECT_EQ(cells.lastError, 0x8998u);
    EXPECT_EQ(cells.lastResult, 0u);
    cells.Record(0x89FF);
    EXPECT_EQ(cells.lastError, 0x89FFu);
}

TEST(TNWErrorCellsTest, DirectoryNamesLoseOuterBlanksAndTrailingControlCodes)
{
    EXPECT_EQ(nw::TrimDirectoryName("  [Root] \x01\x02 "), "[Root]");
    EXPECT_EQ(nw::TrimDirectoryName("OU=SALES.O=TARVEX"), "OU=SALES.O=TARVEX");
    EXPECT_EQ(nw::TrimDirectoryName(" \x01 "), "");
    EXPECT_EQ(nw::TrimDirectoryName("\x01"
                                    "A \x02"),
              "\x01"
              "A");
    EXPECT_EQ(nw::TrimDirectoryName("   "), "");
}
