// The Find window's form of a folder before its scan.
#include "FolderScan.h"

#include <gtest/gtest.h>

TEST(FolderScanTest, ASearchFolderLosesItsBlanksAndOneTrailingDotAndEndsInABackslash)
{
    EXPECT_EQ(TrimSearchFolder(L"F:\\DATA"), L"F:\\DATA\\");
    EXPECT_EQ(TrimSearchFolder(L"  F:\\DATA\\.  "), L"F:\\DATA\\");
    EXPECT_EQ(TrimSearchFolder(L"F:\\DATA."), L"F:\\DATA\\") << "a trailing dot goes";
    EXPECT_EQ(TrimSearchFolder(L"F:\\"), L"F:\\");
    EXPECT_EQ(TrimSearchFolder(L"F:\\A B\\"), L"F:\\A B\\") << "blanks inside stay";
    EXPECT_EQ(TrimSearchFolder(L""), L"");
    EXPECT_EQ(TrimSearchFolder(L"   "), L"");
    EXPECT_EQ(TrimSearchFolder(L"."), L"") << "nothing is left to scan";
}
