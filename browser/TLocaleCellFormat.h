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
    std::u16string_view ShortDate(int year, int month, int day) const override;
    std::u16string_view LongTime(int hour, int minute, int second) const override;
    std::u16string_view UserName(const std::string& name) const override;

private:
    // The locale and the code page are asked once for each day, time of day and user name.
    mutable std::unordered_map<uint32_t, std::u16string> dates_;
    mutable std::unordered_map<uint32_t, std::u16string> times_;
    mutable std::unordered_map<std::string, std::u16string> userNames_;
};

// A window text in the client's code page, as the access layer takes it, and back.
std::string ToClientText(const std::wstring& text);
std::wstring FromClientText(const std::string& text);

// The name as the client's code page upper-cases it: every letter that has an upper case there. A character
// the code page cannot hold stays as it is.
std::wstring ClientUpperCase(const std::wstring& text);
