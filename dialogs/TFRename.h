// The dialog that asks for a new name when a recovered file's name exists again.
#pragma once

#include "TForm.h"

class TFRename : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Rename";

    explicit TFRename(HWND owner);
};
