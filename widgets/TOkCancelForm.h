// A modal dialog that ends with OK or Cancel: Execute shows it and tells whether OK ended it, and the control
// that had the keyboard gets it back whenever the dialog is activated again.
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
    // The control that takes the keyboard when the dialog is first activated; a dialog that keeps the
    // focus across activations names it.
    virtual HWND FirstFocus() const { return nullptr; }
    // The keyboard went back to the control (the first control, or the one that had it last).
    virtual void FocusRestored(HWND) {}

    // The dialog closes with OK, or with Cancel.
    void Accept();
    void Cancel();
    // The dialog's activation changed: remembers or restores the control with the keyboard.
    void KeepFocus(bool active);

private:
    bool accepted_ = false;
    HWND focused_ = nullptr;
};
