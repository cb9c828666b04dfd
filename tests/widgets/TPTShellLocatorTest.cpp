// Shell locations: their paths and their change notification.
#include "TPTShellLocator.h"
#include "TShellTest.h"

class TPTShellLocatorTest : public TShellTest
{
};

TEST_F(TPTShellLocatorTest, PathsOfDriveRootsEndInABackslashAndOfFoldersDoNot)
{
    MakeFolder(L"PROJECTS");
    TPTShellLocator location;
    location.Assign(ListOf(L"F:\\").Get());
    EXPECT_EQ(location.Path(), L"F:\\");
    location.Assign(ListOf(L"F:\\PROJECTS").Get());
    EXPECT_EQ(location.Path(), L"F:\\PROJECTS");
}

TEST_F(TPTShellLocatorTest, TheDesktopTheComputerAndTheNetworkHaveNoPath)
{
    TPTShellLocator location;
    EXPECT_TRUE(location.IsDesktop());
    EXPECT_EQ(location.Path(), L"");
    location.Assign(TItemIdList::SpecialFolder(CSIDL_DRIVES).Get());
    EXPECT_FALSE(location.IsDesktop());
    EXPECT_EQ(location.Path(), L"");
    location.Assign(TItemIdList::SpecialFolder(CSIDL_NETWORK).Get());
    EXPECT_EQ(location.Path(), L"");
}

TEST_F(TPTShellLocatorTest, OnlyADifferentLocationFiresTheChange)
{
    TPTShellLocator location;
    int changes = 0;
    location.OnChange = [&] { ++changes; };
    location.Assign(nullptr);
    EXPECT_EQ(changes, 0) << "the Desktop again";
    location.Assign(ListOf(L"F:\\").Get());
    location.Assign(ListOf(L"f:\\").Get());
    EXPECT_EQ(changes, 1) << "the same drive again";
    location.Assign(ListOf(L"G:\\").Get());
    EXPECT_EQ(changes, 2);
    const TItemIdList terminatorOnly = TItemIdList::SpecialFolder(CSIDL_DESKTOP);
    location.Assign(terminatorOnly.Get());
    EXPECT_TRUE(location.IsDesktop()) << "a list of only its terminator is the Desktop";
    EXPECT_EQ(changes, 3);
}
