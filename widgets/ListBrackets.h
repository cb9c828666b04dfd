// The brackets of a TExtListView as guards, so that an exception inside still closes them.
#pragma once

#include "TExtListView.h"

// No sorting while rows are added; one sort ascending by the last clicked column at the end.
class TListFillBracket
{
public:
    explicit TListFillBracket(TExtListView& list) : list_(list) { list_.BeginFill(); }
    ~TListFillBracket() { list_.EndFill(); }
    TListFillBracket(const TListFillBracket&) = delete;
    TListFillBracket& operator=(const TListFillBracket&) = delete;

private:
    TExtListView& list_;
};

// The list neither redraws nor re-sorts inside.
class TListUpdateBracket
{
public:
    explicit TListUpdateBracket(TExtListView& list) : list_(list) { list_.BeginUpdate(); }
    ~TListUpdateBracket() { list_.EndUpdate(); }
    TListUpdateBracket(const TListUpdateBracket&) = delete;
    TListUpdateBracket& operator=(const TListUpdateBracket&) = delete;

private:
    TExtListView& list_;
};
