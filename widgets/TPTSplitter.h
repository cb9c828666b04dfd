// A control of two panes side by side with a bar between them that the operator drags; each pane fills its
// child windows to its own size.
#pragma once

#include "TDpi.h"

#include <windows.h>

#include <functional>

// Sizes at 96 DPI: the splitter scales them by its parent's DPI.
struct TPTSplitterSettings
{
    int position = 100;      // the width of the first pane
    int splitterWidth = 2;   // the width of the bar
    bool paneFrames = false; // an indented frame round each pane
    int minPaneWidth = 20;   // how narrow a drag may make either pane
};

class TPTSplitter
{
public:
    static constexpr const wchar_t* kWindowClass = L"TPTSplitter";
    static constexpr const wchar_t* kPaneClass = L"TPTSplitterPane";

    TPTSplitter(HWND parent, int id, const RECT& bounds, const TPTSplitterSettings& settings = {});
    ~TPTSplitter();

    TPTSplitter(const TPTSplitter&) = delete;
    TPTSplitter& operator=(const TPTSplitter&) = delete;

    HWND Handle() const { return window_; }
    // Pane 0 is the left one.
    HWND Pane(int index) const { return panes_[index]; }

    // The width of the first pane in pixels.
    int Position() const { return position_; }
    // Moves the bar, within the bounds that leave each pane its least width.
    void SetPosition(int position);
    // The splitter's window moved to another scale: the bar, its place and the least widths follow.
    void SetDpi(TDpi dpi);
    int SplitterWidth() const { return dpi_(settings_.splitterWidth); }

    // While the operator drags the bar, and when he lets it go: the new position.
    std::function<void(int)> OnSplitterDrag;
    std::function<void(int)> OnSplitterDrop;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void LayOut();
    // The position clamped so that both panes keep their least width.
    int Usable(int position) const;
    bool OnBar(int x) const;
    int DragPosition(int x) const;
    void OnMouseDown(int x);
    void OnMouseMove(int x);
    void OnMouseUp(int x);

    TPTSplitterSettings settings_;
    TDpi dpi_;
    HWND window_ = nullptr;
    HWND panes_[2] = {};
    int position_;
    bool dragging_ = false;
    int grabOffset_ = 0;
};
