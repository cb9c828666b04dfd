// The list view's text comparison.
#include "ListSorting.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <oleauto.h>

namespace
{

std::wstring LocaleText(LCTYPE type, const wchar_t* fallback)
{
    wchar_t text[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 16) <= 0 || text[0] == L'\0')
        return fallback;
    return text;
}

struct TLocaleSeparators
{
    std::wstring date = LocaleText(LOCALE_SDATE, L"/");
    std::wstring time = LocaleText(LOCALE_STIME, L":");
    std::wstring decimal = LocaleText(LOCALE_SDECIMAL, L".");
};

const TLocaleSeparators& Separators()
{
    static const TLocaleSeparators separators;
    return separators;
}

std::optional<double> AsDate(const std::wstring& text)
{
    const TLocaleSeparators& separators = Separators();
    if (text.find(separators.date) == std::wstring::npos && text.find(separators.time) == std::wstring::npos)
        return std::nullopt;
    DATE date = 0;
    std::wstring copy = text;
    if (FAILED(VarDateFromStr(copy.data(), LOCALE_USER_DEFAULT, 0, &date)))
        return std::nullopt;
    return date;
}

std::optional<double> NumberOf(const std::wstring& text)
{
    if (text.empty() || text.find_first_of(L" \t") == 0)
        return std::nullopt;
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (end == nullptr || *end != L'\0')
        return std::nullopt;
    return value;
}

std::optional<double> AsNumber(const std::wstring& text)
{
    const std::wstring& decimal = Separators().decimal;
    // Most texts of a sort hold no separator to replace: those are read as they are, without a copy.
    if (decimal == L"." || text.find(decimal) == std::wstring::npos)
        return NumberOf(text);
    std::wstring dotted = text;
    for (size_t at = dotted.find(decimal); at != std::wstring::npos; at = dotted.find(decimal, at + 1))
        dotted.replace(at, decimal.size(), L".");
    return NumberOf(dotted);
}

std::vector<BYTE> TextKey(const std::wstring& text)
{
    // One call into a buffer of our own for the usual short text; a longer one is measured first.
    BYTE buffer[512];
    const int length = static_cast<int>(text.size());
    int size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.c_str(), length,
                            reinterpret_cast<LPWSTR>(buffer), sizeof(buffer));
    if (size > 0)
        return std::vector<BYTE>(buffer, buffer + size);
    size = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.c_str(), length, nullptr, 0);
    std::vector<BYTE> key(static_cast<size_t>(size > 0 ? size : 0));
    if (size > 0)
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY, text.c_str(), length,
                     reinterpret_cast<LPWSTR>(key.data()), size);
    return key;
}

template <typename T> int Order(const T& first, const T& second)
{
    return first < second ? -1 : second < first ? 1 : 0;
}

int OrderBytes(const std::vector<BYTE>& first, const std::vector<BYTE>& second)
{
    const size_t common = std::min(first.size(), second.size());
    if (const int order = common == 0 ? 0 : std::memcmp(first.data(), second.data(), common); order != 0)
        return order < 0 ? -1 : 1;
    return Order(first.size(), second.size());
}

} // namespace

TSortKey MakeSortKey(const std::wstring& text, TAutoSortStyle style, bool withText)
{
    TSortKey key;
    if (style == TAutoSortStyle::assSmart)
    {
        key.date = AsDate(text);
        key.number = AsNumber(text);
    }
    if (withText)
        key.text = TextKey(text);
    return key;
}

void AddTextKey(TSortKey& key, const std::wstring& text)
{
    key.text = TextKey(text);
}

int CompareSortKeys(const TSortKey& first, const TSortKey& second)
{
    if (first.date && second.date)
        return Order(*first.date, *second.date);
    if (first.number && second.number)
        return Order(*first.number, *second.number);
    return OrderBytes(first.text, second.text);
}

int CompareTexts(const std::wstring& first, const std::wstring& second, TAutoSortStyle style)
{
    return CompareSortKeys(MakeSortKey(first, style), MakeSortKey(second, style));
}
