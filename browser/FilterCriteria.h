// The criteria that decide which deleted entries a list shows, and the tests that apply them. Portable: the
// native build tests it directly.
#pragma once

#include "TDateTime.h"
#include "TNWDeletedFileInfoX.h"

#include <cstdint>
#include <string>
#include <string_view>

// Which test the day of deletion must pass.
enum class TDateTest : uint8_t
{
    dtNone,
    dtExactly,
    dtGreaterOrEqual,
    dtLessOrEqual,
};

// One set of criteria. The defaults are the filter dialog's, apart from the date, which the caller gives.
struct TFilterCriteria
{
    std::string NamePattern = "*.*";
    std::string DeletedByPattern;
    std::string OwnerPattern;
    TDateTest DateTest = TDateTest::dtNone;
    // Only its calendar day counts.
    nw::TDateTime Date = 0;
};

// The tests of an entry, in the order they run; ctNone when an entry passes them all.
enum class TCriteriaTest : uint8_t
{
    ctNone,
    ctName,
    ctDeletedBy,
    ctOwner,
    ctDate,
};

// Lays a wildcard pattern against the beginning of a text in one pass that never goes back: "*" skips to
// the first place where the next character agrees, "?" agrees with any character, "#" with a digit, "@" with
// an ASCII letter, and ASCII letters agree without regard to case. An empty pattern, "*" and "*.*" match
// every text; otherwise at least one character of the text must be consumed, so that two or more stars alone
// match nothing.
bool MatchPattern(std::string_view pattern, std::string_view text);
// Whether the pattern lets every text through: empty, "*" or "*.*".
bool MatchesEveryText(std::string_view pattern);

// Whether the day of deletion passes the date test against the criteria's day; both lose their time of day.
bool MatchDate(TDateTest test, nw::TDateTime criteriaDate, nw::TDateTime deleted);

// The first test that the entry fails: its list name against the name pattern, the deleting user and the
// owner against their patterns, then the day of deletion. Later tests do not run once one fails.
TCriteriaTest FirstFailedTest(const TFilterCriteria& criteria, std::string_view listName,
                              const nw::TNWDeletedFileInfoX& info);

// Whether the entry passes every test of the criteria.
bool MatchCriteria(const TFilterCriteria& criteria, std::string_view listName,
                   const nw::TNWDeletedFileInfoX& info);
