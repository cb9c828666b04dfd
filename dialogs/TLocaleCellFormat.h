// The cell formats of the deleted-file lists in the user's locale, and the client's code page.
#pragma once

#include "DeletedFileRows.h"

#include <cstdint>
#include <string>
#include <unordered_map>

class TLocaleCellFormat : public ICellFormat
{
public:
    std::u16string ClientText(const std::string& text) const override;
    std::u16string ShortDate(int year, int month, int day) const override;
    std::u16string LongTime(int hour, int minute, int second) const override;

private:
    // A listing formats the same few days and times over and over; the locale is asked once for each.
    mutable std::unordered_map<uint32_t, std::u16string> dates_;
    mutable std::unordered_map<uint32_t, std::u16string> times_;
};

// A window text in the client's code page, as the access layer takes it, and back.
std::string ToClientText(const std::wstring& text);
std::wstring FromClientText(const std::string& text);
