// The text forms of stored settings: integers, comma lists, column orders, and the identifiers of booleans,
// enumerations and sets. Portable: the native build tests it directly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace settings
{

// The settings' texts are UTF-16 on every build; the windows' texts are wide. Both hold the same units on
// Windows, so the conversion copies them.
inline std::u16string ToText(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

inline std::wstring FromText(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

// A whole number in decimal, or in hexadecimal after "0x"/"0X"; blanks around it allowed. Nothing when the
// text is not one or does not fit in 32 bits.
std::optional<int32_t> ParseInteger(const std::u16string& text);

// "1,0,2": each entry parsed as a whole number, an entry that is not one counting as 0; empty text gives
// none.
std::vector<int32_t> ParseCommaList(const std::u16string& text);
std::u16string FormatCommaList(const std::vector<int32_t>& values);

// Whether an order names every column index from 0 to count - 1 exactly once.
bool IsColumnOrder(const std::vector<int32_t>& order, size_t count);

// Column widths kept within what a header can show.
constexpr int32_t kMaxColumnWidth = 10000;
int32_t ClampColumnWidth(int32_t width);
// Stored widths, "120,0,x,-5": each a width kept within what a header shows, or nothing where the entry is no
// width (not a number, or negative), so that the column keeps its design width rather than vanishing.
std::vector<std::optional<int32_t>> ParseColumnWidths(const std::u16string& text);

// Stored property texts: "True"/"False" (any case when read), identifiers of a set between "[" and "]".
std::u16string FormatBoolean(bool value);
std::optional<bool> ParseBoolean(const std::u16string& text);
// The index of the identifier in the list (compared without regard to case), or nothing.
std::optional<size_t> ParseIdentifier(const std::u16string& text,
                                      const std::vector<std::u16string>& identifiers);
std::u16string FormatSet(const std::vector<std::u16string>& members);
std::optional<std::vector<std::u16string>> ParseSet(const std::u16string& text);

// Without blanks at either end.
std::u16string Trim(const std::u16string& text);

// "(1024x768)": the suffix of values written for one screen size.
std::u16string ScreenSuffix(int32_t width, int32_t height);

// "%d,%d,%d,%d" and back; missing or bad numbers take the fallback's. True when the text held four numbers
// and nothing else.
std::u16string FormatFour(const int32_t (&values)[4]);
bool ParseFour(const std::u16string& text, int32_t (&values)[4]);

} // namespace settings
