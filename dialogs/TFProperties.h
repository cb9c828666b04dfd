// The properties of one deleted entry: its name, where it was deleted, its size and attributes, when and by
// whom it was deleted, its owner, and when it was created and last accessed. Read-only; refilled before each
// showing.
#pragma once

#include "TExtListView.h"
#include "TForm.h"
#include "TFullTextTips.h"
#include "TNWDeletedFileInfoX.h"

#include <memory>
#include <string>

class TFProperties : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Properties";
    static constexpr int kClientWidth = 358;
    static constexpr int kClientHeight = 390;

    explicit TFProperties(HWND owner);
    ~TFProperties() override;

    // Sets the nine value labels from a row's name and entry details, with the location the caller names
    // (shown as given); does not show the dialog.
    void FillProperties(const std::wstring& name, const nw::TNWDeletedFileInfoX& info,
                        const std::wstring& location);
    // The same from a deleted-file row of a list; false (and nothing filled) for a row without an entry.
    bool FillProperties(const TListRow& row, const std::wstring& location);
    // Shows the filled dialog modally, centred; OK and Cancel both just close it.
    void Execute();

    HWND LName() const { return lName_; }
    HWND LLocation() const { return lLocation_; }
    HWND LSize() const { return lSize_; }
    HWND LAttributes() const { return lAttributes_; }
    HWND LDeleted() const { return lDeleted_; }
    HWND LDeleted_By() const { return lDeletedBy_; }
    HWND LOwner() const { return lOwner_; }
    HWND LCreated() const { return lCreated_; }
    HWND LAccessed() const { return lAccessed_; }
    HWND BOK() const { return bOK_; }
    HWND BCancel() const { return bCancel_; }
    HWND PageControl() const { return pages_; }
    const TFullTextTips& Tips() const { return *tips_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    // One caption and its value label on a row of the page; returns the value label.
    HWND AddRow(const wchar_t* caption, int id, int top);
    void AddRule(int top);

    void BOKClick();
    void BCancelClick();

    HWND pages_ = nullptr;
    HWND lName_ = nullptr;
    HWND lLocation_ = nullptr;
    HWND lSize_ = nullptr;
    HWND lAttributes_ = nullptr;
    HWND lDeleted_ = nullptr;
    HWND lDeletedBy_ = nullptr;
    HWND lOwner_ = nullptr;
    HWND lCreated_ = nullptr;
    HWND lAccessed_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    // How much wider than designed the dialog is, at 96 DPI, for the locale's longest date.
    int widening_;
    std::unique_ptr<TFullTextTips> tips_;
};
