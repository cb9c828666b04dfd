// The dialog that picks a user from the directory tree or from bindery servers.
#include "TFBrowseDirectory.h"

TFBrowseDirectory::TFBrowseDirectory(HWND owner)
{
    CreateForm({L"TFBrowseDirectory",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 380, 420},
                WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                WS_EX_DLGMODALFRAME},
               owner);
}
