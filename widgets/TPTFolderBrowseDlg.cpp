// The folder-browse dialog.
#include "TPTFolderBrowseDlg.h"

#include "ShellNamespace.h"
#include "TApplicationErrors.h"
#include "TModal.h"
#include "TNewFolderPrompt.h"
#include "TWaitCursor.h"
#include "WindowClass.h"
#include "WindowParts.h"

namespace
{

constexpr wchar_t kWindowClass[] = L"TPTFolderBrowseDlg";
constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kStatusHeight = 18;

HWND AddButton(HWND parent, const wchar_t* text, int id, DWORD style = 0)
{
    return CreateChildControl(parent, L"BUTTON", text, WS_TABSTOP | style, id,
                              {0, 0, kButtonWidth, kButtonHeight});
}

} // namespace

void TPTFolderBrowseDlg::SetOption(TPTFolderBrowseOption option, bool on)
{
    const uint32_t bit = 1u << static_cast<uint32_t>(option);
    options_ = on ? options_ | bit : options_ & ~bit;
}

bool TPTFolderBrowseDlg::HasOption(TPTFolderBrowseOption option) const
{
    return (options_ & (1u << static_cast<uint32_t>(option))) != 0;
}

TPTShellTreeSettings TPTFolderBrowseDlg::TreeSettings() const
{
    TPTShellTreeSettings settings;
    settings.showRoot = true;
    settings.readOnly = HasOption(TPTFolderBrowseOption::ptfbReadOnly);
    const auto map = [&](TPTFolderBrowseOption from, TPTShellTreeOption to) {
        settings.options = HasOption(from) ? settings.options.With(to) : settings.options.Without(to);
    };
    map(TPTFolderBrowseOption::ptfbContextMenus, TPTShellTreeOption::ptstoContextMenus);
    map(TPTFolderBrowseOption::ptfbIncludeNonFolders, TPTShellTreeOption::ptstoIncludeNonFolders);
    map(TPTFolderBrowseOption::ptfbOleDrag, TPTShellTreeOption::ptstoOleDrag);
    map(TPTFolderBrowseOption::ptfbOleDrop, TPTShellTreeOption::ptstoOleDrop);
    map(TPTFolderBrowseOption::ptfbVirtualFolders, TPTShellTreeOption::ptstoVirtualFolders);
    map(TPTFolderBrowseOption::ptfbShowHidden, TPTShellTreeOption::ptstoShowHidden);
    return settings;
}

bool TPTFolderBrowseDlg::Execute()
{
    RegisterWindowClassOnce(kWindowClass, &TPTFolderBrowseDlg::WindowProc);
    const TWaitCursor wait;
    const std::wstring caption = Title.empty() ? kDefaultTitle : Title;
    HWND owner = owner_ != nullptr ? owner_ : GetActiveWindow();
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kWindowClass, caption.c_str(),
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, TDpi::OfScreen()(width_),
                              TDpi::OfScreen()(height_), owner, nullptr, GetModuleHandleW(nullptr), this);
    // A dialog box: over the window that opened it, with a close box and a sizing border only.
    CentreOver(window_, owner);
    CreateControls();
    if (maximized_)
        ShowWindow(window_, SW_MAXIMIZE);
    tree_->FormLoaded();
    tree_->GoTo(startFolder_.IdList());
    OnTreeChange();

    const INT_PTR result =
        TModal::Dialog({window_, caption, [this, owner] { return modal_.Run(window_, owner); }});
    KeepPlacement();
    tree_.reset();
    DestroyWindow(window_);
    window_ = nullptr;
    return result == IDOK;
}

void TPTFolderBrowseDlg::CreateControls()
{
    status_ = CreateChildControl(window_, L"STATIC", L"", SS_PATHELLIPSIS | SS_NOPREFIX, kStatusId,
                                 {0, 0, 10, kStatusHeight});
    tree_ = std::make_unique<TPTShellTree>(window_, kTreeId, RECT{0, 0, 10, 10}, TreeSettings());
    tree_->OnChange = [this] { OnTreeChange(); };
    ok_ = AddButton(window_, L"OK", IDOK, BS_DEFPUSHBUTTON);
    cancel_ = AddButton(window_, L"Cancel", IDCANCEL);
    if (HasOption(TPTFolderBrowseOption::ptfbCreateDeleteButtons))
    {
        create_ = AddButton(window_, L"&Create...", kCreateId);
        delete_ = AddButton(window_, L"&Delete...", kDeleteId);
        const auto setIcon = [](HWND button, int stockIcon) {
            SHSTOCKICONINFO icon{};
            icon.cbSize = sizeof(icon);
            if (SUCCEEDED(SHGetStockIconInfo(static_cast<SHSTOCKICONID>(stockIcon),
                                             SHGSI_ICON | SHGSI_SMALLICON, &icon)))
                SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.hIcon));
        };
        if (HasOption(TPTFolderBrowseOption::ptfbCreateFolderIcon))
            setIcon(create_, SIID_FOLDER);
        if (HasOption(TPTFolderBrowseOption::ptfbDeleteFolderIcon))
            setIcon(delete_, SIID_RECYCLER);
    }
    LayOut();
}

