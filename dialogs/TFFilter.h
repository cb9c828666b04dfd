// The filter dialog: the criteria that narrow the deleted-file lists. Its controls are the criteria in
// force; the listing reads them through Criteria.
#pragma once

#include "FilterCriteria.h"
#include "TCriteriaFields.h"
#include "TFormStorage.h"
#include "TOkCancelForm.h"
#include "TSubclass.h"

#include <commctrl.h>
#include <memory>
#include <string>

class TFBrowseDirectory;

class TFFilter : public TOkCancelForm
{
public:
    static constexpr const wchar_t* kCaption = L"Filter Specification";
    static constexpr const wchar_t* kMessage =
        L"Filter deleted files using the following wildcard specification.";
    static constexpr const wchar_t* kMessageWithKey =
        L"Filter deleted files using the following &wildcard specification.";
    static constexpr const wchar_t* kStorageRoot = L"Software";
    static constexpr const wchar_t* kStorageSection = L"Tarvex\\Retrove\\FFilter";
    static constexpr int kClientWidth = 339;
    static constexpr int kClientHeight = 353;

    explicit TFFilter(HWND owner);
    ~TFFilter() override;

    // The picker behind the Select buttons; it is created after this dialog.
    void SetUserPicker(TFBrowseDirectory* picker) { picker_ = picker; }

    // Execute shows the dialog modally with the focus in the name pattern; any way out but OK puts back the
    // criteria it was shown with.

    // The criteria in force, read from the controls; a date that cannot be read counts as today.
    TFilterCriteria Criteria() const;
    // Puts criteria into the controls.
    void SetCriteria(const TFilterCriteria& criteria);

    HWND LMsg() const { return lMsg_; }
    HWND EFilter() const { return eFilter_; }
    HWND EDeleted() const { return eDeleted_; }
    HWND BSelect_Deleted() const { return bSelectDeleted_; }
    HWND EOwner() const { return eOwner_; }
    HWND BSelect_Owner() const { return bSelectOwner_; }
    HWND DDeleted() const { return dDeleted_; }
    HWND RNone() const { return rNone_; }
    HWND RExactly() const { return rExactly_; }
    HWND RGreater() const { return rGreater_; }
    HWND RLess() const { return rLess_; }
    HWND BNew() const { return bNew_; }
    HWND BOK() const { return bOK_; }
    HWND BCancel() const { return bCancel_; }
    TFormStorage& RStorage1() { return Storage(); }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void AfterExecute() override { FormClose(); }
    HWND FirstFocus() const override { return eFilter_; }

private:
    // What the controls held when the dialog was shown.
    struct TSnapshot
    {
        std::wstring filter;
        std::wstring deleted;
        std::wstring owner;
        SYSTEMTIME date{};
        bool radios[4] = {};
    };

    void CreateControls();
    TCriteriaFields Fields() const;
    void CreateLabel(const wchar_t* text, const RECT& bounds);
    // Enter in the pattern acts as OK.
    std::optional<LRESULT> EFilterMessage(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);

    void FormShow();
    void SettingsRestored() override { FormShow(); }
    void FormClose();

    void BSelect_DeletedClick();
    void BSelect_OwnerClick();
    void BNewClick();
    void BOKClick();
    void BCancelClick();

    HWND image1_ = nullptr;
    HWND lMsg_ = nullptr;
    HWND eFilter_ = nullptr;
    HWND eDeleted_ = nullptr;
    HWND bSelectDeleted_ = nullptr;
    HWND eOwner_ = nullptr;
    HWND bSelectOwner_ = nullptr;
    HWND dDeleted_ = nullptr;
    HWND rNone_ = nullptr;
    HWND rExactly_ = nullptr;
    HWND rGreater_ = nullptr;
    HWND rLess_ = nullptr;
    HWND bNew_ = nullptr;
    HWND bOK_ = nullptr;
    HWND bCancel_ = nullptr;
    TSubclass filterSubclass_;
    TFBrowseDirectory* picker_ = nullptr;
    TSnapshot snapshot_;
};
