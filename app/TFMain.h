// The main window of Retrove 98.
#pragma once

#include <windows.h>

class TFMain
{
public:
    TFMain() = default;
    ~TFMain();

    TFMain(const TFMain&) = delete;
    TFMain& operator=(const TFMain&) = delete;

    // Creates the window; false when Windows refuses.
    bool Create(HINSTANCE instance);
    void Show(int showCommand);
    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDestroy();

    HWND window_ = nullptr;
};
