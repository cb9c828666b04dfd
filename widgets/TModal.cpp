// The modal seam: real message boxes and dialogs unless a responder is installed.
#include "TModal.h"

namespace
{

IModalResponder*& Responder()
{
    static IModalResponder* responder = nullptr;
    return responder;
}

} // namespace

int TModal::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    if (IModalResponder* responder = Responder())
        return responder->ShowMessage(owner, text, caption, type);
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

INT_PTR TModal::Dialog(const TModalRequest& request)
{
    if (IModalResponder* responder = Responder())
        return responder->Dialog(request);
    return request.runModal ? request.runModal() : IDCANCEL;
}

UINT TModal::PopupMenu(HMENU menu, HWND owner, POINT at)
{
    if (IModalResponder* responder = Responder())
        return responder->PopupMenu(menu, owner, at);
    return static_cast<UINT>(
        ::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
}

HRESULT TModal::DragDrop(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect)
{
    if (IModalResponder* responder = Responder())
        return responder->DragDrop(data, source, allowed, effect);
    return ::DoDragDrop(data, source, allowed, effect);
}

IModalResponder* TModal::SetResponder(IModalResponder* responder)
{
    IModalResponder* previous = Responder();
    Responder() = responder;
    return previous;
}
