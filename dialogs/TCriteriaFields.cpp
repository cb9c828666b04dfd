// The criteria controls of a window.
#include "TCriteriaFields.h"

#include "WindowParts.h"

#include <commctrl.h>

namespace
{

bool Checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND button, bool checked)
{
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

} // namespace

TFilterCriteria TCriteriaFields::Read() const
{
    TFilterCriteria criteria;
    criteria.NamePattern = AnsiFromWide(WindowText(name));
    criteria.DeletedByPattern = AnsiFromWide(WindowText(deletedBy));
    criteria.OwnerPattern = AnsiFromWide(WindowText(owner));
    if (Checked(exactly))
        criteria.DateTest = TDateTest::dtExactly;
    else if (Checked(greater))
        criteria.DateTest = TDateTest::dtGreaterOrEqual;
    else if (Checked(less))
        criteria.DateTest = TDateTest::dtLessOrEqual;
    else
        criteria.DateTest = TDateTest::dtNone;
    SYSTEMTIME day{};
    if (DateTime_GetSystemtime(date, &day) == GDT_VALID && nw::IsValidDate(day.wYear, day.wMonth, day.wDay))
        criteria.Date = nw::EncodeDate(day.wYear, day.wMonth, day.wDay);
    else
        criteria.Date = nw::Today();
    return criteria;
}

void TCriteriaFields::Write(const TFilterCriteria& criteria) const
{
    SetWindowTextW(name, WideFromAnsi(criteria.NamePattern).c_str());
    SetWindowTextW(deletedBy, WideFromAnsi(criteria.DeletedByPattern).c_str());
    SetWindowTextW(owner, WideFromAnsi(criteria.OwnerPattern).c_str());
    const nw::TDateParts parts = nw::DecodeDateTime(criteria.Date);
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(parts.year);
    day.wMonth = static_cast<WORD>(parts.month);
    day.wDay = static_cast<WORD>(parts.day);
    DateTime_SetSystemtime(date, GDT_VALID, &day);
    SetChecked(none, criteria.DateTest == TDateTest::dtNone);
    SetChecked(exactly, criteria.DateTest == TDateTest::dtExactly);
    SetChecked(greater, criteria.DateTest == TDateTest::dtGreaterOrEqual);
    SetChecked(less, criteria.DateTest == TDateTest::dtLessOrEqual);
    MatchDateToTest();
}

void TCriteriaFields::MatchDateToTest() const
{
    EnableWindow(date, Checked(none) ? FALSE : TRUE);
}

TFilterCriteria TodaysCriteria(const char* namePattern)
{
    TFilterCriteria criteria;
    criteria.NamePattern = namePattern;
    criteria.Date = nw::Today();
    return criteria;
}
