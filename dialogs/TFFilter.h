// The filter dialog: the criteria that narrow the deleted-file lists.
#pragma once

#include "TForm.h"

class TFFilter : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Filter Specification";

    explicit TFFilter(HWND owner);
};
