// The properties of one deleted entry.
#include "TFProperties.h"

TFProperties::TFProperties(HWND owner)
{
    CreateForm({L"TFProperties",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 360, 420},
                WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME},
               owner);
}
