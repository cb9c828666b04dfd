// Asks for the name of a new folder.
#pragma once

#include "TModalWindow.h"

#include <windows.h>

#include <string>

class TNewFolderPrompt
{
public:
    static constexpr const wchar_t* kCaption = L"Create Folder";

    // True when the operator gave a name and pressed OK.
    bool Execute(HWND owner);
    const std::wstring& Name() const { return name_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnOk();

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::wstring name_;
    TModalWindow modal_;
};
