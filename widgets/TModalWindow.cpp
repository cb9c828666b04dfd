// The modal loop of the program's dialog windows.
#include "TModalWindow.h"

INT_PTR TModalWindow::Run(HWND window, HWND owner, const TPreTranslate& preTranslate)
{
    const bool ownerEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerEnabled)
        EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    running_ = true;
    result_ = IDCANCEL;
    MSG message{};
    while (running_ && IsWindow(window) && GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        const bool taken = preTranslate ? preTranslate(message) : IsDialogMessageW(window, &message) != FALSE;
        if (!taken)
        {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (message.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(message.wParam));
    running_ = false;
    if (ownerEnabled)
        EnableWindow(owner, TRUE);
    if (IsWindow(window))
        ShowWindow(window, SW_HIDE);
    return result_;
}

void TModalWindow::EndModal(INT_PTR result)
{
    result_ = result;
    running_ = false;
}
