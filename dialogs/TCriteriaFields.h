// The criteria controls of a window (the filter dialog, the Find window): the name, deleted-by and owner
// patterns, the deletion date and its four radio buttons, read into and written from a criteria value.
#pragma once

#include "FilterCriteria.h"

#include <windows.h>

struct TCriteriaFields
{
    HWND name = nullptr;
    HWND deletedBy = nullptr;
    HWND owner = nullptr;
    HWND date = nullptr;
    HWND none = nullptr;
    HWND exactly = nullptr;
    HWND greater = nullptr;
    HWND less = nullptr;

    // The criteria the controls show; a date that cannot be read counts as today.
    TFilterCriteria Read() const;
    void Write(const TFilterCriteria& criteria) const;
    // The date takes part only in a date test: with "None" it is greyed and Tab passes it by.
    void MatchDateToTest() const;
};

// Criteria that pass every entry with no date test, dated today, with the name pattern given.
TFilterCriteria TodaysCriteria(const char* namePattern);
