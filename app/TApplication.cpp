// The application object and its event loop.
#include "TApplication.h"

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
    MSG message{};
    while (!terminated_ && GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        HWND main = mainForm.Handle();
        if (main != nullptr && TranslateAcceleratorW(main, mainForm.Accelerators(), &message) != 0)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exitCode_;
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
