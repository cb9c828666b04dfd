// The one seam through which every modal message box and dialog of the program goes, so that a test can
// answer them from a script instead of a person.
#pragma once

#include <windows.h>

#include <functional>
#include <ole2.h>
#include <string>

// A modal dialog about to be shown: its created window, its caption, and how it runs modally for real.
struct TModalRequest
{
    HWND window = nullptr;
    std::wstring caption;
    std::function<INT_PTR()> runModal;
};

class IModalResponder
{
public:
    virtual ~IModalResponder() = default;
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    virtual INT_PTR Dialog(const TModalRequest& request) = 0;
    // Returns the chosen command, or 0 when the menu was dismissed.
    virtual UINT PopupMenu(HMENU menu, HWND owner, POINT at) = 0;
    // Returns the drag's result (DRAGDROP_S_DROP, DRAGDROP_S_CANCEL) and sets the effect.
    virtual HRESULT DragDrop(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect) = 0;
};

class TModal
{
public:
    // Shows a message box and returns the button pressed (IDOK, IDYES, ...).
    static int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

    // Runs a created dialog window modally and returns its modal result.
    static INT_PTR Dialog(const TModalRequest& request);

    // Tracks a popup menu at a screen point and returns the chosen command, 0 when none was chosen.
    static UINT PopupMenu(HMENU menu, HWND owner, POINT at);

    // Runs an OLE drag of the data.
    static HRESULT DragDrop(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect);

    // Replaces who answers; nullptr restores the real boxes and dialogs. Returns the previous responder.
    static IModalResponder* SetResponder(IModalResponder* responder);
};
