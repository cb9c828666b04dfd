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
    bool ConfirmPurge(size_t count) override;

private:
    HWND owner_;
    std::wstring title_;
    TFRename& rename_;
    TFActionMessage& actionMessage_;
};
