// Converting names between the workstation's code page and UTF-8.
#include "CodePage.h"

#include <algorithm>
#include <array>

#ifdef _WIN32
#include <windows.h>
#endif

namespace nwsim
{
namespace
{

// Every ANSI code page spells ASCII as ASCII, and most names are plain ASCII.
bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string NoSpelling(const std::string& utf8, unsigned codePage)
{
    return "\"" + utf8 + "\" has no spelling in the workstation's code page " + std::to_string(codePage);
}

#ifdef _WIN32

std::string UndefinedBytes(unsigned codePage)
{
    return "a name from the caller holds bytes that the workstation's code page " + std::to_string(codePage) +
           " does not define";
}

// The text as UTF-16; false when it holds bytes the code page does not define.
bool Widen(UINT codePage, const std::string& text, std::wstring& wide)
{
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    if (size <= 0)
        return false;
    wide.assign(static_cast<size_t>(size), L'\0');
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), size) ==
           size;
}

// The UTF-16 text in the code page; false when a character has no spelling there. Neither the default
// character nor a best-fit look-alike (an "a" for an "a" with a macron) may stand in: either would give
// another name.
bool Narrow(UINT codePage, const std::wstring& wide, std::string& text)
{
    const bool checked = codePage != CP_UTF8;
    const DWORD flags = checked ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* used = checked ? &usedDefault : nullptr;
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, used);
    if (size <= 0 || usedDefault)
        return false;
    text.assign(static_cast<size_t>(size), '\0');
    const int written =
        WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), size, nullptr, used);
    return written == size && !usedDefault;
}

// The text from one code page in the other; false where it cannot go.
bool Convert(UINT from, UINT to, const std::string& text, std::string& converted)
{
    std::wstring wide;
    return Widen(from, text, wide) && Narrow(to, wide, converted);
}

} // namespace

std::string Utf8FromAnsi(const std::string& text)
{
    std::string utf8;
    if (IsAscii(text))
        utf8 = text;
    else if (!Convert(CP_ACP, CP_UTF8, text, utf8))
        throw TUnrepresentableName(UndefinedBytes(GetACP()));
    return utf8;
}

std::string AnsiFromUtf8(const std::string& text)
{
    std::string ansi;
    if (IsAscii(text))
        ansi = text;
    else if (!Convert(CP_UTF8, CP_ACP, text, ansi))
        throw TUnrepresentableName(NoSpelling(text, GetACP()));
    return ansi;
}

#else

constexpr unsigned kWindows1252 = 1252;

// Windows-1252's characters for the bytes 0x80 to 0x9F. The five bytes it leaves unassigned stand for the C1
// controls of their own value, as Windows converts them, so that every byte has a character.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromWindows1252(unsigned char byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte;
}

std::optional<char> ToWindows1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    const auto found = std::find(kWindows1252High.begin(), kWindows1252High.end(), codePoint);
    if (found == kWindows1252High.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (found - kWindows1252High.begin()));
}

} // namespace

std::string Utf8FromAnsi(const std::string& text)
{
    if (IsAscii(text))
        return text;
    std::string utf8;
    for (const char c : text)
        AppendCodePoint(utf8, FromWindows1252(static_cast<unsigned char>(c)));
    return utf8;
}

std::string AnsiFromUtf8(const std::string& text)
{
    if (IsAscii(text))
        return text;
    std::string ansi;
    for (size_t position = 0; position < text.size();)
    {
        const std::optional<char32_t> codePoint = NextCodePoint(text, position);
        const std::optional<char> byte = codePoint ? ToWindows1252(*codePoint) : std::nullopt;
        if (!byte)
            throw TUnrepresentableName(NoSpelling(text, kWindows1252));
        ansi += *byte;
    }
    return ansi;
}

#endif

std::optional<char32_t> NextCodePoint(const std::string& text, size_t& position)
{
    const auto byteAt = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byteAt(position);
    const size_t following = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : 3;
    constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
    char32_t codePoint = following == 0 ? lead : lead & (0x3F >> following);
    bool valid = lead < 0x80 || ((lead & 0xC0) == 0xC0 && lead < 0xF8 && position + following < text.size());
    for (size_t i = 1; valid && i <= following; ++i)
    {
        valid = (byteAt(position + i) & 0xC0) == 0x80;
        codePoint = codePoint << 6 | (byteAt(position + i) & 0x3F);
    }
    // Overlong forms, UTF-16 surrogates and code points beyond Unicode are not UTF-8 either.
    valid = valid && codePoint >= kSmallest[following] && codePoint <= 0x10FFFF &&
            (codePoint < 0xD800 || codePoint > 0xDFFF);
    position += valid ? following + 1 : 1;
    return valid ? std::optional(codePoint) : std::nullopt;
}

void AppendCodePoint(std::string& text, char32_t codePoint)
{
    if (codePoint < 0x80)
        text += static_cast<char>(codePoint);
    else if (codePoint < 0x800)
    {
        text += static_cast<char>(0xC0 | codePoint >> 6);
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else if (codePoint < 0x10000)
    {
        text += static_cast<char>(0xE0 | codePoint >> 12);
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    else
    {
        text += static_cast<char>(0xF0 | codePoint >> 18);
        text += static_cast<char>(0x80 | (codePoint >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

size_t CharacterCount(const std::string& text)
{
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace nwsim
