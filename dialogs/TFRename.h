// The dialog that asks for a new name when a recovered file's name exists again.
#pragma once

#include "TOkCancelForm.h"
#include "TSubclass.h"
#include "TUniqueHandle.h"

#include <string>

class TFRename : public TOkCancelForm
{
public:
    static constexpr const wchar_t* kCaption = L"Rename";
    static constexpr const wchar_t* kMessage =
        L"A file by this name already exists, please provide a new filename. ";
    static constexpr int kClientWidth = 328;
    static constexpr int kClientHeight = 148;

    explicit TFRename(HWND owner);
    ~TFRename() override;

    // Execute shows the dialog modally, centred, with the focus in the name. OK takes a name only that a
    // recovered file can have in the folder; otherwise the dialog stays with the reason beside the name.

    // The folder the file comes back in, with its backslash: a name must fit the path the volume holds.
    void SetFolder(const std::wstring& folder) { folder_ = folder; }

    HWND Image1() const { return image1_; }
    HWND LMsg() const { return lMsg_; }
    // The caller puts the proposed name here before Execute and reads the chosen one after it.
    HWND EFilename() const { return eFilename_; }
    // Why the name typed was refused; empty until OK refused one.
    HWND LReason() const { return lReason_; }
    HWND BOK() const { return bOK_; }
    HWND BCancel() const { return bCancel_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BeforeExecute() override;
    HWND FirstFocus() const override { return eFilename_; }
    // The name is selected whole, so that typing replaces it.
    void FocusRestored(HWND target) override;
    void DpiChanged(TDpi from) override;

private:
    void CreateControls();
    std::optional<LRESULT> EFilenameMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    // Every letter typed becomes an upper-case letter.
    std::optional<LRESULT> EFilenameKeyPress(HWND edit, WPARAM key, LPARAM lParam);

    // OK is there for a name only, and a refusal's reason goes once the name changes.
    void NameChanged();
    void BOKClick();
    void BCancelClick();

    TFont messageFont_;
    HWND image1_ = nullptr;
    HWND lMsg_ = nullptr;
    HWND eFilename_ = nullptr;
    HWND lReason_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    TSubclass filenameSubclass_;
    std::wstring folder_;
};
