// A seeded random driver for the wildcard matcher: many short patterns and names over the characters that
// matter, each result checked against a small reference written differently, and against what must hold
// whatever the pattern (under the sanitizers in the native build).
#include "FilterCriteria.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using namespace std::string_view_literals;

constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";

bool ReferenceAgree(char wild, char c)
{
    if (wild == '?' || wild == c)
        return true;
    if (wild == '#')
        return kDigits.find(c) != std::string_view::npos;
    if (wild == '@')
        return kUpper.find(c) != std::string_view::npos || kLower.find(c) != std::string_view::npos;
    const size_t upper = kUpper.find(wild);
    const size_t lower = kLower.find(wild);
    if (upper != std::string_view::npos)
        return kLower[upper] == c;
    if (lower != std::string_view::npos)
        return kUpper[lower] == c;
    return false;
}

// The pattern read as runs of ordinary characters, each with whether stars came before it.
struct TSegment
{
    bool afterStar = false;
    std::string characters;
};

std::vector<TSegment> Segments(std::string_view pattern)
{
    std::vector<TSegment> segments;
    bool star = false;
    for (const char c : pattern)
    {
        if (c == '*')
        {
            star = true;
            continue;
        }
        if (star || segments.empty())
            segments.push_back({star, {}});
        segments.back().characters += c;
        star = false;
    }
    return segments;
}

// The rules restated segment by segment: a segment after a star starts at the first place where its first
// character agrees, every other character must agree where it falls, and nothing is ever tried again.
bool ReferenceMatch(std::string_view pattern, std::string_view text)
{
    if (pattern.empty() || pattern == "*" || pattern == "*.*")
        return true;
    const std::vector<TSegment> segments = Segments(pattern);
    if (segments.empty())
        return false;
    size_t at = 0;
    for (const TSegment& segment : segments)
    {
        if (segment.afterStar)
        {
            while (at < text.size() && !ReferenceAgree(segment.characters[0], text[at]))
                ++at;
        }
        for (const char c : segment.characters)
        {
            if (at >= text.size() || !ReferenceAgree(c, text[at]))
                return false;
            ++at;
        }
    }
    return true;
}

// Characters that the rules treat differently, with a few that must not fold or be wild.
constexpr std::string_view kPatternCharacters = "**??#@aAbB.1z[{`\xE4\xC4";
// The text side also carries a zero byte, which is an ordinary character of a counted string.
constexpr std::string_view kTextCharacters = "aAbB.1z*?#@[{`\xE4\xC4\0"sv;

std::string RandomString(std::mt19937& random, std::string_view alphabet, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string result(length(random), ' ');
    for (char& c : result)
        c = alphabet[pick(random)];
    return result;
}

std::string SwapAsciiCase(std::string text)
{
    for (char& c : text)
    {
        if (const size_t i = kUpper.find(c); i != std::string_view::npos)
            c = kLower[i];
        else if (const size_t j = kLower.find(c); j != std::string_view::npos)
            c = kUpper[j];
    }
    return text;
}

} // namespace

TEST(MatchPatternFuzz, AgreesWithTheReferenceOnRandomPatternsAndNames)
{
    std::mt19937 random(20240315);
    constexpr int kRounds = 200000;
    int matches = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        const std::string pattern = RandomString(random, kPatternCharacters, 8);
        const std::string text = RandomString(random, kTextCharacters, 10);
        const bool result = MatchPattern(pattern, text);
        ASSERT_EQ(result, ReferenceMatch(pattern, text))
            << "round " << round << ": \"" << pattern << "\" against \"" << text << '"';
        // Only the beginning of a name counts, and ASCII case never does.
        const std::string longer = text + RandomString(random, kTextCharacters, 4);
        if (result)
        {
            ASSERT_TRUE(MatchPattern(pattern, longer)) << '"' << pattern << "\" against \"" << longer << '"';
        }
        ASSERT_EQ(MatchPattern(pattern, SwapAsciiCase(text)), result)
            << '"' << pattern << "\" against \"" << text << "\" in the other case";
        ASSERT_EQ(MatchPattern(SwapAsciiCase(pattern), text), result)
            << '"' << pattern << "\" in the other case against \"" << text << '"';
        matches += result ? 1 : 0;
    }
    // The driver is only worth its rounds when both outcomes come up often.
    EXPECT_GT(matches, kRounds / 10);
    EXPECT_LT(matches, kRounds * 9 / 10);
}

TEST(MatchPatternFuzz, SurvivesArbitraryBytesAndLongTexts)
{
    std::mt19937 random(98);
    std::string everyByte;
    for (int c = 0; c < 256; ++c)
        everyByte += static_cast<char>(c);
    for (int round = 0; round < 20000; ++round)
    {
        const std::string pattern = RandomString(random, everyByte, 40);
        const std::string text = RandomString(random, everyByte, 1100);
        ASSERT_EQ(MatchPattern(pattern, text), ReferenceMatch(pattern, text)) << "round " << round;
    }
}
