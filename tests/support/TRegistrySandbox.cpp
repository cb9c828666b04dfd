// Per-test registry sandboxes.
#include "TRegistrySandbox.h"

#include <atomic>
#include <vector>

TRegistrySandbox::TRegistrySandbox()
{
    static std::atomic<int> counter{0};
    path_ = L"Software\\RetroveTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, key_);
}

TRegistrySandbox::~TRegistrySandbox()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
}

std::wstring TRegistrySandbox::Value(const std::wstring& key, const std::wstring& name, bool* found)
{
    wchar_t text[4096] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    const bool exists = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                                     text, &size) == ERROR_SUCCESS;
    if (found != nullptr)
        *found = exists;
    return exists ? text : L"";
}

void TRegistrySandbox::SetValue(const std::wstring& key, const std::wstring& name, const std::wstring& value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::wstring> TRegistrySandbox::ValueNames(const std::wstring& key)
{
    std::vector<std::wstring> names;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256] = {};
        DWORD length = 256;
        if (RegEnumValueW(opened, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(name);
    }
    RegCloseKey(opened);
    return names;
}
