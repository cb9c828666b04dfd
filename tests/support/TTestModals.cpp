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
    expected_.push_back({TKind::Message, std::move(textContains), answer, nullptr, nullptr, nullptr});
}

void TTestModals::ExpectDialog(std::wstring caption, std::function<INT_PTR(HWND)> script)
{
    expected_.push_back({TKind::Dialog, std::move(caption), 0, std::move(script), nullptr, nullptr});
}

void TTestModals::ExpectPopupMenu(std::function<UINT(HMENU)> script)
{
    expected_.push_back({TKind::PopupMenu, L"", 0, nullptr, std::move(script), nullptr});
}

void TTestModals::ExpectDragDrop(std::function<DWORD(IDataObject*)> script)
{
    expected_.push_back({TKind::DragDrop, L"", 0, nullptr, nullptr, std::move(script)});
}

bool TTestModals::TakeExpected(TKind kind, const std::string& what, TExpected& taken)
{
    if (expected_.empty() || expected_.front().kind != kind)
    {
        ADD_FAILURE() << "unexpected " << what
                      << "; expected: " << (expected_.empty() ? std::string("nothing") : Pending());
        return false;
    }
    taken = std::move(expected_.front());
    expected_.pop_front();
    return true;
}

std::string TTestModals::Pending() const
{
    std::string pending;
    static const char* const kinds[] = {"message box containing \"", "dialog \"", "popup menu \"", "drag \""};
    for (const TExpected& expected : expected_)
        pending += kinds[static_cast<int>(expected.kind)] + Narrow(expected.text) + "\"; ";
    return pending;
}

void TTestModals::Clear()
{
    expected_.clear();
    shown_.clear();
    shownBoxes_.clear();
}

int TTestModals::ShowMessage(HWND, const std::wstring& text, const std::wstring& caption, UINT type)
{
    shown_.push_back(text);
    shownBoxes_.push_back({caption, type});
    if (expected_.empty() || expected_.front().kind != TKind::Message ||
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
    if (expected_.empty() || expected_.front().kind != TKind::Dialog ||
        expected_.front().text != request.caption)
    {
        ADD_FAILURE() << "unexpected dialog \"" << Narrow(request.caption)
                      << "\"; expected: " << (expected_.empty() ? std::string("nothing") : Pending());
        return IDCANCEL;
    }
    const std::function<INT_PTR(HWND)> script = std::move(expected_.front().script);
    expected_.pop_front();
    return script ? script(request.window) : IDCANCEL;
}

UINT TTestModals::PopupMenu(HMENU menu, HWND, POINT at)
{
    lastPopupPoint_ = at;
    TExpected expected;
    if (!TakeExpected(TKind::PopupMenu, "popup menu", expected))
        return 0;
    return expected.menuScript ? expected.menuScript(menu) : 0;
}

HRESULT TTestModals::DragDrop(IDataObject* data, IDropSource*, DWORD allowed, DWORD* effect)
{
    lastDragAllowed_ = allowed;
    TExpected expected;
    if (!TakeExpected(TKind::DragDrop, "drag", expected))
    {
        *effect = DROPEFFECT_NONE;
        return DRAGDROP_S_CANCEL;
    }
    *effect = expected.dragScript ? expected.dragScript(data) : DROPEFFECT_NONE;
    return *effect != DROPEFFECT_NONE ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
}
