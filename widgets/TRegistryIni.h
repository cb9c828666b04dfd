// Settings in the registry as an INI file would hold them: a root key below HKEY_CURRENT_USER, sections as
// its subkeys, every value a string.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// An open registry key, closed when it goes.
class TRegKey
{
public:
    TRegKey() = default;
    explicit TRegKey(HKEY key) : key_(key) {}
    ~TRegKey() { Reset(); }
    TRegKey(TRegKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
    TRegKey& operator=(TRegKey&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            key_ = other.key_;
            other.key_ = nullptr;
        }
        return *this;
    }
    TRegKey(const TRegKey&) = delete;
    TRegKey& operator=(const TRegKey&) = delete;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Reset()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

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
