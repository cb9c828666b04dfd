// The about box.
#pragma once

#include "TForm.h"

class TFAbout : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"About";

    explicit TFAbout(HWND owner);
};
