// The two-pane splitter control.
#include "TPTSplitter.h"

#include "TApplicationErrors.h"
#include "WindowClass.h"

#include <windowsx.h>

#include <algorithm>

namespace
{

// Each child of a pane fills it, as the controls on the program's panes do.
void FillWithChildren(HWND pane)
{
    RECT client{};
    GetClientRect(pane, &client);
    for (HWND child = GetWindow(pane, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        MoveWindow(child, 0, 0, client.right, client.bottom, TRUE);
}

} // namespace

TPTSplitter::TPTSplitter(HWND parent, int id, const RECT& bounds, const TPTSplitterSettings& settings)
    : settings_(settings), dpi_(TDpi::Of(parent)), position_(dpi_(settings.position))
{
    RegisterWindowClassOnce(kWindowClass, &TPTSplitter::WindowProc);
    RegisterWindowClassOnce(kPaneClass, &TPTSplitter::PaneProc);
    window_ =
        CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds.left,
                        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
    const DWORD frame = settings_.paneFrames ? WS_EX_STATICEDGE : 0;
    for (int pane = 0; pane < 2; ++pane)
        panes_[pane] = CreateWindowExW(frame, kPaneClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                       0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(pane + 1)),
                                       GetModuleHandleW(nullptr), nullptr);
    LayOut();
}

TPTSplitter::~TPTSplitter()
{
    if (IsWindow(window_))
    {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TPTSplitter::SetPosition(int position)
{
    position_ = Usable(position);
    LayOut();
}

void TPTSplitter::SetDpi(TDpi dpi)
{
    const TDpi from = dpi_;
    dpi_ = dpi;
    SetPosition(dpi_.From(from, position_));
}

int TPTSplitter::Usable(int position) const
{
    RECT client{};
    GetClientRect(window_, &client);
    const int highest = client.right - SplitterWidth() - dpi_(settings_.minPaneWidth);
    // Before the control has its width (or when it is too narrow for two panes) nothing can be judged yet:
    // the next size clamps it.
    if (highest < dpi_(settings_.minPaneWidth))
        return std::max(0, position);
    return std::clamp(position, dpi_(settings_.minPaneWidth), highest);
}

void TPTSplitter::LayOut()
{
    if (panes_[1] == nullptr)
        return;
    RECT client{};
    GetClientRect(window_, &client);
    const int first = std::min(position_, static_cast<int>(client.right));
    const int second = std::min(first + SplitterWidth(), static_cast<int>(client.right));
    MoveWindow(panes_[0], 0, 0, first, client.bottom, TRUE);
    MoveWindow(panes_[1], second, 0, client.right - second, client.bottom, TRUE);
    // A move keeps the bits it can and repaints only what it uncovered, which leaves the old edges of the
    // panes' controls (a list's header) on screen: the panes are painted whole.
    for (HWND pane : panes_)
        RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TPTSplitter::OnBar(int x) const
{
    return x >= position_ && x < position_ + SplitterWidth();
}

int TPTSplitter::DragPosition(int x) const
{
    RECT client{};
    GetClientRect(window_, &client);
    const int highest = client.right - SplitterWidth() - dpi_(settings_.minPaneWidth);
    // A control too narrow for two panes of the least width keeps the bar where it is.
    if (highest < dpi_(settings_.minPaneWidth))
        return position_;
    return Usable(x - grabOffset_);
}

void TPTSplitter::OnMouseDown(int x)
{
    if (!OnBar(x))
        return;
    dragging_ = true;
    grabOffset_ = x - position_;
    SetCapture(window_);
}

void TPTSplitter::OnMouseMove(int x)
{
    if (!dragging_)
        return;
    const int position = DragPosition(x);
    if (position == position_)
        return;
    SetPosition(position);
    if (OnSplitterDrag)
        OnSplitterDrag(position_);
}

void TPTSplitter::OnMouseUp(int x)
{
    if (!dragging_)
        return;
    OnMouseMove(x);
    dragging_ = false;
    ReleaseCapture();
    if (OnSplitterDrop)
        OnSplitterDrop(position_);
}

LRESULT TPTSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
        // Both panes keep a usable width however far the control shrinks.
        SetPosition(position_);
        return 0;
    case WM_SETCURSOR: {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window_, &cursor);
        if (reinterpret_cast<HWND>(wParam) != window_ || !OnBar(cursor.x))
            break;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        OnMouseDown(GET_X_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnMouseUp(GET_X_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag ends where the bar is.
        if (dragging_ && reinterpret_cast<HWND>(lParam) != window_)
        {
            dragging_ = false;
            if (OnSplitterDrop)
                OnSplitterDrop(position_);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK TPTSplitter::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = WindowObject<TPTSplitter>(window, message, lParam);
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCCREATE)
        self->window_ = window;
    return GuardCallback([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT CALLBACK TPTSplitter::PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
        FillWithChildren(window);
        return 0;
    case WM_PARENTNOTIFY:
        // A control put on the pane fills it at once.
        if (LOWORD(wParam) == WM_CREATE)
            FillWithChildren(window);
        return 0;
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CONTEXTMENU:
        // What the controls on a pane report goes on to the form, unless a control's wrapper took it on the
        // way (the wrappers subclass the pane).
        return SendMessageW(GetParent(GetParent(window)), message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
