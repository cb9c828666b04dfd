// The dialog that picks a user from the directory tree or from bindery servers.
#pragma once

#include "TOkCancelForm.h"
#include "TSubclass.h"

#include <commctrl.h>
#include <string>

class TFBrowseDirectory : public TOkCancelForm
{
public:
    static constexpr const wchar_t* kCaption = L"Select from Directory";
    static constexpr const wchar_t* kNDSCaption = L"NDS";
    static constexpr const wchar_t* kBinderyCaption = L"Bindery";
    static constexpr int kClientWidth = 313;
    static constexpr int kClientHeight = 341;
    // Positions in the object image list; a node's image also tells its kind.
    static constexpr int kUserImage = 0;
    static constexpr int kServerImage = 2;
    static constexpr int kContainerImage = 3;

    // The flags are read on every showing: which directories the network offers.
    TFBrowseDirectory(HWND owner, HIMAGELIST objects, const bool& useNDS, const bool& useBindery);
    ~TFBrowseDirectory() override;

    // Execute fills the tabs afresh and shows the dialog modally.
    // The user last chosen; read after Execute returned true.
    const std::wstring& SelectedUser() const { return selectedUser_; }

    HWND PMain() const { return pMain_; }
    HWND TNDS() const { return tNDS_; }
    HWND LMsg() const { return lMsg_; }
    HWND NDS1() const { return nds1_; }
    HWND TBindery() const { return tBindery_; }
    HWND Label1() const { return label1_; }
    HWND Bindery1() const { return bindery1_; }
    HWND BOK() const { return bOK_; }
    HWND BCancel() const { return bCancel_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BeforeExecute() override { FormShow(); }
    // Enter in a tree opens the container or chooses the user; Ctrl+Tab and Ctrl+Shift+Tab switch the tabs.
    bool FormKey(const MSG& message) override;
    void DpiChanged(TDpi from) override;
    // The tree of the tab in front.
    HWND FirstFocus() const override;

private:
    void CreateControls();
    HWND CreatePage(const wchar_t* message, HWND& label, HWND& tree, int treeId, TSubclass& subclass);
    std::optional<LRESULT> TreeMessage(HWND tree, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> OnNotify(const NMHDR* header);

    void FormShow();
    void AddTab(const wchar_t* caption, HWND page);
    void ShowActivePage();
    // Brings the tab so many places on (backwards when negative, round at the ends) to the front.
    void SwitchTab(int step);
    void FillNDS();
    // Adds the organizations, organizational units and users below a container, sorted ignoring case;
    // returns how many it added.
    size_t AddNDSChildren(HTREEITEM parent, const std::string& containerName);
    void FillBindery();
    // The node's text, then the texts of its ancestors, joined by dots.
    std::wstring FullName(HTREEITEM node) const;
    int NodeImage(HWND tree, HTREEITEM node) const;

    void NDS1MouseDown();
    void Bindery1MouseDown();
    // Reads the container's members afresh, as every opening does.
    void ReadNDSContainer(HTREEITEM node);
    bool OnItemExpanding(HWND tree, const NMTREEVIEWW* change);
    // Enter or a double click: opens or closes a container or server, chooses a user.
    void OpenOrChoose(HWND tree);
    void TreeChange(HWND tree, HTREEITEM node);
    void BOKClick();
    void BCancelClick();

    HIMAGELIST objects_;
    const bool& useNDS_;
    const bool& useBindery_;
    HWND pMain_ = nullptr;
    HWND tNDS_ = nullptr;
    HWND lMsg_ = nullptr;
    HWND nds1_ = nullptr;
    HWND tBindery_ = nullptr;
    HWND label1_ = nullptr;
    HWND bindery1_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    TSubclass nds1Subclass_;
    TSubclass bindery1Subclass_;
    std::wstring selectedUser_;
    // A click opens the container itself: the tree's own opening must not read it a second time.
    bool openingByClick_ = false;
};

// Runs the picker (when there is one) and, when a user was chosen, puts the user's name with a trailing "*"
// into the edit as its pattern.
void PickUserInto(TFBrowseDirectory* picker, HWND edit);
