// The dialog that picks a user from the directory tree or from bindery servers.
#include "UBrowseDirectory.h"

#include "ShellNamespace.h"
#include "TFlagScope.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWServer.h"
#include "TreeFill.h"
#include "WindowClass.h"
#include "WindowParts.h"

#include <algorithm>
#include <vector>

namespace
{

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExtendedStyle = WS_EX_DLGMODALFRAME;
constexpr int idPMain = 100;
constexpr int idNDS1 = 101;
constexpr int idBindery1 = 102;
constexpr int kTabWidth = 65;
constexpr int kTabHeight = 21;
constexpr int kTreeIndent = 19;
constexpr uint16_t kBinderyUser = 0x0100;
// Dereference aliases and typeless names: the tree shows names like Sales.Acme.
constexpr uint32_t kPickerContextFlags = 5;

// Names in the client's code page, in the order the operator's locale gives them without regard to case:
// Ärger beside Anton, not after Zeller.
bool LessIgnoringCase(const std::string& first, const std::string& second)
{
    const std::wstring a = WideFromAnsi(first);
    const std::wstring b = WideFromAnsi(second);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                          b.c_str(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

bool Expanded(HWND tree, HTREEITEM node)
{
    return (TreeView_GetItemState(tree, node, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

} // namespace

TFBrowseDirectory::TFBrowseDirectory(HWND owner, HIMAGELIST objects, const bool& useNDS,
                                     const bool& useBindery)
    : objects_(objects), useNDS_(useNDS), useBindery_(useBindery)
{
    CreateForm({L"TFBrowseDirectory", kCaption,
                ScreenCentredBounds(kClientWidth, kClientHeight, kStyle, kExtendedStyle), kStyle,
                kExtendedStyle},
               owner);
    CreateControls();
}

TFBrowseDirectory::~TFBrowseDirectory()
{
    // The window goes while the trees' subclasses still exist.
    nds1Subclass_.Detach();
    bindery1Subclass_.Detach();
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void TFBrowseDirectory::CreateControls()
{
    pMain_ = CreateChildControl(window_, WC_TABCONTROLW, L"", TCS_FIXEDWIDTH | WS_TABSTOP | WS_CLIPSIBLINGS,
                                idPMain, {8, 8, kClientWidth - 16, 290});
    TabCtrl_SetItemSize(pMain_, Dpi()(kTabWidth), Dpi()(kTabHeight));
    tNDS_ = CreatePage(L"Select a user from the NDS directory.", lMsg_, nds1_, idNDS1, nds1Subclass_);
    tBindery_ = CreatePage(L"Select a user from the Bindery directory.", label1_, bindery1_, idBindery1,
                           bindery1Subclass_);
    bOK_ = CreateChildControl(window_, L"BUTTON", L"&OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
                              {kClientWidth - 166, 306, 75, 25});
    bCancel_ = CreateChildControl(window_, L"BUTTON", L"&Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                  {kClientWidth - 83, 306, 75, 25});
}

void TFBrowseDirectory::DpiChanged(TDpi)
{
    TabCtrl_SetItemSize(pMain_, Dpi()(kTabWidth), Dpi()(kTabHeight));
    for (HWND tree : {nds1_, bindery1_})
        TreeView_SetIndent(tree, Dpi()(kTreeIndent));
}

HWND TFBrowseDirectory::CreatePage(const wchar_t* message, HWND& label, HWND& tree, int treeId,
                                   TSubclass& subclass)
{
    // The page hands its controls' notifications to the dialog, which owns the handlers.
    HWND page = CreateTabPage(window_, pMain_);
    RECT area{};
    GetClientRect(page, &area);
    // The page's size at 96 DPI, as the controls' bounds are.
    const int width = Dpi().Unscaled(area.right);
    const int height = Dpi().Unscaled(area.bottom);
    HWND icon = CreateChildControl(page, L"STATIC", L"", SS_ICON, 0, {8, 8, 32, 32});
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_INFORMATION)), 0);
    label = CreateChildControl(page, L"STATIC", message, SS_LEFT | SS_NOPREFIX, 0, {48, 14, width - 56, 28});
    tree = CreateChildControl(page, WC_TREEVIEWW, L"", TVS_HASLINES | TVS_SHOWSELALWAYS | WS_TABSTOP, treeId,
                              {8, 48, width - 16, height - 56}, WS_EX_CLIENTEDGE);
    TreeView_SetIndent(tree, Dpi()(kTreeIndent));
    TreeView_SetImageList(tree, objects_, TVSIL_NORMAL);
    subclass.Attach(tree, [this](HWND control, UINT msg, WPARAM wParam, LPARAM lParam) {
        return TreeMessage(control, msg, wParam, lParam);
    });
    return page;
}

std::optional<LRESULT> TFBrowseDirectory::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            BOKClick();
        else if (LOWORD(wParam) == IDCANCEL)
            BCancelClick();
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    default:
        return TForm::HandleMessage(message, wParam, lParam);
    }
}

std::optional<LRESULT> TFBrowseDirectory::OnNotify(const NMHDR* header)
{
    const bool fromTree = header->hwndFrom == nds1_ || header->hwndFrom == bindery1_;
    if (header->hwndFrom == pMain_ && header->code == TCN_SELCHANGE)
        ShowActivePage();
    else if (fromTree && header->code == TVN_SELCHANGEDW)
        TreeChange(header->hwndFrom, reinterpret_cast<const NMTREEVIEWW*>(header)->itemNew.hItem);
    else if (fromTree && header->code == TVN_ITEMEXPANDINGW)
        return OnItemExpanding(header->hwndFrom, reinterpret_cast<const NMTREEVIEWW*>(header)) ? FALSE : TRUE;
    return 0;
}

std::optional<LRESULT> TFBrowseDirectory::TreeMessage(HWND tree, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONDBLCLK)
        return std::nullopt;
    // The click selects its node first. A press opens or closes a container; the second press of a double
    // click leaves it as the first left it, and chooses a user.
    const LRESULT result = DefSubclassProc(tree, WM_LBUTTONDOWN, wParam, lParam);
    if (message == WM_LBUTTONDBLCLK)
    {
        const HTREEITEM node = TreeView_GetSelection(tree);
        if (node != nullptr && NodeImage(tree, node) == kUserImage)
            BOKClick();
        return result;
    }
    if (tree == nds1_)
        NDS1MouseDown();
    else
        Bindery1MouseDown();
    return result;
}

bool TFBrowseDirectory::OnItemExpanding(HWND tree, const NMTREEVIEWW* change)
{
    // The keys (Right, +, *) open a container as a click does: read afresh.
    if (tree == nds1_ && (change->action & TVE_EXPAND) != 0 && !openingByClick_ &&
        NodeImage(nds1_, change->itemNew.hItem) == kContainerImage)
        ReadNDSContainer(change->itemNew.hItem);
    return true;
}

bool TFBrowseDirectory::FormKey(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return false;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (message.wParam == VK_TAB && control)
    {
        SwitchTab(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return true;
    }
    const HWND focus = GetFocus();
    if (message.wParam == VK_RETURN && !control && (focus == nds1_ || focus == bindery1_))
    {
        OpenOrChoose(focus);
        return true;
    }
    return false;
}

void TFBrowseDirectory::OpenOrChoose(HWND tree)
{
    const HTREEITEM node = TreeView_GetSelection(tree);
    if (node == nullptr)
        return;
    if (NodeImage(tree, node) == kUserImage)
        BOKClick();
    else if (tree == nds1_)
        NDS1MouseDown();
    else
        Bindery1MouseDown();
}

HWND TFBrowseDirectory::FirstFocus() const
{
    return IsWindowVisible(tBindery_) && !IsWindowVisible(tNDS_) ? bindery1_ : nds1_;
}

void TFBrowseDirectory::SwitchTab(int step)
{
    const int count = TabCtrl_GetItemCount(pMain_);
    if (count < 2)
        return;
    const int current = std::max(0, TabCtrl_GetCurSel(pMain_));
    TabCtrl_SetCurSel(pMain_, ((current + step) % count + count) % count);
    ShowActivePage();
    SetFocus(FirstFocus());
}

void TFBrowseDirectory::FormShow()
{
    selectedUser_.clear();
    EnableWindow(bOK_, FALSE);
    TabCtrl_DeleteAllItems(pMain_);
    if (useNDS_)
    {
        FillNDS();
        AddTab(kNDSCaption, tNDS_);
    }
    if (useBindery_)
    {
        FillBindery();
        AddTab(kBinderyCaption, tBindery_);
    }
    TabCtrl_SetCurSel(pMain_, 0);
    ShowActivePage();
    // Every showing starts in the tree of the first tab.
    ForgetFocus();
}

void TFBrowseDirectory::AddTab(const wchar_t* caption, HWND page)
{
    std::wstring text = caption;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text.data();
    item.lParam = reinterpret_cast<LPARAM>(page);
    TabCtrl_InsertItem(pMain_, TabCtrl_GetItemCount(pMain_), &item);
}

void TFBrowseDirectory::ShowActivePage()
{
    HWND active = nullptr;
    const int selected = TabCtrl_GetCurSel(pMain_);
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (selected >= 0 && TabCtrl_GetItem(pMain_, selected, &item))
        active = reinterpret_cast<HWND>(item.lParam);
    ShowWindow(tNDS_, active == tNDS_ ? SW_SHOW : SW_HIDE);
    ShowWindow(tBindery_, active == tBindery_ ? SW_SHOW : SW_HIDE);
    // OK answers for the tree in front.
    const HWND tree = FirstFocus();
    TreeChange(tree, TreeView_GetSelection(tree));
}

void TFBrowseDirectory::FillNDS()
{
    TreeView_DeleteAllItems(nds1_);
    nw::TNWNDS::SetNameContext("[root]");
    nw::TNWNDS::AddContextFlags(kPickerContextFlags);
    AddNDSChildren(nullptr, "");
}

size_t TFBrowseDirectory::AddNDSChildren(HTREEITEM parent, const std::string& containerName)
{
    std::vector<nw::TNWDSListEntry> entries =
        nw::TNWNDS::ListSubordinates(containerName.empty() ? "[root]" : containerName, "");
    std::stable_sort(entries.begin(), entries.end(),
                     [](const nw::TNWDSListEntry& a, const nw::TNWDSListEntry& b) {
                         return LessIgnoringCase(a.name, b.name);
                     });
    size_t added = 0;
    for (const nw::TNWDSListEntry& entry : entries)
    {
        int image = -1;
        if (entry.kind == nw::TNWDSClassKind::Organization ||
            entry.kind == nw::TNWDSClassKind::OrganizationalUnit)
            image = kContainerImage;
        else if (entry.kind == nw::TNWDSClassKind::User)
            image = kUserImage;
        if (image < 0)
            continue;
        const HTREEITEM node = AddTreeNode(nds1_, parent, WideFromAnsi(entry.name), image);
        // A container can be opened by the keys until it is read and found empty.
        if (image == kContainerImage)
            SetTreeNodeHasChildren(nds1_, node, true);
        ++added;
    }
    return added;
}

void TFBrowseDirectory::FillBindery()
{
    TreeView_DeleteAllItems(bindery1_);
    for (const nw::TNWStringItem& server : nw::TNWLib::GetConnectionList())
    {
        const nw::NWCONN_HANDLE connection = nw::TNWServer::OpenServerConnection(server.text);
        if (nw::TNWNDS::IsDSServer(connection))
            continue;
        const HTREEITEM node = AddTreeNode(bindery1_, nullptr, WideFromAnsi(server.text), kServerImage);
        nw::TNWStringList users = nw::TNWLib::ScanBinderyObjects(connection, kBinderyUser);
        std::stable_sort(users.begin(), users.end(),
                         [](const nw::TNWStringItem& a, const nw::TNWStringItem& b) {
                             return LessIgnoringCase(a.text, b.text);
                         });
        FillNodeChildren(bindery1_, node, [&] {
            for (const nw::TNWStringItem& user : users)
                AddTreeNode(bindery1_, node, WideFromAnsi(user.text), kUserImage);
            return users.size();
        });
    }
}

std::wstring TFBrowseDirectory::FullName(HTREEITEM node) const
{
    std::wstring name = TreeNodeText(nds1_, node);
    for (HTREEITEM above = TreeView_GetParent(nds1_, node); above != nullptr;
         above = TreeView_GetParent(nds1_, above))
        name += L"." + TreeNodeText(nds1_, above);
    return name;
}

int TFBrowseDirectory::NodeImage(HWND tree, HTREEITEM node) const
{
    TVITEMW item{};
    item.mask = TVIF_IMAGE;
    item.hItem = node;
    if (!TreeView_GetItem(tree, &item))
        return -1;
    return item.iImage;
}

void TFBrowseDirectory::NDS1MouseDown()
{
    const HTREEITEM node = TreeView_GetSelection(nds1_);
    if (node == nullptr)
        return;
    const bool expanded = Expanded(nds1_, node);
    if (!expanded)
    {
        const int image = NodeImage(nds1_, node);
        if (image == kContainerImage)
            ReadNDSContainer(node);
        else if (image == kUserImage)
            selectedUser_ = TreeNodeText(nds1_, node);
    }
    const TFlagScope opening(openingByClick_);
    TreeView_Expand(nds1_, node, expanded ? TVE_COLLAPSE : TVE_EXPAND);
}

void TFBrowseDirectory::ReadNDSContainer(HTREEITEM node)
{
    const std::wstring fullName = FullName(node);
    RemoveChildNodes(nds1_, node);
    FillNodeChildren(nds1_, node, [&] { return AddNDSChildren(node, AnsiFromWide(fullName)); });
}

void TFBrowseDirectory::Bindery1MouseDown()
{
    const HTREEITEM node = TreeView_GetSelection(bindery1_);
    if (node == nullptr)
        return;
    TreeView_Expand(bindery1_, node, Expanded(bindery1_, node) ? TVE_COLLAPSE : TVE_EXPAND);
    if (NodeImage(bindery1_, node) == kUserImage)
        selectedUser_ = TreeNodeText(bindery1_, node);
}

void TFBrowseDirectory::TreeChange(HWND tree, HTREEITEM node)
{
    const bool user = node != nullptr && NodeImage(tree, node) == kUserImage;
    if (user)
        selectedUser_ = TreeNodeText(tree, node);
    EnableWindow(bOK_, user ? TRUE : FALSE);
}

void TFBrowseDirectory::BOKClick()
{
    // OK is impossible while no user is selected.
    if (!IsWindowEnabled(bOK_))
        return;
    Accept();
}

void TFBrowseDirectory::BCancelClick()
{
    Cancel();
}

void PickUserInto(TFBrowseDirectory* picker, HWND edit)
{
    if (picker == nullptr || !picker->Execute())
        return;
    SetWindowTextW(edit, (picker->SelectedUser() + L"*").c_str());
}
