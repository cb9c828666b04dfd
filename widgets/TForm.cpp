// Top-level windows of the program.
#include "TForm.h"

#include "TApplicationErrors.h"
#include "TModal.h"
#include "WindowClass.h"
#include "WindowParts.h"

#include <iterator>

TForm::~TForm()
{
    if (window_ != nullptr && IsWindow(window_))
    {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

std::wstring TForm::Caption() const
{
    return WindowText(window_);
}

namespace
{

// Ctrl+A in an edit field selects the field's text, before any shortcut of the form takes the key.
bool SelectAllInEdit(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != 'A' || GetKeyState(VK_CONTROL) >= 0 ||
        GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0)
        return false;
    wchar_t windowClass[16] = {};
    GetClassNameW(message.hwnd, windowClass, static_cast<int>(std::size(windowClass)));
    if (lstrcmpiW(windowClass, L"Edit") != 0)
        return false;
    SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
    return true;
}

// Asks a window whether it takes a message before dispatch; only the program's forms answer.
UINT PreTranslateMessageId()
{
    static const UINT id = RegisterWindowMessageW(L"Retrove98.PreTranslate");
    return id;
}

// The window a modal form must block is the one it was opened from. The main window owns every form, so a
// form opened from another dialog (Find, Filter) would otherwise leave that dialog working under it.
HWND OpeningWindow(HWND form)
{
    HWND active = GetActiveWindow();
    if (active == nullptr || active == form || !IsWindowVisible(active) || !IsWindowEnabled(active))
        return GetWindow(form, GW_OWNER);
    return active;
}

// Owns a form by another window for a while, so that it stays above it; the form's own owner comes back.
class TOwnerScope
{
public:
    TOwnerScope(HWND form, HWND owner) : form_(form), previous_(GetWindow(form, GW_OWNER))
    {
        if (owner != previous_)
            SetOwner(owner);
    }
    ~TOwnerScope()
    {
        if (IsWindow(form_) && GetWindow(form_, GW_OWNER) != previous_)
            SetOwner(previous_);
    }
    TOwnerScope(const TOwnerScope&) = delete;
    TOwnerScope& operator=(const TOwnerScope&) = delete;

private:
    void SetOwner(HWND owner)
    {
        SetWindowLongPtrW(form_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }

    HWND form_;
    HWND previous_;
};

} // namespace

INT_PTR TForm::ShowModal(HWND opener)
{
    Restore();
    HWND owner = opener != nullptr ? opener : OpeningWindow(window_);
    const TOwnerScope opened(window_, owner);
    return TModal::Dialog({window_, Caption(), [this, owner] {
                               return modal_.Run(window_, owner,
                                                 [this](MSG& message) { return PreTranslate(message); });
                           }});
}

bool TForm::PreTranslate(MSG& message)
{
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    if (SelectAllInEdit(message) || FormKey(message))
        return true;
    if (accelerators_ != nullptr && TranslateAcceleratorW(window_, accelerators_, &message) != 0)
        return true;
    return IsDialogMessageW(window_, &message) != FALSE;
}

bool TForm::PreTranslateInForm(MSG& message)
{
    HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    return top != nullptr &&
           SendMessageW(top, PreTranslateMessageId(), 0, reinterpret_cast<LPARAM>(&message)) != 0;
}

void TForm::CreateForm(const TFormLook& look, HWND owner)
{
    RegisterWindowClassOnce(look.windowClass, &TForm::WindowProc);
    CreateWindowExW(look.extendedStyle, look.windowClass, look.caption, look.style, look.bounds.left,
                    look.bounds.top, look.bounds.right, look.bounds.bottom, owner, nullptr,
                    GetModuleHandleW(nullptr), this);
}

void TForm::ShowForm(int show)
{
    Restore();
    if (!IsWindowVisible(window_))
        ShowWindow(window_, show);
}

void TForm::CloseForm(INT_PTR result)
{
    SaveOnClose();
    if (modal_.Running())
        modal_.EndModal(result);
    else
        ShowWindow(window_, SW_HIDE);
}

void TForm::DestroyForm()
{
    SaveOnClose();
    DestroyWindow(window_);
}

TFormStorage& TForm::DeclareStorage(const wchar_t* root, const wchar_t* section)
{
    storage_ = std::make_unique<TFormStorage>(window_);
    storage_->IniFileName = root;
    storage_->IniSection = section;
    return *storage_;
}

void TForm::KeepColumnLayout(TExtListView& list)
{
    list.LoadSettings();
    keptLayouts_.push_back(&list);
}

void TForm::Restore()
{
    shown_ = true;
    if (storage_ != nullptr)
        storage_->FormShow();
    SettingsRestored();
}

void TForm::SaveOnClose()
{
    if (storage_ != nullptr)
        storage_->FormCloseQuery(true);
}

void TForm::SaveAsWindowGoes()
{
    if (storage_ != nullptr)
        storage_->FormDestroy();
    // The lists save their layout as their own windows go, after this one; a form that never showed (a start
    // that ended early) leaves the stored layouts as they were.
    if (!shown_)
        for (TExtListView* list : keptLayouts_)
            list->SaveSettings.autoSave = false;
}

void TForm::RememberFocus()
{
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus))
        focused_ = focus;
}

