// The dialog that picks a user from the directory tree or from bindery servers.
#pragma once

#include "TForm.h"

class TFBrowseDirectory : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Select from Directory";

    explicit TFBrowseDirectory(HWND owner);
};
