// The real windows of the recover and purge loops: the action message window, the rename dialog, and the
// message boxes through the modal seam.
#pragma once

#include "DeletedFileActions.h"
#include "TFActionMessage.h"
#include "TFRename.h"

#include <windows.h>

#include <string>

class TDeletedFileActionWindows : public IDeletedFileActionsUI
{
public:
    // The boxes are owned by the window and captioned with the title.
    TDeletedFileActionWindows(HWND owner, std::wstring title, TFRename& rename,
                              TFActionMessage& actionMessage);

    void ShowActionMessage() override;
    void SetActionMessage(const std::wstring& message) override;
    void HideActionMessage() override;
    std::optional<std::wstring> AskNewName(const std::wstring& proposed, const std::wstring& folder) override;
    void ShowFailure(const std::wstring& text) override;
    bool ConfirmPurge(const std::wstring& question) override;
    bool ShowTreeProgress(size_t done) override;

private:
    HWND owner_;
    // The owner is disabled while a folder's contents come back, so that its input waits.
    bool ownerDisabled_ = false;
    std::wstring title_;
    TFRename& rename_;
    TFActionMessage& actionMessage_;
};
