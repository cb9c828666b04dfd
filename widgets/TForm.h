// A top-level window of the program: its own window class and caption, hidden until shown, shown modally
// through the modal seam; its procedure hands every exception to the application's handler. The form runs
// the lifecycle of what it stores: it restores its settings whenever it is shown, saves them whenever it
// closes and as its window goes, and keeps its lists' column layouts; a form only declares what it stores.
// The control that had the keyboard gets it back whenever the form is activated again (after a dialog or a
// message box closes, a switch back from another program, a restore from the task bar).
#pragma once

#include "TDpi.h"
#include "TExtListView.h"
#include "TFormStorage.h"
#include "TModalWindow.h"
#include "TUniqueHandle.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct TFormLook
{
    const wchar_t* windowClass = L"";
    const wchar_t* caption = L"";
    RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, 400, 300}; // left, top, width, height
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    DWORD extendedStyle = 0;
};

class TForm
{
public:
    virtual ~TForm();

    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return window_; }
    std::wstring Caption() const;

    // Shows the form modally over the window it is opened from (the opener when given, else the active one,
    // else its owner) and returns the result that ended it (IDCANCEL when closed).
    INT_PTR ShowModal(HWND opener = nullptr);
    // Shows the form without a modal loop; the restored placement may show it itself (maximized, say).
    void ShowForm(int show);
    bool Modal() const { return modal_.Running(); }

    // What the form makes of a message for itself or its controls before it is dispatched: its shortcuts,
    // then the dialog keys; true when it took the message. The modal loop calls it.
    bool PreTranslate(MSG& message);
    // Offers a message to the form at the top of the window it is for; false when that window is none of
    // the program's forms or did not take it. For the loops that pump messages during a long operation.
    static bool PreTranslateInForm(MSG& message);

protected:
    TForm() = default;

    // Creates the window; called by the derived form's constructor, so that its messages reach it.
    void CreateForm(const TFormLook& look, HWND owner);
    // The form's own messages; nothing passes them to the default handling.
    virtual std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // A key that the form handles itself before its shortcuts and the dialog keys; true when it took it.
    virtual bool FormKey(const MSG& message)
    {
        (void)message;
        return false;
    }
    // The control that takes the keyboard when the form is first activated, and when the one that had it is
    // gone; nullptr for the first control that takes Tab.
    virtual HWND FirstFocus() const { return nullptr; }
    // The keyboard went back to the control (the first control, or the one that had it last).
    virtual void FocusRestored(HWND) {}
    // The next activation gives the keyboard to the first control rather than to the one that had it last.
    void ForgetFocus() { focused_ = nullptr; }
    // Gives the keyboard to the control that had it last, or to the first control.
    void RestoreFocus();

    // Ends a modal showing with the result.
    void EndModal(INT_PTR result) { modal_.EndModal(result); }
    // Ends a modal showing with the result, or hides the form when it is not modal.
    void CloseForm(INT_PTR result);
    // Closes the form for good: its window goes.
    void DestroyForm();

    // What the form keeps between runs below HKEY_CURRENT_USER\root, in its subkey section; declared once,
    // after CreateForm. The form's own accessor is the storage's designed name.
    TFormStorage& DeclareStorage(const wchar_t* root, const wchar_t* section);
    TFormStorage& Storage() const { return *storage_; }
    // Runs each time the form's settings were restored, just before it shows: the form's own show handling,
    // which sees the restored state.
    virtual void SettingsRestored() {}
    // A list whose column layout the form keeps: read now, written as the list's window goes, and only when
    // the form was ever shown.
    void KeepColumnLayout(TExtListView& list);
    // The form's display scale: every size the form lays out goes through it.
    TDpi Dpi() const { return dpi_; }
    // Runs after the form moved to a monitor of another scale: its controls were scaled, in the new dialog
    // font, and the form has its new size. The form makes its own fonts and pictures again.
    virtual void DpiChanged(TDpi from) { (void)from; }
    // The form's keyboard shortcuts; the form keeps owning the table.
    void SetAccelerators(HACCEL accelerators) { accelerators_ = accelerators; }

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Restore();
    void SaveOnClose();
    void SaveAsWindowGoes();
    // Keeps the focused control across the form's activations; true when the message is taken.
    bool TrackFocus(UINT message, WPARAM wParam);
    void RememberFocus();
    void OnDpiChanged(TDpi to, const RECT& suggested);

    TModalWindow modal_;
    std::unique_ptr<TFormStorage> storage_;
    std::vector<TExtListView*> keptLayouts_;
    bool shown_ = false;
    HACCEL accelerators_ = nullptr;
    HWND focused_ = nullptr;
    TDpi dpi_;
    // The dialog font at the form's DPI where that is not the screen's.
    TFont dpiFont_;
};
