// A flat tool bar of push and check buttons with tool tips, that can also carry a control (such as a
// combo box) in a gap of its own width.
#pragma once

#include "TDpi.h"
#include "TSubclass.h"

#include <windows.h>

#include <commctrl.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

enum class TToolButtonKind
{
    tbkPush,
    tbkCheck,
    // One of a group of check buttons of which exactly one is down; pressing one releases the others.
    tbkGroupCheck,
};

// Sizes at 96 DPI: the tool bar scales them by its parent's DPI.
struct TToolBarSettings
{
    int height = 28;
    SIZE buttonSize{23, 22}; // round a 16-pixel picture
    int separatorWidth = 8;
};

class TToolBar
{
public:
    TToolBar(HWND parent, int id, const RECT& bounds, const TToolBarSettings& settings = {});
    ~TToolBar();

    TToolBar(const TToolBar&) = delete;
    TToolBar& operator=(const TToolBar&) = delete;

    HWND Handle() const { return toolbar_; }
    int Height() const { return dpi_(settings_.height); }
    // The side of the pictures the tool bar shows at its DPI: 16, 20, 24 or 32 pixels.
    int PictureSide() const { return dpi_.SmallPictureSide(); }
    // Lays the buttons and controls out again after the tool bar's window moved to another scale; the
    // pictures at the new side follow by SetImageLists.
    void SetDpi(TDpi dpi);

    // The pictures of the buttons, and of the buttons while disabled, of PictureSide(). The tool bar does not
    // own them.
    void SetImageLists(HIMAGELIST normal, HIMAGELIST disabled);

    // Buttons are added left to right. A button's command reaches the parent as WM_COMMAND.
    void AddButton(int command, int image, std::wstring hint,
                   TToolButtonKind kind = TToolButtonKind::tbkPush);
    void AddSeparator();
    // Reserves a gap of the width and puts the control into it, as a child of the tool bar (better created
    // so: its notifications go to its parent). The height is the control's window height; a combo box's
    // dropped one. Both at 96 DPI.
    void AddControl(HWND control, int width, int height);

    bool Enabled(int command) const;
    void SetEnabled(int command, bool enabled);
    bool Down(int command) const;
    void SetDown(int command, bool down);
    const std::wstring& Hint(int command) const;
    // The button's place in the tool bar, in its client coordinates.
    RECT ButtonRect(int command) const;

private:
    std::optional<LRESULT> OnParentMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AddRaw(const TBBUTTON& button);
    void ApplySizes();
    void PlaceControl(int index, HWND control, int width, int height);

    struct TCarried
    {
        int index;
        HWND control;
        int width;
        int height;
    };

    TToolBarSettings settings_;
    TDpi dpi_;
    std::vector<int> separators_;
    std::vector<TCarried> carried_;
    HWND toolbar_;
    TSubclass parentSubclass_;
    std::map<int, std::wstring> hints_;
};
