// The wildcard matcher and the entry test of the deleted-file lists.
#include "FilterCriteria.h"

#include <cmath>

namespace
{

bool IsAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether one pattern character agrees with one text character. Only ASCII letters fold case: the names
// are in the client's code page, whose other letters the server compares as they are.
bool Agree(char pattern, char text)
{
    if (pattern == '?' || pattern == text)
        return true;
    if (pattern == '#')
        return text >= '0' && text <= '9';
    if (pattern == '@')
        return IsAsciiLetter(text);
    return IsAsciiLetter(pattern) && AsciiUpper(pattern) == AsciiUpper(text);
}

// The calendar day of a date-time, rounded to the millisecond first as the date formats do, so that a value
// a hair below midnight still counts as the next day.
int64_t WholeDay(nw::TDateTime value)
{
    constexpr double kMillisecondsPerDay = 86400000.0;
    // Far beyond any date the server keeps; only guards the conversion.
    constexpr double kLimit = 1e7;
    if (!std::isfinite(value))
        return 0;
    value = std::fmax(-kLimit, std::fmin(kLimit, value));
    return static_cast<int64_t>(std::floor(std::round(value * kMillisecondsPerDay) / kMillisecondsPerDay));
}

} // namespace

bool MatchesEveryText(std::string_view pattern)
{
    return pattern.empty() || pattern == "*" || pattern == "*.*";
}

bool MatchPattern(std::string_view pattern, std::string_view text)
{
    if (MatchesEveryText(pattern))
        return true;
    size_t p = 0;
    size_t t = 0;
    bool skipping = false;
    while (p < pattern.size())
    {
        if (pattern[p] == '*')
        {
            skipping = true;
            ++p;
            continue;
        }
        // A star drops text characters until one agrees; without one, the first disagreement ends the match.
        while (true)
        {
            if (t == text.size())
                return false;
            if (Agree(pattern[p], text[t]))
                break;
            if (!skipping)
                return false;
            ++t;
        }
        skipping = false;
        ++p;
        ++t;
    }
    return t > 0;
}

bool MatchDate(TDateTest test, nw::TDateTime criteriaDate, nw::TDateTime deleted)
{
    const int64_t day = WholeDay(criteriaDate);
    const int64_t deletedDay = WholeDay(deleted);
    switch (test)
    {
    case TDateTest::dtExactly:
        return deletedDay == day;
    case TDateTest::dtGreaterOrEqual:
        return deletedDay >= day;
    case TDateTest::dtLessOrEqual:
        return deletedDay <= day;
    case TDateTest::dtNone:
    default:
        return true;
    }
}

TCriteriaTest FirstFailedTest(const TFilterCriteria& criteria, std::string_view listName,
                              const nw::TNWDeletedFileInfoX& info)
{
    if (!MatchPattern(criteria.NamePattern, listName))
        return TCriteriaTest::ctName;
    if (!MatchPattern(criteria.DeletedByPattern, info.DeletedBy))
        return TCriteriaTest::ctDeletedBy;
    if (!MatchPattern(criteria.OwnerPattern, info.Owner))
        return TCriteriaTest::ctOwner;
    if (!MatchDate(criteria.DateTest, criteria.Date, info.Deleted))
        return TCriteriaTest::ctDate;
    return TCriteriaTest::ctNone;
}

bool MatchCriteria(const TFilterCriteria& criteria, std::string_view listName,
                   const nw::TNWDeletedFileInfoX& info)
{
    return FirstFailedTest(criteria, listName, info) == TCriteriaTest::ctNone;
}
