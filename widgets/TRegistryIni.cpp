// The INI-like registry wrapper.
#include "TRegistryIni.h"

#include "SettingsText.h"

#include <vector>

using settings::ToText;

TRegistryIni::TRegistryIni(const std::wstring& root)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, root.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        root_ = TRegKey(key);
}

bool TRegistryIni::WriteString(const std::wstring& section, const std::wstring& name,
                               const std::wstring& value)
{
    if (!root_)
        return false;
    HKEY key = nullptr;
    if (RegCreateKeyExW(root_.Get(), section.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const TRegKey opened(key);
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(opened.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          bytes) == ERROR_SUCCESS;
}

std::optional<std::wstring> TRegistryIni::Read(const std::wstring& section, const std::wstring& name) const
{
    if (!root_)
        return std::nullopt;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_.Get(), section.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const TRegKey opened(key);
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    // Room for a terminator the stored value may lack.
    std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD size = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(opened.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(text.data(), wcsnlen(text.data(), text.size()));
}

std::wstring TRegistryIni::ReadString(const std::wstring& section, const std::wstring& name,
                                      const std::wstring& fallback) const
{
    return Read(section, name).value_or(fallback);
}

bool TRegistryIni::WriteInteger(const std::wstring& section, const std::wstring& name, int value)
{
    return WriteString(section, name, std::to_wstring(value));
}

int TRegistryIni::ReadInteger(const std::wstring& section, const std::wstring& name, int fallback) const
{
    const std::optional<std::wstring> text = Read(section, name);
    if (!text)
        return fallback;
    return settings::ParseInteger(ToText(*text)).value_or(fallback);
}

bool TRegistryIni::WriteBool(const std::wstring& section, const std::wstring& name, bool value)
{
    return WriteString(section, name, value ? L"1" : L"0");
}

bool TRegistryIni::ReadBool(const std::wstring& section, const std::wstring& name, bool fallback) const
{
    return ReadInteger(section, name, fallback ? 1 : 0) != 0;
}
