// How the list view orders texts: as dates, as numbers, or as the locale orders strings. Each text is turned
// into a key once, so that sorting many rows takes no conversions per comparison.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

enum class TAutoSortStyle
{
    assSmart,
    assDefault,
};

struct TSortKey
{
    std::optional<double> date;   // when the text holds a date or time separator and converts
    std::optional<double> number; // when the whole text converts
    std::vector<BYTE> text;       // the locale's case-sensitive sort key
};

// Without the string key when withText is false: a column whose texts are all dates, or all numbers, never
// compares them as strings, and a million string keys would cost more than the rows.
TSortKey MakeSortKey(const std::wstring& text, TAutoSortStyle style, bool withText = true);
// Adds the string key to a key made without it.
void AddTextKey(TSortKey& key, const std::wstring& text);

// -1, 0 or 1: dates when both are dates, else numbers when both are numbers, else the locale's string order.
int CompareSortKeys(const TSortKey& first, const TSortKey& second);

// The comparison of two texts as one sort makes it.
int CompareTexts(const std::wstring& first, const std::wstring& second, TAutoSortStyle style);
