// The small window that names the file that recover or purge works on.
#pragma once

#include "TActionAnimation.h"
#include "TForm.h"

#include <memory>
#include <string>

class TFActionMessage : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"Retroving";
    static constexpr int kClientWidth = 375;
    static constexpr int kClientHeight = 108;

    explicit TFActionMessage(HWND owner);
    ~TFActionMessage() override;

    // Empties the message and shows the window, not modally; painted at once, because the loops that use it
    // do not let messages run between files.
    void ShowActionMessage();
    // Sets the message and repaints the window before returning; in a tree, see ShowTreeProgress.
    void SetActionMessage(const std::wstring& message);
    void HideActionMessage();
    // While a deleted folder's contents come back: shows the count of entries done and a Cancel button that
    // has the keyboard (the window grows to hold them the first time), lets the window's own messages and
    // every window's painting run, and tells whether Cancel was pressed since the window was shown. The
    // entries of a tree come faster than anyone reads: the texts go to the window and its messages run a few
    // times a second, and Cancel is seen within that time.
    bool ShowTreeProgress(size_t done);
    // Puts the latest message and count of a tree in the window now, as before a question about an entry.
    void ShowLatest();

    TActionAnimation& Animate1() { return *animate1_; }
    HWND LActionMessage() const { return lActionMessage_; }
    HWND LCount() const { return lCount_; }
    HWND BCancel() const { return bCancel_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr int kTreeClientHeight = 142;

    void RepaintNow();
    void SetClientHeight(int designed);
    void PumpOwnMessages();

    std::unique_ptr<TActionAnimation> animate1_;
    HWND lActionMessage_ = nullptr;
    HWND lCount_ = nullptr;
    HWND bCancel_ = nullptr;
    bool treeShown_ = false;
    bool cancelled_ = false;
    ULONGLONG lastShown_ = 0;
    std::wstring latestMessage_;
    size_t latestDone_ = 0;
};
