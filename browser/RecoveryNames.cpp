// The names the rename dialog refuses, and why.
#include "RecoveryNames.h"

#include "TLocaleCellFormat.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace
{

constexpr wchar_t kForbidden[] = L"\\/:*?\"<>|";

bool HasForbiddenCharacter(const std::wstring& name)
{
    return std::any_of(name.begin(), name.end(), [](wchar_t c) {
        return c < 32 || std::wstring_view(kForbidden).find(c) != std::wstring_view::npos;
    });
}

// CON, NUL.TXT, com1 .doc: the part before the first dot, blanks after it ignored, names a device.
std::wstring DeviceNamed(const std::wstring& name)
{
    std::wstring base = name.substr(0, name.find(L'.'));
    base.erase(base.find_last_not_of(L' ') + 1);
    CharUpperBuffW(base.data(), static_cast<DWORD>(base.size()));
    static const std::array<const wchar_t*, 4> plain = {L"CON", L"PRN", L"AUX", L"NUL"};
    for (const wchar_t* device : plain)
        if (base == device)
            return base;
    const bool numbered = base.size() == 4 && (base.rfind(L"COM", 0) == 0 || base.rfind(L"LPT", 0) == 0) &&
                          base[3] >= L'1' && base[3] <= L'9';
    return numbered ? base : std::wstring();
}

} // namespace

std::wstring RecoveryNameProblem(const std::wstring& name, const std::wstring& folder)
{
    if (name.empty())
        return L"Type a name.";
    if (HasForbiddenCharacter(name))
        return L"A name cannot contain \\ / : * ? \" < > |";
    if (name == L"." || name == L"..")
        return L"A name cannot be . or ..";
    if (name.find_first_not_of(L' ') == std::wstring::npos)
        return L"A name cannot be blank.";
    if (name.back() == L'.' || name.back() == L' ')
        return L"A name cannot end in a dot or a blank.";
    if (const std::wstring device = DeviceNamed(name); !device.empty())
        return device + L" is the name of a device.";
    if (ToClientText(folder + name).size() > kLongestVolumePath)
        return L"The name is too long for this folder.";
    return {};
}
