// The dialog that asks for a new name when a recovered file's name exists again.
#pragma once

#include "TForm.h"
#include "TUniqueHandle.h"
#include "TSubclass.h"

class TFRename : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Rename";
    static constexpr const wchar_t* kMessage =
        L"A file by this name already exists, please provide a new filename. ";
    static constexpr int kClientWidth = 328;
    static constexpr int kClientHeight = 148;

    explicit TFRename(HWND owner);
    ~TFRename() override;

    // Shows the dialog modally with the focus in the name; true only when it was closed with OK.
    bool Execute();
    bool Accepted() const { return accepted_; }

    HWND Image1() const { return image1_; }
    HWND LMsg() const { return lMsg_; }
    // The caller puts the proposed name here before Execute and reads the chosen one after it.
    HWND EFilename() const { return eFilename_; }
    HWND BOK() const { return bOK_; }
    HWND BCancel() const { return bCancel_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    std::optional<LRESULT> EFilenameMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // Every letter typed becomes an upper-case letter.
    std::optional<LRESULT> EFilenameKeyPress(HWND edit, WPARAM key, LPARAM lParam);
    void OnActivate(bool active);

    void BOKClick();
    void BCancelClick();

    TFont messageFont_;
    HWND image1_ = nullptr;
    HWND lMsg_ = nullptr;
    HWND eFilename_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    TSubclass filenameSubclass_;
    // The control that gets the focus back when the dialog is activated.
    HWND focused_ = nullptr;
    bool accepted_ = false;
};
