// The one seam through which every modal message box and dialog of the program goes, so that a test can
// answer them from a script instead of a person.
#pragma once

#include <windows.h>

#include <functional>
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
    virtual int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
    virtual INT_PTR Dialog(const TModalRequest& request) = 0;
};

class TModal
{
public:
    // Shows a message box and returns the button pressed (IDOK, IDYES, ...).
    static int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

    // Runs a created dialog window modally and returns its modal result.
    static INT_PTR Dialog(const TModalRequest& request);

    // Replaces who answers; nullptr restores the real boxes and dialogs. Returns the previous responder.
    static IModalResponder* SetResponder(IModalResponder* responder);
};
