// The filter dialog: the criteria that narrow the deleted-file lists.
#include "TFFilter.h"

TFFilter::TFFilter(HWND owner)
{
    CreateForm({L"TFFilter",
                kCaption,
                {CW_USEDEFAULT, CW_USEDEFAULT, 420, 330},
                WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME},
               owner);
}
