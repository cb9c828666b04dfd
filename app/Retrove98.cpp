// The program's entry point: creates the main window and runs the event loop.
#include "TFMain.h"

#include <commctrl.h>
#include <ole2.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // OLE, not only COM: the folder tree registers a drop target and uses the clipboard.
    const HRESULT com = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls),
                                  ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 1;
    {
        TFMain mainWindow;
        if (mainWindow.Create(instance))
        {
            mainWindow.Show(showCommand);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0)
            {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            exitCode = static_cast<int>(message.wParam);
        }
    }
    if (SUCCEEDED(com))
        OleUninitialize();
    return exitCode;
}
