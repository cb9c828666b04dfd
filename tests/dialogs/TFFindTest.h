// The Find window's tests on the GUI world behind F:: the window on a loaded world, looking in a folder, with
// the users, the stores and the action windows that its commands use.
#pragma once

#include "TFFind.h"

#include "DeletedFileListRows.h"
#include "MenuItems.h"
#include "NWSim.h"
#include "TDeletedFileActionWindows.h"
#include "TDialogTest.h"
#include "TFActionMessage.h"
#include "TFProperties.h"
#include "TFRename.h"
#include "TGuiWorld.h"
#include "TItemIdList.h"
#include "TNWBase.h"
#include "TRegistrySandbox.h"

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>

class TFFindTest : public TGuiTest
{
protected:
    static constexpr uint32_t kAlice = 0x10000012; // directory users of TARVEX
    static constexpr uint32_t kBob = 0x10000011;
    static constexpr const wchar_t* kSection = L"Software\\Tarvex\\Retrove\\FFind";

    static int WindowHeight(HWND window)
    {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        return bounds.bottom - bounds.top;
    }

    static HIMAGELIST SystemImages(UINT size)
    {
        SHFILEINFOW info{};
        return reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoW(L"*.*", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info),
                           SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | size));
    }

    // Keys as the form's loop hands them over, before dispatch (with Alt held: WM_SYSKEYDOWN).
    static bool KeyInForm(TFFind& find, HWND control, WPARAM key, UINT kind = WM_KEYDOWN)
    {
        SetFocus(control);
        MSG message{control, kind, key, 1, 0, {}};
        return find.PreTranslate(message);
    }

    void SetUp() override
    {
        TGuiTest::SetUp();
        world_ = CreateGuiWorld();
        ASSERT_NE(world_, nullptr);
    }

    void TearDown() override
    {
        find_.reset();
        base_.reset();
        world_.reset();
        TGuiTest::TearDown();
    }

    void AddDeleted(const std::string& folder, const std::string& name, uint32_t deletor = kAlice)
    {
        nwsim::TDeletedFile file;
        file.deletor = deletor;
        file.owner = 0x00000001;
        world_->AddDeleted("TARVEX", "DATA", folder, name, "content", file);
    }

    // The world as it stands loaded, and the window created on it, looking in the folder.
    TFFind& Begin(const std::wstring& lookIn = L"F:\\")
    {
        NWSimReset();
        EXPECT_TRUE(world_->Load()) << NWSimWorldError();
        base_ = std::make_unique<nw::TNWBase>();
        find_ = std::make_unique<TFFind>(TestOwnerWindow());
        find_->SetImageLists(SystemImages(SHGFI_SMALLICON), SystemImages(0));
        find_->SetEventPump([this] {
            ++pumped_;
            if (pumpScript_)
                pumpScript_();
        });
        find_->SetPropertiesDialog(&properties_);
        find_->SetActions(std::make_unique<TDeletedFileActionWindows>(find_->Handle(), L"Retrove 98", rename_,
                                                                      actionMessage_),
                          [this] { return options_; });
        LookIn(lookIn);
        find_->FormShow();
        return *find_;
    }

    void LookIn(const std::wstring& path)
    {
        find_->SLook_In().Location().Assign(TItemIdList::FromPath(path.c_str()).Get());
    }

    TExtListView& List() { return find_->FindList(); }

    // Each row as its name, an at sign and its path, in a set.
    std::set<std::wstring> Hits()
    {
        std::set<std::wstring> hits;
        for (size_t row = 0; row < List().Count(); ++row)
            hits.insert(List().CellText(row, 0) + L"@" + List().CellText(row, kFoundPathColumn));
        return hits;
    }

    std::wstring StatusText(int panel)
    {
        wchar_t text[256] = {};
        SendMessageW(find_->StatusBar(), SB_GETTEXTW, static_cast<WPARAM>(panel),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }

    int CountPanelWidth()
    {
        int edges[2] = {};
        SendMessageW(find_->StatusBar(), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges));
        return edges[0];
    }

    std::filesystem::path LiveFile(const std::string& folder, const std::string& name) const
    {
        return world_->FilesFolder("TARVEX", "DATA") / folder / name;
    }

    std::string Content(const std::filesystem::path& file) const
    {
        std::string text;
        if (FILE* in = _wfopen(file.c_str(), L"rb"))
        {
            char chunk[256];
            size_t read = 0;
            while ((read = fread(chunk, 1, sizeof(chunk), in)) > 0)
                text.append(chunk, read);
            fclose(in);
        }
        return text;
    }

    void Command(int command) { SendMessageW(find_->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0); }

    bool MenuEnabled(int command) { return MenuItemEnabled(find_->MainMenu1(), command); }
    bool MenuChecked(int command) { return MenuItemChecked(find_->MainMenu1(), command); }

    TRegistrySandbox registry_;
    std::unique_ptr<TTestWorld> world_;
    std::unique_ptr<nw::TNWBase> base_;
    TFProperties properties_{TestOwnerWindow()};
    TFRename rename_{TestOwnerWindow()};
    TFActionMessage actionMessage_{TestOwnerWindow()};
    TRetroveOptions options_;
    std::unique_ptr<TFFind> find_;
    int pumped_ = 0;
    std::function<void()> pumpScript_;
};
