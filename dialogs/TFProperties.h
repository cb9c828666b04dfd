// The properties of one deleted entry.
#pragma once

#include "TForm.h"

class TFProperties : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Properties";

    explicit TFProperties(HWND owner);
};
