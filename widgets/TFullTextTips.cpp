// Tool tips for labels whose text is cut short.
#include "TFullTextTips.h"

#include <commctrl.h>

namespace
{

TTTOOLINFOW ToolOf(HWND owner, HWND label)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    return tool;
}

} // namespace

int TextWidthIn(HWND control, const std::wstring& text)
{
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return extent.cx;
}

bool TextCutShort(HWND control, const std::wstring& text)
{
    RECT client{};
    GetClientRect(control, &client);
    return TextWidthIn(control, text) > client.right;
}

TFullTextTips::TFullTextTips(HWND owner) : owner_(owner)
{
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
}

TFullTextTips::~TFullTextTips()
{
    if (IsWindow(tips_))
        DestroyWindow(tips_);
}

void TFullTextTips::SetText(HWND label, const std::wstring& text)
{
    SetWindowTextW(label, text.c_str());
    TTTOOLINFOW tool = ToolOf(owner_, label);
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (!TextCutShort(label, text))
        return;
    // The label must take the mouse for its tip to see it.
    SetWindowLongW(label, GWL_STYLE, GetWindowLongW(label, GWL_STYLE) | SS_NOTIFY);
    std::wstring whole = text;
    tool.lpszText = whole.data();
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Long names and paths wrap in the tip rather than run off the screen.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(label, MONITOR_DEFAULTTONEAREST), &monitor);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, (monitor.rcWork.right - monitor.rcWork.left) / 2);
}

std::wstring TFullTextTips::TipText(HWND label) const
{
    TTTOOLINFOW tool = ToolOf(owner_, label);
    if (SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) == 0)
        return {};
    std::wstring text(4096, L'\0');
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    text.resize(wcslen(text.c_str()));
    return text;
}
