// A dialog that lets the operator choose a folder in a shell tree.
#pragma once

#include "TModalWindow.h"
#include "TPTShellLocator.h"
#include "TPTShellTree.h"

#include <windows.h>

#include <memory>
#include <string>

enum class TPTFolderBrowseOption : uint32_t
{
    ptfbCreateDeleteButtons,
    ptfbContextMenus,
    ptfbReadOnly,
    ptfbIncludeNonFolders,
    ptfbOleDrag,
    ptfbOleDrop,
    ptfbCreateFolderIcon,
    ptfbDeleteFolderIcon,
    ptfbVirtualFolders,
    ptfbShowHidden,
};

class TPTFolderBrowseDlg
{
public:
    static constexpr const wchar_t* kDefaultTitle = L"Browse for Folder";
    // At 96 DPI.
    static constexpr int kMinWidth = 366;
    static constexpr int kMinHeight = 340;
    // Control IDs.
    static constexpr int kTreeId = 100;
    static constexpr int kStatusId = 101;
    static constexpr int kCreateId = 102;
    static constexpr int kDeleteId = 103;

    explicit TPTFolderBrowseDlg(HWND owner = nullptr) : owner_(owner) {}

    void SetOption(TPTFolderBrowseOption option, bool on);
    bool HasOption(TPTFolderBrowseOption option) const;

    // The caption; empty gives "Browse for Folder".
    std::wstring Title;
    // Where the tree starts.
    TPTShellLocator& StartFolder() { return startFolder_; }
    // The folder chosen with OK; unchanged by Cancel.
    const TPTShellLocator& Folder() const { return folder_; }

    // Shows the dialog modally; true when it was closed with OK.
    bool Execute();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    TPTShellTreeSettings TreeSettings() const;
    void LayOut();
    void OnTreeChange();
    void OnCommand(int id);
    void OnOk();
    void OnCreate();
    void OnDelete();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void KeepPlacement();

    HWND owner_;
    uint32_t options_ = 0;
    TPTShellLocator startFolder_;
    TPTShellLocator folder_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    HWND create_ = nullptr;
    HWND delete_ = nullptr;
    std::unique_ptr<TPTShellTree> tree_;
    TModalWindow modal_;
    // Kept from one call to the next.
    // The size it was last left at, at 96 DPI.
    int width_ = 420;
    int height_ = 440;
    bool maximized_ = false;
};
