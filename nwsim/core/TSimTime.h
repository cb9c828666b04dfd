// Calendar times of the simulated network, with their text form and the packed DOS form of the NetWare calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nwsim
{

struct TSimTime
{
    uint16_t year = 0; // 0 means "never"
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;

    bool IsNever() const { return year == 0; }
    auto operator<=>(const TSimTime&) const = default;
};

// The local time now, to the second.
TSimTime SimNow();

// "YYYY-MM-DD HH:MM:SS" (a "T" separator is accepted too, and a date alone); empty text is "never". A strict
// parse takes calendar values only; a packable one takes whatever the DOS fields can hold, as a server's
// store may (a 31 February, an hour 24).
enum class TTimeParse
{
    Strict,
    Packable,
};
std::optional<TSimTime> ParseSimTime(const std::string& text, TTimeParse parse = TTimeParse::Strict);
std::string FormatSimTime(const TSimTime& time);

// Seconds since 1 January 1970, 00:00, in the same (local) time.
int64_t SecondsSince1970(const TSimTime& time);

// The same moment moved by whole seconds, days or months across the calendar.
TSimTime AddSeconds(const TSimTime& time, int64_t seconds);

// The MS-DOS date in the upper 16 bits and the MS-DOS time in the lower 16 bits; "never" packs to 0.
uint32_t PackDosDateTime(const TSimTime& time);
uint16_t PackDosDate(const TSimTime& time);
// Unpacks every field as it is packed, even when it is out of range (a 31 February stays 31 February).
TSimTime UnpackDosDateTime(uint32_t packed);

} // namespace nwsim