void TForm::RestoreFocus()
{
    const auto usable = [this](HWND control) {
        return control != nullptr && IsChild(window_, control) && IsWindowVisible(control) &&
               IsWindowEnabled(control);
    };
    HWND target = usable(focused_) ? focused_ : FirstFocus();
    if (!usable(target))
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    if (!usable(target))
        return;
    SetFocus(target);
    FocusRestored(target);
}

bool TForm::TrackFocus(UINT message, WPARAM wParam)
{
    switch (message)
    {
    case WM_ACTIVATE:
        // Left alone, the default handling gives the keyboard to the frame, where no key does anything.
        if (LOWORD(wParam) == WA_INACTIVE)
            RememberFocus();
        else if (HIWORD(wParam) == 0)
            RestoreFocus();
        else
            SetFocus(window_); // minimized: the frame takes the keys, as by default
        return true;
    case WM_SETFOCUS:
        if (!IsIconic(window_))
            RestoreFocus();
        return true;
    case WM_SIZE:
        // Restored from the task bar: the frame kept the keyboard while it was minimized.
        if (wParam != SIZE_MINIMIZED && GetFocus() == window_)
            RestoreFocus();
        return false;
    default:
        return false;
    }
}

std::optional<LRESULT> TForm::HandleMessage(UINT message, WPARAM, LPARAM)
{
    // Closing a form hides it: the program's forms live as long as the program.
    if (message == WM_CLOSE)
    {
        CloseForm(IDCANCEL);
        return 0;
    }
    return std::nullopt;
}

void TForm::OnDpiChanged(TDpi to, const RECT& suggested)
{
    const TDpi from = dpi_;
    if (to == from)
        return;
    HFONT oldFont = dpiFont_ ? dpiFont_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    TFont newFont = to == TDpi::OfScreen() ? TFont() : CreateDialogFont(to);
    RescaleChildren(window_, from, to, oldFont,
                    newFont ? newFont.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    dpiFont_ = std::move(newFont);
    dpi_ = to;
    for (TExtListView* list : keptLayouts_)
        list->SetDpi(to);
    // The suggested rectangle keeps the window's place on the new monitor; its size sends the form's layout.
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    DpiChanged(from);
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = WindowObject<TForm>(window, message, lParam);
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE)
    {
        self->window_ = window;
        self->dpi_ = TDpi::Of(window);
    }
    if (message == WM_DPICHANGED)
        return GuardCallback(
            [&] {
                self->OnDpiChanged(TDpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
                return 0;
            },
            0);
    if (message == WM_DESTROY)
        GuardCallback(
            [&] {
                self->SaveAsWindowGoes();
                return 0;
            },
            0);
    if (message == PreTranslateMessageId())
        return self->PreTranslate(*reinterpret_cast<MSG*>(lParam)) ? 1 : 0;
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (GuardCallback([&] { return self->TrackFocus(message, wParam); }, false))
        return 0;
    const std::optional<LRESULT> handled = GuardCallback(
        [&] { return self->HandleMessage(message, wParam, lParam); }, std::optional<LRESULT>(0));
    return handled ? *handled : DefWindowProcW(window, message, wParam, lParam);
}