void TPTFolderBrowseDlg::LayOut()
{
    RECT client{};
    GetClientRect(window_, &client);
    const TDpi dpi = TDpi::Of(window_);
    const int width = client.right;
    const int height = client.bottom;
    const int margin = dpi(kMargin);
    const int buttonWidth = dpi(kButtonWidth);
    const int buttonHeight = dpi(kButtonHeight);
    const int buttonsTop = height - margin - buttonHeight;
    MoveWindow(status_, margin, margin, width - 2 * margin, dpi(kStatusHeight), TRUE);
    const int treeTop = margin + dpi(kStatusHeight + 4);
    MoveWindow(tree_->Handle(), margin, treeTop, width - 2 * margin, buttonsTop - margin - treeTop, TRUE);
    MoveWindow(cancel_, width - margin - buttonWidth, buttonsTop, buttonWidth, buttonHeight, TRUE);
    MoveWindow(ok_, width - 2 * (margin + buttonWidth), buttonsTop, buttonWidth, buttonHeight, TRUE);
    if (create_ != nullptr)
    {
        MoveWindow(create_, margin, buttonsTop, buttonWidth, buttonHeight, TRUE);
        MoveWindow(delete_, 2 * margin + buttonWidth, buttonsTop, buttonWidth, buttonHeight, TRUE);
    }
}

void TPTFolderBrowseDlg::OnTreeChange()
{
    TPTShTreeData* data = tree_->NodeData(tree_->SelectedNode());
    if (data == nullptr)
        return;
    const std::wstring path = PathOf(data->Absolute());
    SetWindowTextW(status_, (path.empty() ? DisplayNameOf(data->Absolute()) : path).c_str());
}

void TPTFolderBrowseDlg::OnOk()
{
    if (TPTShTreeData* data = tree_->NodeData(tree_->SelectedNode()))
        folder_.Assign(data->Absolute());
    modal_.EndModal(IDOK);
}

void TPTFolderBrowseDlg::OnCreate()
{
    TNewFolderPrompt prompt;
    if (prompt.Execute(window_) && !tree_->CreateFolder(prompt.Name()))
        TModal::ShowMessage(window_, L"The folder \"" + prompt.Name() + L"\" could not be created.",
                            Title.empty() ? kDefaultTitle : Title, MB_OK | MB_ICONERROR);
}

void TPTFolderBrowseDlg::OnDelete()
{
    tree_->InvokeVerbOnSelection("delete");
}

void TPTFolderBrowseDlg::OnCommand(int id)
{
    switch (id)
    {
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        modal_.EndModal(IDCANCEL);
        break;
    case kCreateId:
        OnCreate();
        break;
    case kDeleteId:
        OnDelete();
        break;
    default:
        break;
    }
}

void TPTFolderBrowseDlg::OnGetMinMaxInfo(MINMAXINFO* info)
{
    const TDpi dpi = TDpi::Of(window_);
    info->ptMinTrackSize.x = dpi(kMinWidth);
    info->ptMinTrackSize.y = dpi(kMinHeight);
}

void TPTFolderBrowseDlg::KeepPlacement()
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(window_, &placement);
    maximized_ = placement.showCmd == SW_SHOWMAXIMIZED;
    const TDpi dpi = TDpi::Of(window_);
    width_ = dpi.Unscaled(placement.rcNormalPosition.right - placement.rcNormalPosition.left);
    height_ = dpi.Unscaled(placement.rcNormalPosition.bottom - placement.rcNormalPosition.top);
}

LRESULT CALLBACK TPTFolderBrowseDlg::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = WindowObject<TPTFolderBrowseDlg>(window, message, lParam);
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE)
        self->window_ = window;
    return GuardCallback([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TPTFolderBrowseDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_SIZE:
        if (tree_ != nullptr)
            LayOut();
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the suggested size, and the layout follows it.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        modal_.EndModal(IDCANCEL);
        return 0;
    case WM_ACTIVATE:
        // The arrow keys move in the tree from the start, as in the system's own folder dialog.
        if (LOWORD(wParam) != WA_INACTIVE && tree_ != nullptr)
        {
            SetFocus(tree_->Handle());
            return 0;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_NCDESTROY:
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        return DefWindowProcW(window_, message, wParam, lParam);
    default:
        return DefWindowProcW(window_, message, wParam, lParam);
    }
}
