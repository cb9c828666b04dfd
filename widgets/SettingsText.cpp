// Text forms of stored settings.
#include "SettingsText.h"

#include <algorithm>
#include <limits>

namespace settings
{
namespace
{

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

char16_t Upper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameIgnoringCase(const std::u16string& a, const std::u16string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

std::vector<std::u16string> Split(const std::u16string& text, char16_t separator)
{
    std::vector<std::u16string> parts;
    size_t start = 0;
    for (;;)
    {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start));
        if (end == std::u16string::npos)
            return parts;
        start = end + 1;
    }
}

std::u16string Decimal(int64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

} // namespace

std::u16string Trim(const std::u16string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::optional<int32_t> ParseInteger(const std::u16string& text)
{
    const std::u16string trimmed = Trim(text);
    size_t at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed[at] == u'-' || trimmed[at] == u'+'))
        negative = trimmed[at++] == u'-';
    int base = 10;
    if (trimmed.size() >= at + 2 && trimmed[at] == u'0' &&
        (trimmed[at + 1] == u'x' || trimmed[at + 1] == u'X'))
    {
        base = 16;
        at += 2;
    }
    if (at >= trimmed.size())
        return std::nullopt;
    int64_t value = 0;
    for (; at < trimmed.size(); ++at)
    {
        const char16_t c = Upper(trimmed[at]);
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > int64_t{std::numeric_limits<uint32_t>::max()})
            return std::nullopt;
    }
    if (negative)
        value = -value;
    // A hexadecimal text may name the full 32 bits, as a stored colour or flag set does.
    if (base == 16 && value > std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

std::vector<int32_t> ParseCommaList(const std::u16string& text)
{
    std::vector<int32_t> values;
    if (Trim(text).empty())
        return values;
    for (const std::u16string& part : Split(text, u','))
        values.push_back(ParseInteger(part).value_or(0));
    return values;
}

std::u16string FormatCommaList(const std::vector<int32_t>& values)
{
    std::u16string text;
    for (size_t i = 0; i < values.size(); ++i)
        text += (i == 0 ? u"" : u",") + Decimal(values[i]);
    return text;
}

bool IsColumnOrder(const std::vector<int32_t>& order, size_t count)
{
    if (order.size() != count)
        return false;
    std::vector<bool> seen(count, false);
    for (const int32_t index : order)
    {
        if (index < 0 || static_cast<size_t>(index) >= count || seen[static_cast<size_t>(index)])
            return false;
        seen[static_cast<size_t>(index)] = true;
    }
    return true;
}

int32_t ClampColumnWidth(int32_t width)
{
    return std::clamp(width, 0, kMaxColumnWidth);
}

std::vector<std::optional<int32_t>> ParseColumnWidths(const std::u16string& text)
{
    std::vector<std::optional<int32_t>> widths;
    if (Trim(text).empty())
        return widths;
    for (const std::u16string& part : Split(text, u','))
    {
        const std::optional<int32_t> width = ParseInteger(part);
        widths.push_back(width && *width >= 0 ? std::optional<int32_t>(ClampColumnWidth(*width))
                                              : std::nullopt);
    }
    return widths;
}

std::u16string FormatBoolean(bool value)
{
    return value ? u"True" : u"False";
}

std::optional<bool> ParseBoolean(const std::u16string& text)
{
    const std::optional<size_t> index = ParseIdentifier(text, {u"False", u"True"});
    if (!index)
        return std::nullopt;
    return *index == 1;
}

std::optional<size_t> ParseIdentifier(const std::u16string& text,
                                      const std::vector<std::u16string>& identifiers)
{
    const std::u16string trimmed = Trim(text);
    for (size_t i = 0; i < identifiers.size(); ++i)
        if (SameIgnoringCase(trimmed, identifiers[i]))
            return i;
    return std::nullopt;
}

std::u16string FormatSet(const std::vector<std::u16string>& members)
{
    std::u16string text = u"[";
    for (size_t i = 0; i < members.size(); ++i)
        text += (i == 0 ? u"" : u",") + members[i];
    return text + u"]";
}

std::optional<std::vector<std::u16string>> ParseSet(const std::u16string& text)
{
    const std::u16string trimmed = Trim(text);
    if (trimmed.size() < 2 || trimmed.front() != u'[' || trimmed.back() != u']')
        return std::nullopt;
    std::vector<std::u16string> members;
    const std::u16string inside = Trim(trimmed.substr(1, trimmed.size() - 2));
    if (inside.empty())
        return members;
    for (const std::u16string& part : Split(inside, u','))
        members.push_back(Trim(part));
    return members;
}

std::u16string ScreenSuffix(int32_t width, int32_t height)
{
    return u"(" + Decimal(width) + u"x" + Decimal(height) + u")";
}

std::u16string FormatFour(const int32_t (&values)[4])
{
    return FormatCommaList({values[0], values[1], values[2], values[3]});
}

bool ParseFour(const std::u16string& text, int32_t (&values)[4])
{
    const std::vector<std::u16string> parts = Split(text, u',');
    bool whole = parts.size() == 4;
    for (size_t i = 0; i < 4 && i < parts.size(); ++i)
    {
        const std::optional<int32_t> value = ParseInteger(parts[i]);
        if (value)
            values[i] = *value;
        whole = whole && value.has_value();
    }
    return whole;
}

} // namespace settings
