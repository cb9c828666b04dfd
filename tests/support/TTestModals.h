// Answers the program's modal message boxes and dialogs from a test's script. A box or dialog that the script
// does not expect fails the test with its text instead of waiting for a person.
#pragma once

#include "TModal.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class TTestModals : public IModalResponder
{
public:
    static TTestModals& Instance();

    // The next message box must contain the text; it is answered with the button.
    void ExpectMessageBox(std::wstring textContains, int answer);
    // The next dialog must have the caption; the script drives its window and returns the modal result.
    void ExpectDialog(std::wstring caption, std::function<INT_PTR(HWND)> script);
    // The next popup menu is answered by the script, which returns the command chosen (0 for none).
    void ExpectPopupMenu(std::function<UINT(HMENU)> script);
    // The next drag is answered by the script, which sees the data and returns the effect of the drop.
    void ExpectDragDrop(std::function<DWORD(IDataObject*)> script);

    // The effects that the last drag allowed.
    DWORD LastDragAllowed() const { return lastDragAllowed_; }
    // Where the last pop-up menu came up, in screen coordinates.
    POINT LastPopupPoint() const { return lastPopupPoint_; }

    bool AllAnswered() const { return expected_.empty(); }
    // The expectations still waiting, for the failure message.
    std::string Pending() const;
    // The texts of the message boxes shown since the last Clear.
    const std::vector<std::wstring>& Shown() const { return shown_; }
    // The caption and the type (buttons and icon) of each of those boxes, in the same order.
    struct TBoxLook
    {
        std::wstring caption;
        UINT type = 0;
    };
    const std::vector<TBoxLook>& ShownLooks() const { return shownBoxes_; }
    void Clear();

    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    INT_PTR Dialog(const TModalRequest& request) override;
    UINT PopupMenu(HMENU menu, HWND owner, POINT at) override;
    HRESULT DragDrop(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect) override;

private:
    enum class TKind
    {
        Message,
        Dialog,
        PopupMenu,
        DragDrop,
    };

    struct TExpected
    {
        TKind kind = TKind::Message;
        std::wstring text;
        int answer = 0;
        std::function<INT_PTR(HWND)> script;
        std::function<UINT(HMENU)> menuScript;
        std::function<DWORD(IDataObject*)> dragScript;
    };

    // The next expectation when it is of that kind; nothing (and a failure naming what came) otherwise.
    bool TakeExpected(TKind kind, const std::string& what, TExpected& taken);

    std::deque<TExpected> expected_;
    std::vector<std::wstring> shown_;
    std::vector<TBoxLook> shownBoxes_;
    DWORD lastDragAllowed_ = 0;
    POINT lastPopupPoint_{};
};

// UTF-16 to UTF-8, for messages of failed tests.
std::string Narrow(const std::wstring& text);
