// The date and time texts of the properties dialog.
#include "PropertyTexts.h"

#include <array>

namespace
{

std::u16string TwoDigits(int value)
{
    return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

std::u16string Decimal(int value)
{
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace

std::u16string TwelveHourTimeText(nw::TDateTime value)
{
    const nw::TDateParts parts = nw::DecodeDateTime(value);
    const int hour = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    return TwoDigits(hour) + u":" + TwoDigits(parts.minute) + (parts.hour < 12 ? u" a" : u" p");
}

std::u16string PlainLongDateText(nw::TDateTime value)
{
    static constexpr std::array<const char16_t*, 12> kMonths{
        u"January", u"February", u"March",     u"April",   u"May",      u"June",
        u"July",    u"August",   u"September", u"October", u"November", u"December"};
    const nw::TDateParts parts = nw::DecodeDateTime(value);
    const char16_t* month =
        parts.month >= 1 && parts.month <= 12 ? kMonths[static_cast<size_t>(parts.month - 1)] : u"";
    return std::u16string(month) + u" " + Decimal(parts.day) + u", " + Decimal(parts.year);
}

std::u16string PropertyDateTimeText(nw::TDateTime value,
                                    const std::function<std::u16string(const nw::TDateParts&)>& longDate)
{
    std::u16string date = longDate ? longDate(nw::DecodeDateTime(value)) : std::u16string();
    if (date.empty())
        date = PlainLongDateText(value);
    return date + u" " + TwelveHourTimeText(value);
}
