// The main window's Find command: the Find window opens modally, looking in the tree's folder, and its hits
// carry the icons of the main window's image lists.
#include "TProgramTest.h"

#include "MainCommands.h"
#include "TItemIdList.h"
#include "WindowParts.h"

class TFMainFindTest : public TProgramTest
{
protected:
    TFMain& OnFolder(const wchar_t* folder)
    {
        nwsim::TDeletedFile file;
        file.deletor = 0x10000012;
        file.owner = 0x00000001;
        world_->AddDeleted("TARVEX", "DATA", "DATA", "Report.doc", "content", file);
        world_->AddDeleted("TARVEX", "DATA", "DATA\\OLD", "Old.txt", "content", file);
        LoadWorld();
        Start();
        Main().ShowFirstTime();
        PumpMessages();
        Main().TreeDel().GoTo(TItemIdList::FromPath(folder).Get());
        PumpMessages();
        return Main();
    }

    TFFind& Find() { return *program_->Forms().FFind; }
};

TEST_F(TFMainFindTest, TheMenuAndTheToolButtonOpenFindOnTheTreesFolder)
{
    TFMain& main = OnFolder(L"F:\\DATA");
    ASSERT_EQ(main.TreeDel().SelectedPath(), L"F:\\DATA");
    std::wstring lookIn;
    size_t rows = 0;
    int image = -1;
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND window) {
        EXPECT_EQ(window, Find().Handle());
        lookIn = Find().SLook_In().Location().Path();
        SendMessageW(Find().BFind(), BM_CLICK, 0, 0);
        rows = Find().FindList().Count();
        if (rows > 0)
            image = Find().FindList().Row(0).image;
        SendMessageW(window, WM_CLOSE, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmMFind, 0), 0);
    EXPECT_EQ(lookIn, L"F:\\DATA");
    EXPECT_EQ(rows, 2u) << "the folder and the one below it";
    EXPECT_GE(image, 0);
    EXPECT_EQ(ListView_GetImageList(Find().FindList().Handle(), LVSIL_SMALL), main.SmallImage());

    // The tool button, after the tree moved: the new folder replaces the old one.
    main.TreeDel().GoTo(TItemIdList::FromPath(L"F:\\DATA\\OLD").Get());
    PumpMessages();
    Modals().ExpectDialog(L"Find: Deleted Files", [&](HWND window) {
        lookIn = Find().SLook_In().Location().Path();
        rows = Find().FindList().Count();
        SendMessageW(window, WM_CLOSE, 0, 0);
        return static_cast<INT_PTR>(IDCANCEL);
    });
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmBFind, 0), 0);
    EXPECT_EQ(lookIn, L"F:\\DATA\\OLD");
    EXPECT_EQ(rows, 0u) << "shown empty";
    EXPECT_EQ(CloseAndRun(), 0);
}
