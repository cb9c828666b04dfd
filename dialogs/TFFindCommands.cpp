// The Find window's commands: its buttons, menus and keys, each to its handler, and what the handlers do.
#include "TFFind.h"

#include "DeletedFileListRows.h"
#include "FindWindowParts.h"
#include "ListExport.h"
#include "ListText.h"
#include "MenuItems.h"
#include "TFProperties.h"
#include "TFlagScope.h"
#include "TModal.h"
#include "UBrowseDirectory.h"
#include "WindowParts.h"

using namespace find_window;

void TFFind::OnCommand(int id, int code)
{
    switch (id)
    {
    case idEName:
    case idEDeleted:
    case idEOwner:
        if (code == EN_CHANGE)
            criteriaChanged_ = true;
        break;
    case idRNone:
    case idRExactly:
    case idRGreater:
    case idRLess:
        criteriaChanged_ = true;
        Fields().MatchDateToTest();
        break;
    case cmMFind:
    case idBFind:
    case IDOK:
        BFindClick();
        break;
    case idBStop:
        BStopClick();
        break;
    case idBNew:
        BNewClick();
        break;
    case idBBrowse:
        BBrowseClick();
        break;
    case idBSelectDeleted:
        BSelect_DeletedClick();
        break;
    case idBSelectOwner:
        BSelect_OwnerClick();
        break;
    case cmMRetrove:
    case cmPMRetrove:
        MRetroveClick();
        break;
    case cmMPurge:
    case cmPMPurge:
        MPurgeClick();
        break;
    case cmMProperties:
    case cmPMProperties:
        MPropertiesClick();
        break;
    case cmMClose:
    case IDCANCEL:
        FormClose();
        break;
    case cmMSelectAll:
        MSelectAllClick();
        break;
    case cmMInvertSelection:
        MInvertSelectionClick();
        break;
    case cmMCopy:
        CopySelectedRows(Handle(), *findList_);
        break;
    case cmMExport:
        MExportClick(false);
        break;
    case cmMExportSelected:
        MExportClick(true);
        break;
    case cmNextPage:
        TurnPage(1);
        break;
    case cmPreviousPage:
        TurnPage(-1);
        break;
    case cmMLargeIcons:
    case cmMSmallIcons:
    case cmMList:
    case cmMDetails:
        MViewClick(id);
        break;
    default:
        break;
    }
}

void TFFind::OnContextMenu(HWND control, POINT at)
{
    if (control != findList_->Handle() || !popFindAttached_)
        return;
    at = findList_->ContextMenuPoint(at);
    if (const UINT command = TModal::PopupMenu(popFind_.Get(), window_, at))
        OnCommand(static_cast<int>(command), 0);
}

void TFFind::BNewClick()
{
    if (acting_)
        return;
    // The search stops at its next step; the window empties once it has.
    if (search_->Running())
    {
        search_->RequestStop();
        newAfterSearch_ = true;
        return;
    }
    ClearResults();
    Collapse();
    ResetCriteria();
}

void TFFind::BBrowseClick()
{
    browseDialog1_->StartFolder().Assign(sLookIn_->Location());
    if (browseDialog1_->Execute())
        sLookIn_->Location().Assign(browseDialog1_->Folder());
}

void TFFind::BSelect_DeletedClick()
{
    PickUserInto(picker_, eDeleted_);
}

void TFFind::BSelect_OwnerClick()
{
    PickUserInto(picker_, eOwner_);
}

void TFFind::MExportClick(bool selectedOnly)
{
    const std::vector<size_t> rows = RowsToExport(*findList_, selectedOnly);
    // The box of a failure bears the program's title, which the window's owner has.
    const std::wstring title = WindowText(GetWindow(window_, GW_OWNER));
    ExportList(Handle(), title, DefaultExportName(sLookIn_->Location().Path()),
               [&](TExportFormat format) { return ExportFoundRows(*findList_, rows, format); });
}

