// The small window that shows the progress of recover and purge.
#include "TFActionMessage.h"

TFActionMessage::TFActionMessage(HWND owner)
{
    CreateForm({L"TFActionMessage",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 320, 110},
                WS_POPUP | WS_CAPTION,
                WS_EX_DLGMODALFRAME},
               owner);
}
