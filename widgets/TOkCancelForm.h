// A modal dialog that ends with OK or Cancel: Execute shows it and tells whether OK ended it; each showing
// starts with the keyboard in its first control.
#pragma once

#include "TForm.h"

class TOkCancelForm : public TForm
{
public:
    // Shows the dialog modally, over the opener when given (see ShowModal); true only when it was closed with
    // OK.
    bool Execute(HWND opener = nullptr);
    bool Accepted() const { return accepted_; }

protected:
    // Around each showing: readying the fields before, and what the dialog does with an answer after.
    virtual void BeforeExecute() {}
    virtual void AfterExecute() {}
    // The dialog closes with OK, or with Cancel.
    void Accept();
    void Cancel();

private:
    bool accepted_ = false;
};
