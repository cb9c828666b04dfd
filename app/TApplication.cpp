// The application object and its event loop.
#include "TApplication.h"

#include "TForm.h"

#include <commctrl.h>
#include <ole2.h>

TApplication& TApplication::Instance()
{
    static TApplication application;
    return application;
}

TApplication::~TApplication()
{
    if (oleInitialized_)
        OleUninitialize();
}

void TApplication::Initialize()
{
    if (!oleInitialized_)
        oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES |
                                                        ICC_DATE_CLASSES | ICC_STANDARD_CLASSES |
                                                        ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
}

int TApplication::Run(IMainForm& mainForm)
{
    if (ShowMainForm && !terminated_)
        mainForm.ShowFirstTime();
    mainForm_ = &mainForm;
    MSG message{};
    while (!terminated_ && GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
    mainForm_ = nullptr;
    return exitCode_;
}

void TApplication::ProcessMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    {
        if (message.message == WM_QUIT)
        {
            // The event loop must still see it once the operation is over.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void TApplication::Dispatch(MSG& message)
{
    HWND main = mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
    HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    // The main window's shortcuts are its own; keys in another form (the Find window while it searches) go
    // to that form's shortcuts and dialog keys.
    if (main != nullptr && top == main && mainForm_->FormKeyDown(message))
        return;
    if (main != nullptr && (top == main || top == nullptr) &&
        TranslateAcceleratorW(main, mainForm_->Accelerators(), &message) != 0)
        return;
    if (top != nullptr && top != main && TForm::PreTranslateInForm(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void TApplication::Terminate(int exitCode)
{
    if (terminated_)
        return;
    terminated_ = true;
    exitCode_ = exitCode;
    // Wakes a waiting event loop, and ends a modal loop on the way.
    PostQuitMessage(exitCode);
}
