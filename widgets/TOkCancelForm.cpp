#include "TOkCancelForm.h"

bool TOkCancelForm::Execute(HWND opener)
{
    accepted_ = false;
    focused_ = nullptr;
    BeforeExecute();
    ShowModal(opener);
    AfterExecute();
    return accepted_;
}

void TOkCancelForm::Accept()
{
    accepted_ = true;
    CloseForm(IDOK);
}

void TOkCancelForm::Cancel()
{
    accepted_ = false;
    CloseForm(IDCANCEL);
}

void TOkCancelForm::KeepFocus(bool active)
{
    if (!active)
    {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window_, focus))
            focused_ = focus;
        return;
    }
    HWND target = focused_ != nullptr ? focused_ : FirstFocus();
    if (target == nullptr)
        return;
    SetFocus(target);
    FocusRestored(target);
}
