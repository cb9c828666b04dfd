// Calendar arithmetic for the program's date-time values.
#include "TDateTime.h"

#include <cmath>
#include <ctime>

namespace nw
{
namespace
{

constexpr int64_t kMillisecondsPerDay = 86400000;

// Days from 1 January 1970 for a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    // The day of the era fits 32 bits; the 32-bit build divides those far faster than 64-bit ones.
    const int32_t doe = static_cast<int32_t>(z - era * 146097);
    const int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int32_t mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

} // namespace

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

TDateTime EncodeDate(int year, int month, int day)
{
    return static_cast<TDateTime>(DaysFromCivil(year, month, day) - kEpochDays);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    return static_cast<TDateTime>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond) /
           kMillisecondsPerDay;
}

TDateParts DecodeDateTime(TDateTime value)
{
    const int64_t total = std::llround(value * kMillisecondsPerDay);
    int64_t days = total / kMillisecondsPerDay;
    int64_t rest = total % kMillisecondsPerDay;
    if (rest < 0)
    {
        rest += kMillisecondsPerDay;
        --days;
    }
    TDateParts parts;
    CivilFromDays(days + kEpochDays, parts.year, parts.month, parts.day);
    const auto milliseconds = static_cast<int32_t>(rest);
    parts.hour = milliseconds / 3600000;
    parts.minute = milliseconds / 60000 % 60;
    parts.second = milliseconds / 1000 % 60;
    parts.millisecond = milliseconds % 1000;
    return parts;
}

TDateTime Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace nw
