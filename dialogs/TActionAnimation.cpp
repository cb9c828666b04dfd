// The action message window's animation.
#include "TActionAnimation.h"

#include "TApplicationErrors.h"
#include "TUniqueHandle.h"
#include "WindowClass.h"
#include "WindowParts.h"

#include <commctrl.h>

namespace
{

constexpr UINT_PTR kFrameTimer = 1;
constexpr wchar_t kOwnClass[] = L"TActionAnimation";

void DrawFolder(HDC dc, int left, int top)
{
    TBrush yellow(CreateSolidBrush(RGB(240, 200, 80)));
    HGDIOBJ oldBrush = SelectObject(dc, yellow.Get());
    const POINT tab[] = {{left, top + 4}, {left + 4, top}, {left + 14, top}, {left + 18, top + 4}};
    Polygon(dc, tab, 4);
    Rectangle(dc, left, top + 4, left + 40, top + 32);
    SelectObject(dc, oldBrush);
}

// A sheet of paper with three lines of text, 18 by 22 pixels.
void DrawSheet(HDC dc, int x, int y)
{
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Rectangle(dc, x, y, x + 18, y + 22);
    for (int line = 0; line < 3; ++line)
    {
        MoveToEx(dc, x + 3, y + 6 + line * 5, nullptr);
        LineTo(dc, x + 15, y + 6 + line * 5);
    }
    SelectObject(dc, oldBrush);
}

} // namespace

TActionAnimation::TActionAnimation(HWND parent, int id, const RECT& bounds, TAnimationClip clip) : clip_(clip)
{
    window_ = CreateChildControl(parent, ANIMATE_CLASSW, L"", ACS_CENTER | ACS_TRANSPARENT, id, bounds);
    shellClip_ = OpenShellClip();
    if (!shellClip_)
    {
        DestroyWindow(window_);
        CreateOwnAnimation(parent, id, bounds);
    }
}

TActionAnimation::~TActionAnimation()
{
    Stop();
}

bool TActionAnimation::OpenShellClip()
{
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    return window_ != nullptr && shell != nullptr &&
           SendMessageW(window_, ACM_OPENW, reinterpret_cast<WPARAM>(shell),
                        reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(clip_ == TAnimationClip::acFindFile
                                                                      ? kShellFindFileClip
                                                                      : kShellFileCopyClip))) != 0;
}

void TActionAnimation::CreateOwnAnimation(HWND parent, int id, const RECT& bounds)
{
    RegisterWindowClassOnce(kOwnClass, &TActionAnimation::WindowProc);
    window_ = CreateWindowExW(0, kOwnClass, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top, bounds.right,
                              bounds.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), this);
}

void TActionAnimation::Play()
{
    if (playing_ || window_ == nullptr)
        return;
    playing_ = true;
    if (shellClip_)
        SendMessageW(window_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
    else
        SetTimer(window_, kFrameTimer, kFrameMilliseconds, nullptr);
}

void TActionAnimation::Stop()
{
    if (!playing_ || window_ == nullptr || !IsWindow(window_))
        return;
    playing_ = false;
    if (shellClip_)
        SendMessageW(window_, ACM_STOP, 0, 0);
    else
        KillTimer(window_, kFrameTimer);
}

void TActionAnimation::NextFrame()
{
    frame_ = (frame_ + 1) % kFrameCount;
    InvalidateRect(window_, nullptr, TRUE);
}

void TActionAnimation::Paint(HDC dc) const
{
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (clip_ == TAnimationClip::acFindFile)
        PaintFindFile(dc, client);
    else
        PaintFileCopy(dc, client);
}

void TActionAnimation::PaintFileCopy(HDC dc, const RECT& client) const
{
    const int middle = client.right / 2;
    const int from = middle - 110;
    const int to = middle + 70;
    DrawFolder(dc, from, 22);
    DrawFolder(dc, to, 22);
    // The sheet flies on an arc from the first folder to the second.
    const int step = frame_ * (to - from) / (kFrameCount - 1);
    const int lift = frame_ * (kFrameCount - 1 - frame_) * 2;
    const int x = from + 10 + step;
    const int y = 14 - lift / 3;
    DrawSheet(dc, x, y);
}

void TActionAnimation::PaintFindFile(HDC dc, const RECT& client) const
{
    const int x = client.right / 2 - 9;
    const int y = client.bottom / 2 - 11;
    DrawSheet(dc, x, y);
    // The glass goes round the sheet once in a cycle of frames.
    static constexpr int kPath[kFrameCount][2] = {{0, -8},  {6, -6},  {9, 0},   {10, 5}, {8, 10},  {3, 12},
                                                  {-3, 12}, {-8, 10}, {-10, 5}, {-9, 0}, {-6, -6}, {-3, -8}};
    const int cx = x + 9 + kPath[frame_][0];
    const int cy = y + 11 + kPath[frame_][1];
    TPen handle(CreatePen(PS_SOLID, 3, RGB(96, 64, 32)));
    HGDIOBJ oldPen = SelectObject(dc, handle.Get());
    MoveToEx(dc, cx + 5, cy + 5, nullptr);
    LineTo(dc, cx + 11, cy + 11);
    SelectObject(dc, oldPen);
    TBrush glass(CreateSolidBrush(RGB(200, 230, 255)));
    HGDIOBJ oldBrush = SelectObject(dc, glass.Get());
    Ellipse(dc, cx - 7, cy - 7, cx + 8, cy + 8);
    SelectObject(dc, oldBrush);
}

LRESULT CALLBACK TActionAnimation::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = WindowObject<TActionAnimation>(window, message, lParam);
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return GuardCallback(
        [&]() -> LRESULT {
            switch (message)
            {
            case WM_TIMER:
                if (wParam == kFrameTimer)
                    self->NextFrame();
                return 0;
            case WM_ERASEBKGND:
                return 1;
            case WM_PAINT: {
                PAINTSTRUCT paint;
                HDC dc = BeginPaint(window, &paint);
                self->Paint(dc);
                EndPaint(window, &paint);
                return 0;
            }
            case WM_NCDESTROY:
                SetWindowLongPtrW(window, GWLP_USERDATA, 0);
                self->window_ = nullptr;
                return DefWindowProcW(window, message, wParam, lParam);
            default:
                return DefWindowProcW(window, message, wParam, lParam);
            }
        },
        LRESULT{0});
}
