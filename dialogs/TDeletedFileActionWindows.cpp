// The real windows of the recover and purge loops.
#include "TDeletedFileActionWindows.h"

#include "TModal.h"
#include "WindowParts.h"

TDeletedFileActionWindows::TDeletedFileActionWindows(HWND owner, std::wstring title, TFRename& rename,
                                                     TFActionMessage& actionMessage)
    : owner_(owner), title_(std::move(title)), rename_(rename), actionMessage_(actionMessage)
{
}

void TDeletedFileActionWindows::ShowActionMessage()
{
    actionMessage_.ShowActionMessage();
}

void TDeletedFileActionWindows::SetActionMessage(const std::wstring& message)
{
    actionMessage_.SetActionMessage(message);
}

void TDeletedFileActionWindows::HideActionMessage()
{
    // Enabled first, so that the owner is the window that the keyboard goes back to.
    if (ownerDisabled_)
    {
        EnableWindow(owner_, TRUE);
        ownerDisabled_ = false;
    }
    actionMessage_.HideActionMessage();
}

bool TDeletedFileActionWindows::ShowTreeProgress(size_t done)
{
    if (!ownerDisabled_ && IsWindowEnabled(owner_))
    {
        EnableWindow(owner_, FALSE);
        ownerDisabled_ = true;
    }
    return actionMessage_.ShowTreeProgress(done);
}

std::optional<std::wstring> TDeletedFileActionWindows::AskNewName(const std::wstring& proposed,
                                                                  const std::wstring& folder)
{
    // The entry that the question is about shows, however fast the tree went before it.
    actionMessage_.ShowLatest();
    SetWindowTextW(rename_.EFilename(), proposed.c_str());
    rename_.SetFolder(folder);
    // Over the window whose rows are recovered, even when the action window was clicked in the meantime:
    // that window must not be usable while the name is asked for.
    if (!rename_.Execute(owner_))
        return std::nullopt;
    return WindowText(rename_.EFilename());
}

void TDeletedFileActionWindows::ShowFailure(const std::wstring& text)
{
    TModal::ShowMessage(owner_, text, title_, MB_OK);
}

bool TDeletedFileActionWindows::ConfirmPurge(const std::wstring& question)
{
    return TModal::ShowMessage(owner_, question, L"Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
