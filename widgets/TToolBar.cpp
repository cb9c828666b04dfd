// The tool bar control.
#include "TToolBar.h"

#include "WindowParts.h"

#include <algorithm>

namespace
{

const std::wstring& NoHint()
{
    static const std::wstring none;
    return none;
}

BYTE StyleOf(TToolButtonKind kind)
{
    switch (kind)
    {
    case TToolButtonKind::tbkCheck:
        return BTNS_CHECK;
    case TToolButtonKind::tbkGroupCheck:
        return BTNS_CHECKGROUP;
    default:
        return BTNS_BUTTON;
    }
}

} // namespace

TToolBar::TToolBar(HWND parent, int id, const RECT& bounds, const TToolBarSettings& settings)
    : settings_(settings), dpi_(TDpi::Of(parent))
{
    // The tool bar keeps the height it is given: the form lays it out.
    toolbar_ = CreateChildControl(
        parent, TOOLBARCLASSNAMEW, L"",
        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | WS_CLIPCHILDREN,
        id, {bounds.left, bounds.top, bounds.right - bounds.left, settings_.height});
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ApplySizes();
    parentSubclass_.Attach(parent, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnParentMessage(message, wParam, lParam);
    });
}

TToolBar::~TToolBar()
{
    parentSubclass_.Detach();
    if (IsWindow(toolbar_))
        DestroyWindow(toolbar_);
}

void TToolBar::ApplySizes()
{
    const int side = PictureSide();
    // The button keeps its margin round a picture of any side.
    const int padX = dpi_(settings_.buttonSize.cx - 16);
    const int padY = dpi_(settings_.buttonSize.cy - 16);
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(side + padX, side + padY));
}

void TToolBar::SetDpi(TDpi dpi)
{
    dpi_ = dpi;
    ApplySizes();
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    info.cx = static_cast<WORD>(dpi_(settings_.separatorWidth));
    for (const int index : separators_)
        SendMessageW(toolbar_, TB_SETBUTTONINFOW, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&info));
    for (const TCarried& carried : carried_)
    {
        info.cx = static_cast<WORD>(dpi_(carried.width));
        SendMessageW(toolbar_, TB_SETBUTTONINFOW, static_cast<WPARAM>(carried.index),
                     reinterpret_cast<LPARAM>(&info));
    }
    for (const TCarried& carried : carried_)
        PlaceControl(carried.index, carried.control, carried.width, carried.height);
    RECT bounds{};
    GetWindowRect(toolbar_, &bounds);
    SetWindowPos(toolbar_, nullptr, 0, 0, bounds.right - bounds.left, Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TToolBar::SetImageLists(HIMAGELIST normal, HIMAGELIST disabled)
{
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
    SendMessageW(toolbar_, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
    ApplySizes();
}

void TToolBar::AddRaw(const TBBUTTON& button)
{
    const auto count = SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0);
    SendMessageW(toolbar_, TB_INSERTBUTTONW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&button));
}

void TToolBar::AddButton(int command, int image, std::wstring hint, TToolButtonKind kind)
{
    hints_[command] = std::move(hint);
    TBBUTTON button{};
    button.iBitmap = image;
    button.idCommand = command;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = StyleOf(kind);
    button.iString = -1;
    AddRaw(button);
}

void TToolBar::AddSeparator()
{
    TBBUTTON separator{};
    separator.iBitmap = dpi_(settings_.separatorWidth);
    separator.fsStyle = BTNS_SEP;
    separators_.push_back(static_cast<int>(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0)));
    AddRaw(separator);
}

void TToolBar::AddControl(HWND control, int width, int height)
{
    TBBUTTON gap{};
    gap.iBitmap = dpi_(width);
    gap.fsStyle = BTNS_SEP;
    AddRaw(gap);
    const auto index = static_cast<int>(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0) - 1);
    if (GetParent(control) != toolbar_)
        SetParent(control, toolbar_);
    carried_.push_back({index, control, width, height});
    PlaceControl(index, control, width, height);
}

void TToolBar::PlaceControl(int index, HWND control, int width, int height)
{
    RECT place{};
    SendMessageW(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&place));
    SetWindowPos(control, nullptr, place.left, 0, dpi_(width), dpi_(height), SWP_NOZORDER | SWP_NOACTIVATE);
    // A combo box is shorter than the height it is given (that is its dropped-down height): centre what
    // shows.
    RECT shown{};
    GetWindowRect(control, &shown);
    const int top = std::max(0, (Height() - static_cast<int>(shown.bottom - shown.top)) / 2);
    SetWindowPos(control, nullptr, place.left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
}

bool TToolBar::Enabled(int command) const
{
    return SendMessageW(toolbar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

void TToolBar::SetEnabled(int command, bool enabled)
{
    SendMessageW(toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(command),
                 MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool TToolBar::Down(int command) const
{
    return SendMessageW(toolbar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(command), 0) != 0;
}

void TToolBar::SetDown(int command, bool down)
{
    SendMessageW(toolbar_, TB_CHECKBUTTON, static_cast<WPARAM>(command), MAKELPARAM(down ? TRUE : FALSE, 0));
}

const std::wstring& TToolBar::Hint(int command) const
{
    const auto found = hints_.find(command);
    return found != hints_.end() ? found->second : NoHint();
}

RECT TToolBar::ButtonRect(int command) const
{
    RECT place{};
    SendMessageW(toolbar_, TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(&place));
    return place;
}

std::optional<LRESULT> TToolBar::OnParentMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return std::nullopt;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code != TTN_GETDISPINFOW ||
        header->hwndFrom != reinterpret_cast<HWND>(SendMessageW(toolbar_, TB_GETTOOLTIPS, 0, 0)))
        return std::nullopt;
    // The tool tips of the buttons ask the parent for their text.
    const auto found = hints_.find(static_cast<int>(header->idFrom));
    if (found == hints_.end())
        return std::nullopt;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    info->lpszText = const_cast<wchar_t*>(found->second.c_str());
    info->hinst = nullptr;
    return 0;
}
