// The filter's short text.
#include "FilterSummary.h"

#include "TLocaleCellFormat.h"

namespace
{

std::wstring DayText(nw::TDateTime day)
{
    const nw::TDateParts parts = nw::DecodeDateTime(day);
    // The text lives in the format's own store.
    const TLocaleCellFormat format;
    const std::u16string_view text = format.ShortDate(parts.year, parts.month, parts.day);
    return std::wstring(text.begin(), text.end());
}

void AddPart(std::wstring& summary, const std::wstring& part)
{
    summary += (summary.empty() ? L"" : L", ") + part;
}

} // namespace

std::wstring FilterSummary(const TFilterCriteria& criteria)
{
    std::wstring summary;
    if (!MatchesEveryText(criteria.NamePattern))
        AddPart(summary, FromClientText(criteria.NamePattern));
    if (!MatchesEveryText(criteria.DeletedByPattern))
        AddPart(summary, L"deleted by " + FromClientText(criteria.DeletedByPattern));
    if (!MatchesEveryText(criteria.OwnerPattern))
        AddPart(summary, L"owned by " + FromClientText(criteria.OwnerPattern));
    switch (criteria.DateTest)
    {
    case TDateTest::dtExactly:
        AddPart(summary, L"on " + DayText(criteria.Date));
        break;
    case TDateTest::dtGreaterOrEqual:
        AddPart(summary, L"on or after " + DayText(criteria.Date));
        break;
    case TDateTest::dtLessOrEqual:
        AddPart(summary, L"on or before " + DayText(criteria.Date));
        break;
    case TDateTest::dtNone:
        break;
    }
    return summary;
}
