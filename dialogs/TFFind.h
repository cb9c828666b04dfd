// The window that searches a folder and its subfolders for deleted files.
#pragma once

#include "TForm.h"

class TFFind : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Find: Deleted Files";

    explicit TFFind(HWND owner);
};
