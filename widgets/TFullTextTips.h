// Tool tips that show the whole text of labels that end it in an ellipsis because it is wider than they are.
#pragma once

#include <windows.h>

#include <string>

class TFullTextTips
{
public:
    explicit TFullTextTips(HWND owner);
    ~TFullTextTips();

    TFullTextTips(const TFullTextTips&) = delete;
    TFullTextTips& operator=(const TFullTextTips&) = delete;

    // Sets the label's text; while it does not fit the label, pointing at the label shows it whole.
    void SetText(HWND label, const std::wstring& text);
    // The whole text the label's tip shows; empty while the text fits.
    std::wstring TipText(HWND label) const;
    HWND Handle() const { return tips_; }

private:
    HWND owner_;
    HWND tips_;
};

// The width in pixels of one line of text in the control's font.
int TextWidthIn(HWND control, const std::wstring& text);
// True when the single-line text does not fit the control's client width in the control's font.
bool TextCutShort(HWND control, const std::wstring& text);
