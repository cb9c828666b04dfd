// The wildcard matcher and the entry test: the worked examples, the rules' edge cases, the order of the
// tests and the day comparisons around midnight.
#include "FilterCriteria.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct TPatternCase
{
    const char* pattern;
    const char* text;
    bool matches;
};

std::ostream& operator<<(std::ostream& out, const TPatternCase& c)
{
    return out << '"' << c.pattern << "\" against \"" << c.text << "\" " << (c.matches ? "matches" : "fails");
}

// clang-format off
const TPatternCase kPatternCases[] = {
    // The worked examples.
    {"*.TXT", "README.TXT", true}, {"*.TXT", "a.txt", true}, {"*.TXT", "X.TXTT", true},
    {"*.TXT", "A.TXT.BAK", true}, {"*.TXT", "A.B.TXT", false},
    {"*AB", "ABX", true}, {"*AB", "CAB", true}, {"*AB", "AAB", false},
    {"A*B", "ABAB", true}, {"A*B", "BA", false},
    {"REP", "REPORT.DOC", true}, {"REP", "rep", true}, {"REP", "RE", false},
    {"*.?", "X.DOC", true}, {"*.?", "NOEXT", false},
    {"DATA#.TXT", "data1.txt", true}, {"DATA#.TXT", "DATAX.TXT", false},
    {"A@", "AB", true}, {"A@", "A1", false},
    {"BOB*", "BOB", true}, {"BOB*", "BOBBY", true}, {"BOB*", "ROBERT", false},
    // Every name, with or without a dot, also the empty one.
    {"*.*", "NOEXT", true}, {"*.*", "", true}, {"*", "ANY.THING", true}, {"*", "", true},
    {"", "ANY", true}, {"", "", true},
    // Two or more stars alone match nothing.
    {"**", "ANY", false}, {"**", "", false}, {"***", "A.B", false},
    // A dot followed by at least one character.
    {"*.?", "X.", false}, {"*.?", ".A", true},
    // A prefix is enough; case folds.
    {"abc", "ABCDEF", true}, {"abc", "AB", false},
    // Consecutive stars act as one, and a star never goes back.
    {"A**B", "AXB", true}, {"*A*A", "BABA", true}, {"*AAB", "AAAB", false},
    {"A*", "A", true}, {"?*", "Z", true}, {"*?", "", false},
    // Only the pattern's wildcards are wild: a text's own "?" or "*" is an ordinary character.
    {"A?C", "A*C", true}, {"A#", "A?", false}, {"#", "x", false}, {"@", "7", false}, {"@", "z", true},
    // "#" and "@" stand for themselves in the text too.
    {"#", "#", true}, {"@", "@", true},
    // Other patterns never match an empty name.
    {"A", "", false}, {"?", "", false}, {"*A", "", false}, {"*.TXT", "", false},
};
// clang-format on

} // namespace

class MatchPatternTable : public testing::TestWithParam<TPatternCase>
{
};

TEST_P(MatchPatternTable, AgreesWithTheRules)
{
    const TPatternCase& c = GetParam();
    EXPECT_EQ(MatchPattern(c.pattern, c.text), c.matches);
}

INSTANTIATE_TEST_SUITE_P(Cases, MatchPatternTable, testing::ValuesIn(kPatternCases));

TEST(MatchPattern, FoldsOnlyAsciiLetters)
{
    // Latin-1 a-umlaut and A-umlaut: different characters to the matcher.
    EXPECT_FALSE(MatchPattern("\xE4", "\xC4"));
    EXPECT_TRUE(MatchPattern("\xE4", "\xE4"));
    EXPECT_FALSE(MatchPattern("@", "\xE4"));
    // Letters are not folded onto their neighbours in the code table ('[' sits after 'Z', '{' after 'z').
    EXPECT_FALSE(MatchPattern("[", "{"));
    EXPECT_FALSE(MatchPattern("@", "["));
    EXPECT_FALSE(MatchPattern("@", "`"));
}

TEST(MatchPattern, ReadsNoFurtherThanTheTextsLength)
{
    // A text with an embedded zero and no terminator of its own.
    const std::string text("AB\0CD", 5);
    EXPECT_TRUE(MatchPattern("AB?CD", text));
    EXPECT_FALSE(MatchPattern("AB?CDE", std::string_view(text.data(), 5)));
}

namespace
{

nw::TNWDeletedFileInfoX Entry(const std::string& deletedBy, const std::string& owner, nw::TDateTime deleted)
{
    nw::TNWDeletedFileInfoX info;
    info.DeletedBy = deletedBy;
    info.Owner = owner;
    info.Deleted = deleted;
    return info;
}

const nw::TDateTime kDay = nw::EncodeDate(2024, 3, 15);
const nw::TDateTime kMidnight = 0;
const nw::TDateTime kLastSecond = nw::EncodeTime(23, 59, 59, 999);

} // namespace

TEST(MatchCriteria, TheDefaultsPassEveryEntryAlsoWithEmptyUserNames)
{
    TFilterCriteria criteria;
    criteria.Date = kDay;
    EXPECT_TRUE(MatchCriteria(criteria, "NOEXT", Entry("", "", kDay + 100)));
    EXPECT_TRUE(MatchCriteria(criteria, "A.B", Entry("BOB", "ALICE", 0)));
    criteria.NamePattern.clear();
    EXPECT_TRUE(MatchCriteria(criteria, "", Entry("", "", 0))) << "the Find window's empty name pattern";
}

