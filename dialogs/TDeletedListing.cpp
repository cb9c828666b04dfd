// The listing loop of the deleted-file list.
#include "TDeletedListing.h"

#include "TLocaleCellFormat.h"
#include "TNWNDS.h"
#include "TNWServer.h"

#include <windows.h>

namespace
{

// The names that the scan resolves must be found from the root of the tree, aliases followed and without
// types.
constexpr uint32_t kScanContextFlags = 5;

bool IsTrailingJunk(wchar_t c)
{
    return c == L' ' || c <= 2;
}

// The hourglass while the listing runs.
class TWaitCursor
{
public:
    TWaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~TWaitCursor() { SetCursor(previous_ != nullptr ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    HCURSOR previous_;
};

// No sorting while rows are added; one sort ascending by the last clicked column at the end.
class TFillBracket
{
public:
    explicit TFillBracket(TExtListView& list) : list_(list) { list_.BeginFill(); }
    ~TFillBracket() { list_.EndFill(); }
    TFillBracket(const TFillBracket&) = delete;
    TFillBracket& operator=(const TFillBracket&) = delete;

private:
    TExtListView& list_;
};

// The list neither redraws nor re-sorts inside.
class TUpdateBracket
{
public:
    explicit TUpdateBracket(TExtListView& list) : list_(list) { list_.BeginUpdate(); }
    ~TUpdateBracket() { list_.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TExtListView& list_;
};

} // namespace

// Busy from the start of a listing to its end, also when the end is an exception.
class TDeletedListing::TBusyScope
{
public:
    explicit TBusyScope(TDeletedListing& listing) : listing_(listing)
    {
        listing_.busy_ = true;
        listing_.stopRequested_ = false;
        if (listing_.view_.ShowRunning)
            listing_.view_.ShowRunning(true);
    }
    ~TBusyScope()
    {
        if (listing_.view_.ShowRunning)
            listing_.view_.ShowRunning(false);
        listing_.busy_ = false;
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TDeletedListing& listing_;
};

TDeletedListing::TDeletedListing(TExtListView& list, TListingView view, TEventPump pump)
    : list_(list), view_(std::move(view)), pump_(std::move(pump))
{
}

std::wstring TDeletedListing::TrimFolder(const std::wstring& folder)
{
    const size_t first = folder.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    size_t end = folder.size();
    while (end > first && IsTrailingJunk(folder[end - 1]))
        --end;
    std::wstring trimmed = folder.substr(first, end - first);
    if (!trimmed.empty() && trimmed.back() != L'\\')
        trimmed += L'\\';
    return trimmed;
}

void TDeletedListing::ListDeletedFiles(const std::wstring& folder)
{
    // The running listing goes on; it restores the cursor and the sorting when it ends.
    if (busy_)
        return;
    const std::wstring trimmed = TrimFolder(folder);
    TBusyScope busy(*this);
    TWaitCursor cursor;
    TFillBracket fill(list_);
    if (view_.ShowFolder)
        view_.ShowFolder(trimmed);
    nw::TNWNDS::SetNameContext("[root]");
    nw::TNWNDS::AddContextFlags(kScanContextFlags);
    ClearDeletedList();
    const std::string path = ToClientText(trimmed);
    nw::TNWDeletedList entries =
        nw::TNWServer::ScanDeletedFiles(nw::TNWServer::GetPathConnection(path), path);
    AddRows(entries);
    if (view_.ShowCount)
        view_.ShowCount(list_.Count());
}

void TDeletedListing::AddRows(nw::TNWDeletedList& entries)
{
    if (entries.empty())
        return;
    // Every entry of a scan carries the same handle. Each row takes a share; when no row took one, the
    // handle goes back as this share does.
    const nw::TNWDeletedEntry& first = *entries.front().entry;
    const nw::TNWDirHandleShare lease = nw::LeaseDirHandle(first.Connection, first.DirHandle);
    const TFilterCriteria criteria = criteria_ ? criteria_() : TFilterCriteria{};
    const TLocaleCellFormat format;
    TShellIconCache icons;
    for (nw::TNWDeletedItem& item : entries)
    {
        if (item.entry == nullptr || item.entry->Info == nullptr ||
            !MatchCriteria(criteria, item.name, *item.entry->Info))
            continue;
        if (pump_)
            pump_();
        if (stopRequested_)
            break;
        list_.AddRow(MakeDeletedFileRow(item.name, std::move(item.entry), lease, format, icons));
    }
}

void TDeletedListing::ClearDeletedList()
{
    // One redraw for all the rows that go; their shares of the handle go with them.
    TUpdateBracket update(list_);
    list_.Clear();
}