void TFFind::FindListChange()
{
    const bool any = findList_->SelectedCount() > 0;
    for (const int item : {cmMRetrove, cmMProperties, cmMPurge, cmMCopy, cmMExportSelected})
        SetMenuItemEnabled(menuBar_.Get(), item, any);
    // The pop-up menu comes up on the list only while it has something to act on.
    popFindAttached_ = any;
    const size_t selected = findList_->SelectedCount();
    SetStatusText(kSelectedPanel, selected > 0 ? std::to_wstring(selected) + L" selected" : std::wstring());
}

void TFFind::MRetroveClick()
{
    if (actions_ == nullptr || search_->ScanInProgress() || acting_)
        return;
    const TFlagScope acting(acting_);
    // A found folder's contents come back as the search found its entries: by the search's criteria.
    TRetroveOptions options = retroveOptions_ ? retroveOptions_() : TRetroveOptions{};
    options.ContentCriteria = criteria_;
    // Each row comes back into the folder it was found in.
    RetroveSelected([this](size_t row) { return findList_->CellText(row, kFoundPathColumn); }, *findList_,
                    options, *actions_, [this](size_t) { ShowCount(); });
}

void TFFind::MPurgeClick()
{
    // A purge may run while a search pumps messages: it removes rows, and the search only adds them.
    if (actions_ == nullptr || acting_)
        return;
    const TFlagScope acting(acting_);
    if (ConfirmAndPurgeSelected(*findList_, *actions_))
        ShowCount();
}

void TFFind::MPropertiesClick()
{
    const std::vector<size_t> selected = findList_->SelectedRows();
    if (!selected.empty())
        ShowPropertiesOf(selected.front());
}

void TFFind::ShowPropertiesOf(size_t row)
{
    if (properties_ == nullptr || row >= findList_->Count())
        return;
    // The location is the folder in which the entry was found.
    if (properties_->FillProperties(findList_->Row(row), findList_->CellText(row, kFoundPathColumn)))
        properties_->Execute();
}

bool TFFind::IsCriteriaControl(HWND control) const
{
    for (HWND field : {eName_, eDeleted_, eOwner_, dDeleted_, sLookIn_->Handle()})
        if (control == field || IsChild(field, control))
            return true;
    return control == rNone_ || control == rExactly_ || control == rGreater_ || control == rLess_;
}

bool TFFind::FormKey(const MSG& message)
{
    HWND focus = GetFocus();
    if (focus == findList_->Handle() && HitsKey(message))
        return true;
    if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN)
        return false;
    // In the hits, Enter shows the focused one rather than searching them away.
    if (focus == findList_->Handle())
    {
        const int row = findList_->FocusedRow();
        if (row >= 0)
            ShowPropertiesOf(static_cast<size_t>(row));
        return true;
    }
    // The dialog keys make Enter in a criterion a press of Find Now, and in a push button a press of that
    // button; anywhere else (a check box, the tabs) it does nothing.
    wchar_t windowClass[16] = {};
    GetClassNameW(focus, windowClass, static_cast<int>(std::size(windowClass)));
    const bool pushButton =
        lstrcmpiW(windowClass, L"Button") == 0 &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
    return !IsCriteriaControl(focus) && !pushButton;
}

bool TFFind::HitsKey(const MSG& message)
{
    // As in Explorer: Alt+Enter shows the selected hit, Delete purges the selected hits (as F9, so only
    // with something to purge).
    if (message.message == WM_SYSKEYDOWN && message.wParam == VK_RETURN)
    {
        MPropertiesClick();
        return true;
    }
    if (message.message != WM_KEYDOWN || message.wParam != VK_DELETE || GetKeyState(VK_CONTROL) < 0 ||
        GetKeyState(VK_MENU) < 0)
        return false;
    if (MenuItemEnabled(menuBar_.Get(), cmMPurge))
        MPurgeClick();
    return true;
}

void TFFind::MSelectAllClick()
{
    if (!Expanded())
        return;
    SetFocus(findList_->Handle());
    findList_->SelectAll();
}

void TFFind::MInvertSelectionClick()
{
    if (!Expanded())
        return;
    SetFocus(findList_->Handle());
    findList_->InvertSelection();
}

void TFFind::MViewClick(int command)
{
    for (const TViewChoice& choice : kViewChoices)
        SetMenuItemChecked(menuBar_.Get(), choice.command, choice.command == command);
    ApplyViewStyle();
}
