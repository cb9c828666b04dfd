// Calendar arithmetic and DOS date packing.
#include "TSimTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace nwsim
{
namespace
{

// Days from 1970-01-01 for a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

} // namespace

TSimTime SimNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return TSimTime{static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint8_t>(local.tm_mon + 1),
                    static_cast<uint8_t>(local.tm_mday),         static_cast<uint8_t>(local.tm_hour),
                    static_cast<uint8_t>(local.tm_min),          static_cast<uint8_t>(local.tm_sec)};
}

std::optional<TSimTime> ParseSimTime(const std::string& text, TTimeParse parse)
{
    if (text.empty())
        return TSimTime{};
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char separator = ' ';
    int fields = std::sscanf(text.c_str(), "%4u-%2u-%2u%c%2u:%2u:%2u", &year, &month, &day, &separator, &hour,
                             &minute, &second);
    if (fields != 3 && fields != 7)
        return std::nullopt;
    if (fields == 7 && separator != ' ' && separator != 'T')
        return std::nullopt;
    const bool strict = parse == TTimeParse::Strict;
    if (year < 1 || year > 9999 || month < 1 || month > (strict ? 12u : 15u) || day < 1 || day > 31 ||
        hour > (strict ? 23u : 31u) || minute > (strict ? 59u : 63u) || second > (strict ? 59u : 62u))
        return std::nullopt;
    return TSimTime{static_cast<uint16_t>(year), static_cast<uint8_t>(month),  static_cast<uint8_t>(day),
                    static_cast<uint8_t>(hour),  static_cast<uint8_t>(minute), static_cast<uint8_t>(second)};
}

std::string FormatSimTime(const TSimTime& time)
{
    if (time.IsNever())
        return {};
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", time.year, time.month, time.day,
                  time.hour, time.minute, time.second);
    return text;
}

int64_t SecondsSince1970(const TSimTime& time)
{
    return DaysFromCivil(time.year, time.month, time.day) * 86400 + time.hour * 3600 + time.minute * 60 +
           time.second;
}

TSimTime AddSeconds(const TSimTime& time, int64_t seconds)
{
    const int64_t total = SecondsSince1970(time) + seconds;
    int64_t days = total >= 0 ? total / 86400 : (total - 86399) / 86400;
    int64_t rest = total - days * 86400;
    int64_t y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days, y, m, d);
    return TSimTime{static_cast<uint16_t>(y),
                    static_cast<uint8_t>(m),
                    static_cast<uint8_t>(d),
                    static_cast<uint8_t>(rest / 3600),
                    static_cast<uint8_t>(rest / 60 % 60),
                    static_cast<uint8_t>(rest % 60)};
}

uint16_t PackDosDate(const TSimTime& time)
{
    if (time.IsNever())
        return 0;
    return static_cast<uint16_t>(((time.year - 1980) & 0x7F) << 9 | (time.month & 0x0F) << 5 |
                                 (time.day & 0x1F));
}

uint32_t PackDosDateTime(const TSimTime& time)
{
    if (time.IsNever())
        return 0;
    const uint16_t dosTime = static_cast<uint16_t>((time.hour & 0x1F) << 11 | (time.minute & 0x3F) << 5 |
                                                   (time.second / 2 & 0x1F));
    return static_cast<uint32_t>(PackDosDate(time)) << 16 | dosTime;
}

TSimTime UnpackDosDateTime(uint32_t packed)
{
    const uint16_t date = static_cast<uint16_t>(packed >> 16);
    const uint16_t time = static_cast<uint16_t>(packed & 0xFFFF);
    return TSimTime{static_cast<uint16_t>(1980 + (date >> 9)), static_cast<uint8_t>(date >> 5 & 0x0F),
                    static_cast<uint8_t>(date & 0x1F),         static_cast<uint8_t>(time >> 11),
                    static_cast<uint8_t>(time >> 5 & 0x3F),    static_cast<uint8_t>((time & 0x1F) * 2)};
}

} // namespace nwsim
