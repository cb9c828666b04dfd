// The about box: the program's banner and its version.
#pragma once

#include "TForm.h"
#include "TUniqueHandle.h"

class TFAbout : public TForm
{
public:
    static constexpr const wchar_t* kCaption = L"About";
    static constexpr int kClientWidth = 397;
    static constexpr int kClientHeight = 233;
    static constexpr COLORREF kBuildColour = RGB(255, 0, 0);
    // The version panel's control ID, by which another process can read it.
    static constexpr int kPBuildId = 102;

    explicit TFAbout(HWND owner);
    ~TFAbout() override;

    HWND Image1() const { return image1_; }
    HWND Image2() const { return image2_; }
    HWND BOk() const { return bOk_; }
    HWND PBuild() const { return pBuild_; }

protected:
    std::optional<LRESULT> HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DpiChanged(TDpi from) override;

private:
    void CreateControls();
    LRESULT OnControlColour(HDC dc, HWND control);

    // Every time the box is shown: the version of the running executable.
    void FormShow();
    void BOkClick();

    TBrush background_;
    TBitmap banner_;
    TBitmap icon_;
    HWND image1_ = nullptr;
    HWND image2_ = nullptr;
    HWND bOk_ = nullptr;
    HWND pBuild_ = nullptr;
};
