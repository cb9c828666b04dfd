// The dialog that asks for a new name when a recovered file's name exists again.
#include "TFRename.h"

TFRename::TFRename(HWND owner)
{
    CreateForm({L"TFRename",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 360, 150},
                WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME},
               owner);
}
