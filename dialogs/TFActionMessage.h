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
    // Sets the message and repaints the window before returning.
    void SetActionMessage(const std::wstring& message);
    void HideActionMessage();

    TActionAnimation& Animate1() { return *animate1_; }
    HWND LActionMessage() const { return lActionMessage_; }

private:
    void RepaintNow();

    std::unique_ptr<TActionAnimation> animate1_;
    HWND lActionMessage_ = nullptr;
};
