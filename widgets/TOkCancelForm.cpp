#include "TOkCancelForm.h"

bool TOkCancelForm::Execute(HWND opener)
{
    accepted_ = false;
    ForgetFocus();
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
