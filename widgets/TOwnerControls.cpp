// Notifying a form's controls.
#include "TOwnerControls.h"

void TOwnerControls::SendToWindowedControls(uint32_t message)
{
    for (const HWND control : controls_)
        if (IsWindow(control))
            SendMessageW(control, message, 0, 0);
}
