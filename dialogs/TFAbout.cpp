// The about box.
#include "TFAbout.h"

TFAbout::TFAbout(HWND owner)
{
    CreateForm({L"TFAbout",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 360, 240},
                WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME},
               owner);
}
