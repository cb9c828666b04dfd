// The scripted answers to modal boxes and dialogs.
#include "TTestModals.h"

#include <gtest/gtest.h>

namespace
{

// The answer of a box nobody expected: its safest button.
int SafestButton(UINT type)
{
    switch (type & MB_TYPEMASK)
    {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

} // namespace

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

TTestModals& TTestModals::Instance()
{
    static TTestModals modals;
    return modals;
}

void TTestModals::ExpectMessageBox(std::wstring textContains, int answer)
{
    expected_.push_back({false, std::move(textContains), answer, nullptr});
}

void TTestModals::ExpectDialog(std::wstring caption, std::function<INT_PTR(HWND)> script)
{
    expected_.push_back({true, std::move(caption), 0, std::move(script)});
}

std::string TTestModals::Pending() const
{
    std::string pending;
    for (const TExpected& expected : expected_)
        pending +=
            (expected.dialog ? "dialog \"" : "message box containing \"") + Narrow(expected.text) + "\"; ";
    return pending;
}

void TTestModals::Clear()
{
    expected_.clear();
    shown_.clear();
}

int TTestModals::MessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type)
{
    shown_.push_back(text);
    if (expected_.empty() || expected_.front().dialog ||
        text.find(expected_.front().text) == std::wstring::npos)
    {
        ADD_FAILURE() << "unexpected message box \"" << Narrow(caption) << "\": \"" << Narrow(text)
                      << "\"; expected: " << (expected_.empty() ? std::string("nothing") : Pending());
        return SafestButton(type);
    }
    const int answer = expected_.front().answer;
    expected_.pop_front();
    return answer;
}

INT_PTR TTestModals::Dialog(const TModalRequest& request)
{
    if (expected_.empty() || !expected_.front().dialog || expected_.front().text != request.caption)
    {
        ADD_FAILURE() << "unexpected dialog \"" << Narrow(request.caption)
                      << "\"; expected: " << (expected_.empty() ? std::string("nothing") : Pending());
        return IDCANCEL;
    }
    const std::function<INT_PTR(HWND)> script = std::move(expected_.front().script);
    expected_.pop_front();
    return script ? script(request.window) : IDCANCEL;
}