TEST(MatchCriteria, AUserPatternNeverMatchesAnEmptyUserName)
{
    TFilterCriteria criteria;
    criteria.DeletedByPattern = "B*";
    EXPECT_EQ(FirstFailedTest(criteria, "A.TXT", Entry("", "ALICE", 0)), TCriteriaTest::ctDeletedBy);
    EXPECT_EQ(FirstFailedTest(criteria, "A.TXT", Entry("BOB", "", 0)), TCriteriaTest::ctNone);
    criteria.OwnerPattern = "?";
    EXPECT_EQ(FirstFailedTest(criteria, "A.TXT", Entry("BOB", "", 0)), TCriteriaTest::ctOwner);
    // The picker's pattern for BOB: every user whose name begins with BOB.
    criteria.OwnerPattern = "BOB*";
    EXPECT_TRUE(MatchCriteria(criteria, "A.TXT", Entry("BOB", "bobby", 0)));
    EXPECT_FALSE(MatchCriteria(criteria, "A.TXT", Entry("BOB", "ROBERT", 0)));
}

TEST(MatchCriteria, StopsAtTheFirstFailingTestInItsOrder)
{
    TFilterCriteria criteria;
    criteria.NamePattern = "*.DOC";
    criteria.DeletedByPattern = "BOB";
    criteria.OwnerPattern = "ALICE";
    criteria.DateTest = TDateTest::dtExactly;
    criteria.Date = kDay;
    const nw::TNWDeletedFileInfoX failsAll = Entry("EVE", "EVE", kDay + 1);
    EXPECT_EQ(FirstFailedTest(criteria, "A.TXT", failsAll), TCriteriaTest::ctName);
    EXPECT_EQ(FirstFailedTest(criteria, "A.DOC", failsAll), TCriteriaTest::ctDeletedBy);
    EXPECT_EQ(FirstFailedTest(criteria, "A.DOC", Entry("BOB", "EVE", kDay + 1)), TCriteriaTest::ctOwner);
    EXPECT_EQ(FirstFailedTest(criteria, "A.DOC", Entry("BOB", "ALICE", kDay + 1)), TCriteriaTest::ctDate);
    EXPECT_EQ(FirstFailedTest(criteria, "A.DOC", Entry("BOB", "ALICE", kDay + 0.5)), TCriteriaTest::ctNone);
    EXPECT_FALSE(MatchCriteria(criteria, "A.DOC", Entry("BOB", "ALICE", kDay + 1)));
    EXPECT_TRUE(MatchCriteria(criteria, "a.doc", Entry("bob", "alice", kDay + 0.5)));
}

struct TDateCase
{
    TDateTest test;
    nw::TDateTime deleted;
    bool passes;
};

TEST(MatchCriteria, DateTestsCompareWholeDaysAroundMidnight)
{
    // The criteria's own time of day does not count either.
    const nw::TDateTime criteriaDate = kDay + nw::EncodeTime(13, 30, 0, 0);
    const nw::TDateTime dayBefore = kDay - 1;
    const nw::TDateTime dayAfter = kDay + 1;
    const TDateCase cases[] = {
        {TDateTest::dtNone, dayBefore + kLastSecond, true},
        {TDateTest::dtNone, dayAfter, true},
        {TDateTest::dtExactly, dayBefore + kLastSecond, false},
        {TDateTest::dtExactly, kDay + kMidnight, true},
        {TDateTest::dtExactly, kDay + kLastSecond, true},
        {TDateTest::dtExactly, dayAfter + kMidnight, false},
        {TDateTest::dtGreaterOrEqual, dayBefore + kLastSecond, false},
        {TDateTest::dtGreaterOrEqual, kDay + kMidnight, true},
        {TDateTest::dtGreaterOrEqual, dayAfter + kLastSecond, true},
        {TDateTest::dtLessOrEqual, kDay + kLastSecond, true},
        {TDateTest::dtLessOrEqual, dayAfter + kMidnight, false},
        {TDateTest::dtLessOrEqual, dayBefore, true},
    };
    for (const TDateCase& c : cases)
    {
        TFilterCriteria criteria;
        criteria.DateTest = c.test;
        criteria.Date = criteriaDate;
        const nw::TDateParts parts = nw::DecodeDateTime(c.deleted);
        EXPECT_EQ(MatchCriteria(criteria, "A.TXT", Entry("", "", c.deleted)), c.passes)
            << "test " << static_cast<int>(c.test) << ", deleted " << parts.year << '-' << parts.month << '-'
            << parts.day << ' ' << parts.hour << ':' << parts.minute << ':' << parts.second;
    }
}

TEST(MatchCriteria, AValueAHairBelowMidnightIsTheNextDay)
{
    // Midnight reached by adding up a time of day, as a decoded date-time can give it.
    const nw::TDateTime almostNextDay = kDay + nw::EncodeTime(23, 59, 59, 999) + 0.0009 / 86400.0;
    EXPECT_TRUE(MatchDate(TDateTest::dtExactly, kDay + 1, almostNextDay));
    EXPECT_FALSE(MatchDate(TDateTest::dtExactly, kDay, almostNextDay));
}
