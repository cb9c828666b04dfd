// The small window that shows the progress of recover and purge.
#pragma once

#include "TForm.h"

class TFActionMessage : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Retroving";

    explicit TFActionMessage(HWND owner);
};
