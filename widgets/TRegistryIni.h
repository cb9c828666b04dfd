// Settings in the registry as an INI file would hold them: a root key below HKEY_CURRENT_USER, sections as
// its subkeys, every value a string.
#pragma once

#include "TUniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>

class TRegistryIni
{
public:
    // Opens (creating it when needed) HKEY_CURRENT_USER\root; without it every read gives its default.
    explicit TRegistryIni(const std::wstring& root);

    // Writes a string, creating the section's subkey; false when the registry refuses.
    bool WriteString(const std::wstring& section, const std::wstring& name, const std::wstring& value);
    // The value, or the default when the section or the value is missing.
    std::wstring ReadString(const std::wstring& section, const std::wstring& name,
                            const std::wstring& fallback) const;
    // The stored text, or nothing when it is missing.
    std::optional<std::wstring> Read(const std::wstring& section, const std::wstring& name) const;

    bool WriteInteger(const std::wstring& section, const std::wstring& name, int value);
    // Decimal, or hexadecimal after "0x"/"0X"; the default for a missing or unreadable value.
    int ReadInteger(const std::wstring& section, const std::wstring& name, int fallback) const;
    bool WriteBool(const std::wstring& section, const std::wstring& name, bool value);
    bool ReadBool(const std::wstring& section, const std::wstring& name, bool fallback) const;

private:
    TRegKey root_;
};
