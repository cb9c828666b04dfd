// The date and time texts of the properties dialog. Portable: the locale's long date comes in from the
// caller.
#pragma once

#include "TDateTime.h"

#include <functional>
#include <string>

// The time of day on the 12-hour clock as "hh:mm a" before noon and "hh:mm p" from noon on; midnight is
// 12:00 a. Seconds are dropped.
std::u16string TwelveHourTimeText(nw::TDateTime value);

// The long date "mmmm d, yyyy" (December 8, 2026), for a locale that gives no long date format.
std::u16string PlainLongDateText(nw::TDateTime value);

// The long date that the locale gives (or the plain one when it gives none), a blank, then the 12-hour time.
std::u16string PropertyDateTimeText(nw::TDateTime value,
                                    const std::function<std::u16string(const nw::TDateParts&)>& longDate);
