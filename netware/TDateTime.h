// Date-time values as the program keeps them: days since 30 December 1899, the time of day as the fraction.
#pragma once

#include <cstdint>

namespace nw
{

using TDateTime = double;

struct TDateParts
{
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The number of days of a month, 28 to 31.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// The parts of a date-time, rounded to the millisecond.
TDateParts DecodeDateTime(TDateTime value);

// Today's local date at 00:00.
TDateTime Today();

} // namespace nw
