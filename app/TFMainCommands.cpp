// The main window's commands: its menu items and tool buttons, each to its handler, and what the handlers do.
#include "TFMain.h"

#include "AppIdentity.h"
#include "ListExport.h"
#include "ListText.h"
#include "MainCommands.h"
#include "MainViewChoices.h"
#include "TModal.h"
#include "WindowParts.h"

void TFMain::OnCommand(int command)
{
    switch (command)
    {
    case cmBLargeIcons:
    case cmBSmallIcons:
    case cmBList:
    case cmBDetails:
        BViewClick();
        break;
    case cmMLargeIcons:
        MViewClick(cmBLargeIcons);
        break;
    case cmMSmallIcons:
        MViewClick(cmBSmallIcons);
        break;
    case cmMList:
        MViewClick(cmBList);
        break;
    case cmMDetails:
        MViewClick(cmBDetails);
        break;
    case cmMToolBar:
        MToolBarClick();
        break;
    case cmMStatusBar:
        MStatusBarClick();
        break;
    case cmMSelectAll:
        MSelectAllClick();
        break;
    case cmMInvertSelection:
        MInvertSelectionClick();
        break;
    case cmMCopy:
        CopySelectedRows(Handle(), *explorerList_);
        break;
    case cmMExport:
        MExportClick(false);
        break;
    case cmMExportSelected:
        MExportClick(true);
        break;
    case cmBUpLevel:
        BUpLevelClick();
        break;
    case cmBStop:
        BStopClick();
        break;
    case cmMRefresh:
        MRefreshClick();
        break;
    case cmBAbout:
        BAboutClick();
        break;
    case cmBRetrove:
    case cmMRetrove:
    case cmPMRetrove:
        BRetroveClick();
        break;
    case cmBPurge:
    case cmMPurge:
    case cmPMPurge:
        BPurgeClick();
        break;
    case cmMUpper:
        MUpperClick();
        break;
    case cmMRename:
        MRenameClick();
        break;
    case cmMSkip:
        MSkipClick();
        break;
    case cmMContents:
        MContentsClick();
        break;
    case cmBProperties:
    case cmMProperties:
    case cmPMProperties:
        BPropertiesClick();
        break;
    case cmBFilter:
    case cmMFilter:
        BFilterClick();
        break;
    case cmBFind:
    case cmMFind:
        BFindClick();
        break;
    case cmExit1:
        Exit1Click();
        break;
    default:
        break;
    }
}

void TFMain::SetSelectionCommands(bool enabled)
{
    for (const int button : {cmBRetrove, cmBProperties, cmBPurge})
        toolbar_->SetEnabled(button, enabled);
    for (const int item : {cmMRetrove, cmMProperties, cmMPurge, cmMCopy, cmMExportSelected})
        menu_.SetEnabled(item, enabled);
    // The pop-up menu comes up on the list only while it has something to act on.
    popDelAttached_ = enabled;
}

void TFMain::BViewClick()
{
    // The button group has already put the clicked button down.
    ApplyViewStyle();
}

void TFMain::MViewClick(int button)
{
    for (const TViewChoice& choice : kViewChoices)
        toolbar_->SetDown(choice.button, choice.button == button);
    ApplyViewStyle();
}

void TFMain::MToolBarClick()
{
    const bool show = !Shown(toolbar_->Handle());
    ShowWindow(toolbar_->Handle(), show ? SW_SHOW : SW_HIDE);
    menu_.SetChecked(cmMToolBar, show);
    LayOut();
}

void TFMain::MStatusBarClick()
{
    const bool show = !Shown(statusBar_);
    ShowWindow(statusBar_, show ? SW_SHOW : SW_HIDE);
    menu_.SetChecked(cmMStatusBar, show);
    LayOut();
}

void TFMain::MSelectAllClick()
{
    SetFocus(explorerList_->Handle());
    explorerList_->SelectAll();
}

void TFMain::MInvertSelectionClick()
{
    SetFocus(explorerList_->Handle());
    explorerList_->InvertSelection();
}

void TFMain::BUpLevelClick()
{
    treeDel_->GoUp(1);
}

void TFMain::BPropertiesClick()
{
    const std::vector<size_t> selected = explorerList_->SelectedRows();
    if (!selected.empty())
        ShowPropertiesOf(selected.front());
}

void TFMain::ShowPropertiesOf(size_t row)
{
    if (properties_ == nullptr || row >= explorerList_->Count())
        return;
    // The location is the tree's folder as the tree gives it.
    if (properties_->FillProperties(explorerList_->Row(row), treeDel_->SelectedPath()))
        properties_->Execute();
}

void TFMain::BRetroveClick()
{
    if (actionWindows_ == nullptr || listing_->ListingBusy())
        return;
    RetroveSelected(treeDel_->SelectedPath(), *explorerList_, RetroveOptions(), *actionWindows_,
                    [this](size_t rows) { ShowFileCount(rows); });
}

void TFMain::BPurgeClick()
{
    // A purge may run while a listing pumps messages: it removes rows, and the listing only adds them.
    if (actionWindows_ != nullptr && ConfirmAndPurgeSelected(*explorerList_, *actionWindows_))
        ShowFileCount(explorerList_->Count());
}

void TFMain::MUpperClick()
{
    menu_.SetChecked(cmMUpper, !menu_.Checked(cmMUpper));
}

void TFMain::MRenameClick()
{
    menu_.CheckRadio(cmMRename, cmMSkip, cmMRename);
}

void TFMain::MContentsClick()
{
    menu_.SetChecked(cmMContents, !menu_.Checked(cmMContents));
}

void TFMain::MSkipClick()
{
    menu_.CheckRadio(cmMRename, cmMSkip, cmMSkip);
}

void TFMain::BAboutClick()
{
    if (about_ != nullptr)
        about_->ShowModal();
}

void TFMain::MExportClick(bool selectedOnly)
{
    const std::vector<size_t> rows = RowsToExport(*explorerList_, selectedOnly);
    const std::wstring folder = listedFolder_;
    ExportList(Handle(), kAppTitle, DefaultExportName(folder),
               [&](TExportFormat format) { return ExportListedRows(*explorerList_, rows, folder, format); });
}

void TFMain::BFilterClick()
{
    if (filter_ != nullptr && filter_->Execute())
        ListSelectedFolder();
}

void TFMain::BFindClick()
{
    if (find_ == nullptr)
        return;
    find_->SetImageLists(smallImage_, largeImage_);
    find_->SLook_In().Location().Assign(treeDel_->SelectedFolder());
    find_->Execute();
}

void TFMain::ListSelectedFolder()
{
    if (listing_->ListingBusy())
    {
        // Only one listing runs at a time: the running one, of another folder or under other criteria, stops
        // at its next row, and the folder now selected is listed once it has.
        listing_->RequestStop();
        listSelectionAfterListing_ = true;
        return;
    }
    ListDeletedFiles(treeDel_->SelectedPath());
}

void TFMain::Exit1Click()
{
    SendMessageW(window_, WM_CLOSE, 0, 0);
}
