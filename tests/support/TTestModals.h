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

    bool AllAnswered() const { return expected_.empty(); }
    // The expectations still waiting, for the failure message.
    std::string Pending() const;
    // The texts of the message boxes shown since the last Clear.
    const std::vector<std::wstring>& Shown() const { return shown_; }
    void Clear();

    int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    INT_PTR Dialog(const TModalRequest& request) override;

private:
    struct TExpected
    {
        bool dialog = false;
        std::wstring text;
        int answer = 0;
        std::function<INT_PTR(HWND)> script;
    };

    std::deque<TExpected> expected_;
    std::vector<std::wstring> shown_;
};

// UTF-16 to UTF-8, for messages of failed tests.
std::string Narrow(const std::wstring& text);
