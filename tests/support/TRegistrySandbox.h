// A fresh, empty HKEY_CURRENT_USER for one test: the process's HKEY_CURRENT_USER is redirected to a new key,
// which goes when the sandbox does.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TRegistrySandbox
{
public:
    TRegistrySandbox();
    ~TRegistrySandbox();
    TRegistrySandbox(const TRegistrySandbox&) = delete;
    TRegistrySandbox& operator=(const TRegistrySandbox&) = delete;

    // The string value below the sandbox's HKEY_CURRENT_USER, or nothing.
    static std::wstring Value(const std::wstring& key, const std::wstring& name, bool* found = nullptr);
    static void SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& value);
    // The names of the values of a key.
    static std::vector<std::wstring> ValueNames(const std::wstring& key);

private:
    std::wstring path_;
    HKEY key_ = nullptr;
};
