// Child controls, fonts and texts of the program's windows.
#include "WindowParts.h"

#include "WindowClass.h"

#include <algorithm>
#include <string>
#include <tuple>

HWND CreateChildControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                        const RECT& bounds, DWORD extendedStyle)
{
    const RECT scaled = TDpi::Of(parent)(bounds);
    HWND control = CreateWindowExW(extendedStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style,
                                   scaled.left, scaled.top, scaled.right, scaled.bottom, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void RemoveBorder(HWND control)
{
    const LONG extended = GetWindowLongW(control, GWL_EXSTYLE);
    SetWindowLongW(control, GWL_EXSTYLE, extended & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    SetWindowLongW(control, GWL_STYLE, style & ~WS_BORDER);
    SetWindowPos(control, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void UseProgramIcon(HWND window)
{
    // The program's icon is its first icon resource; shared icons need no destroying.
    const HINSTANCE program = GetModuleHandleW(nullptr);
    for (const auto& [kind, width, height] :
         {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}})
    {
        HANDLE icon = LoadImageW(program, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(width),
                                 GetSystemMetrics(height), LR_SHARED);
        SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

RECT ScreenCentredBounds(int clientWidth, int clientHeight, DWORD style, DWORD extendedStyle)
{
    const TDpi dpi = TDpi::OfScreen();
    RECT outer{0, 0, dpi(clientWidth), dpi(clientHeight)};
    AdjustWindowRectEx(&outer, style, FALSE, extendedStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
            height};
}

RECT WithinWorkArea(const RECT& bounds)
{
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const LONG width = std::min(bounds.right, area.right - area.left);
    const LONG height = std::min(bounds.bottom, area.bottom - area.top);
    const LONG left = std::clamp(bounds.left, area.left, area.right - width);
    const LONG top = std::clamp(bounds.top, area.top, area.bottom - height);
    return {left, top, width, height};
}

bool Shown(HWND control)
{
    return (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CentreOnScreen(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CentreOver(HWND window, HWND over)
{
    if (over == nullptr)
    {
        CentreOnScreen(window);
        return;
    }
    RECT bounds{};
    GetWindowRect(window, &bounds);
    RECT under{};
    GetWindowRect(over, &under);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(over, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int left = (under.left + under.right - width) / 2;
    const int top = (under.top + under.bottom - height) / 2;
    // Within the work area, the top left corner (and with it the caption) first.
    const int x = std::max<int>(area.left, std::min<int>(left, area.right - width));
    const int y = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TFont CreateSansSerifFont(int points, TDpi dpi)
{
    const int height = -MulDiv(points, dpi.Value(), 72);
    return TFont(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
}

TFont CreateDialogFont(TDpi dpi)
{
    LOGFONTW look{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(look), &look);
    look.lfHeight = dpi.From(TDpi::OfScreen(), look.lfHeight);
    return TFont(CreateFontIndirectW(&look));
}

namespace
{

struct TRescale
{
    HWND window;
    TDpi from;
    TDpi to;
    HFONT oldFont;
    HFONT newFont;
};

bool OwnWindow(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetClassLongPtrW(window, GCLP_HMODULE)) == GetModuleHandleW(nullptr);
}

BOOL CALLBACK RescaleChild(HWND child, LPARAM lParam)
{
    const auto& rescale = *reinterpret_cast<const TRescale*>(lParam);
    HWND parent = GetParent(child);
    if (reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)) == rescale.oldFont)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(rescale.newFont), FALSE);
    // Controls lay out their own parts (a list's header, a combo box's edit); only the children of the
    // window and of the program's own windows in it are placed here.
    if (parent != rescale.window && !OwnWindow(parent))
        return TRUE;
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const auto scale = [&](LONG size) { return rescale.to.From(rescale.from, size); };
    SetWindowPos(child, nullptr, scale(place.left), scale(place.top), scale(place.right - place.left),
                 scale(place.bottom - place.top), SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

} // namespace

void RescaleChildren(HWND window, TDpi from, TDpi to, HFONT oldFont, HFONT newFont)
{
    TRescale rescale{window, from, to, oldFont, newFont};
    EnumChildWindows(window, RescaleChild, reinterpret_cast<LPARAM>(&rescale));
}

std::wstring WideFromAnsi(const std::string& text)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::string AnsiFromWide(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                            nullptr, nullptr);
    return result;
}

std::optional<LRESULT> EnterAsMainButton(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         const std::function<void()>& press)
{
    switch (message)
    {
    case WM_GETDLGCODE:
        // The edit takes Enter itself, so that the dialog's modal loop leaves it to the key handler.
        if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DefSubclassProc(edit, message, wParam, lParam) | DLGC_WANTALLKEYS;
        return std::nullopt;
    case WM_KEYDOWN:
        // Its character comes next; the edit must not beep at it.
        if (wParam == VK_RETURN)
            return 0;
        return std::nullopt;
    case WM_CHAR:
        if (wParam != VK_RETURN)
            return std::nullopt;
        press();
        return 0;
    default:
        return std::nullopt;
    }
}

namespace
{

LRESULT CALLBACK TabPageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY || message == WM_COMMAND)
        return SendMessageW(GetParent(window), message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

HWND CreateTabPage(HWND form, HWND tabs)
{
    static constexpr wchar_t kPageClass[] = L"RetroveTabPage";
    RegisterWindowClassOnce(kPageClass, &TabPageProc);
    // A tab control without tabs yet leaves their row out of its display area: the page would cover the
    // captions of the tabs added later.
    const bool noTabs = TabCtrl_GetItemCount(tabs) == 0;
    if (noTabs)
    {
        TCITEMW placeholder{};
        TabCtrl_InsertItem(tabs, 0, &placeholder);
    }
    RECT area{};
    GetClientRect(tabs, &area);
    TabCtrl_AdjustRect(tabs, FALSE, &area);
    if (noTabs)
        TabCtrl_DeleteItem(tabs, 0);
    MapWindowPoints(tabs, form, reinterpret_cast<POINT*>(&area), 2);
    // The display area is in pixels already.
    HWND page = CreateChildControl(form, kPageClass, L"", WS_CLIPCHILDREN, 0, {}, WS_EX_CONTROLPARENT);
    SetWindowPos(page, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top, 0);
    return page;
}
