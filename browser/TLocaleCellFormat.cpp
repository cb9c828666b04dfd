// Dates and times in the user's locale through the Win32 national-language calls.
#include "TLocaleCellFormat.h"

#include <windows.h>

namespace
{

std::u16string ToU16(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

// The character has a spelling of its own in the client's code page.
bool InClientCodePage(wchar_t character)
{
    char bytes[8]{};
    BOOL lossy = FALSE;
    return WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &character, 1, bytes, sizeof(bytes), nullptr,
                               &lossy) > 0 &&
           !lossy;
}

// A character's upper case as the client's code page has it: a letter whose upper case the code page lacks
// (µ in Windows-1252) stays as it is rather than turning into '?' or a look-alike, as the system's own
// upper-casing of 8-bit text leaves it.
wchar_t UpperInClientCodePage(wchar_t character)
{
    wchar_t upper = character;
    CharUpperBuffW(&upper, 1);
    return upper != character && InClientCodePage(character) && InClientCodePage(upper) ? upper : character;
}

} // namespace

std::string ToClientText(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring FromClientText(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::wstring ClientUpperCase(const std::wstring& text)
{
    std::wstring result = text;
    for (wchar_t& character : result)
        character = UpperInClientCodePage(character);
    return result;
}

std::u16string TLocaleCellFormat::ClientText(const std::string& text) const
{
    // One call and one string per text: the code page gives at most one character per byte.
    static_assert(sizeof(char16_t) == sizeof(wchar_t));
    std::u16string result(text.size(), u'\0');
    if (text.empty())
        return result;
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<wchar_t*>(result.data()), static_cast<int>(result.size()));
    result.resize(static_cast<size_t>(size));
    return result;
}

std::u16string_view TLocaleCellFormat::UserName(const std::string& name) const
{
    if (const auto known = userNames_.find(name); known != userNames_.end())
        return known->second;
    return userNames_.emplace(name, ClientText(name)).first->second;
}

std::u16string_view TLocaleCellFormat::ShortDate(int year, int month, int day) const
{
    const uint32_t key = static_cast<uint32_t>(year * 10000 + month * 100 + day);
    if (const auto known = dates_.find(key); known != dates_.end())
        return known->second;
    SYSTEMTIME when{};
    when.wYear = static_cast<WORD>(year);
    when.wMonth = static_cast<WORD>(month);
    when.wDay = static_cast<WORD>(day);
    wchar_t text[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, text, 80);
    return dates_.emplace(key, ToU16(text)).first->second;
}

std::u16string_view TLocaleCellFormat::LongTime(int hour, int minute, int second) const
{
    const uint32_t key = static_cast<uint32_t>(hour * 10000 + minute * 100 + second);
    if (const auto known = times_.find(key); known != times_.end())
        return known->second;
    SYSTEMTIME when{};
    when.wYear = 2000;
    when.wMonth = 1;
    when.wDay = 1;
    when.wHour = static_cast<WORD>(hour);
    when.wMinute = static_cast<WORD>(minute);
    when.wSecond = static_cast<WORD>(second);
    wchar_t text[80] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, text, 80);
    return times_.emplace(key, ToU16(text)).first->second;
}
