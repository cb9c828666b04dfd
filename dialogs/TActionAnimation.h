// The animation of the action message window: the shell's file-copy clip where the system has it, else a
// drawn one of our own of a sheet flying from one folder to another.
#pragma once

#include <windows.h>

class TActionAnimation
{
public:
    // The shell's clip of a file being copied.
    static constexpr int kShellFileCopyClip = 161;
    static constexpr int kFrameCount = 12;
    static constexpr UINT kFrameMilliseconds = 80;

    TActionAnimation(HWND parent, int id, const RECT& bounds);
    ~TActionAnimation();

    TActionAnimation(const TActionAnimation&) = delete;
    TActionAnimation& operator=(const TActionAnimation&) = delete;

    HWND Handle() const { return window_; }
    // Whether the shell's clip plays; otherwise ours does.
    bool ShellClip() const { return shellClip_; }
    bool Playing() const { return playing_; }
    // The frame our own animation shows.
    int Frame() const { return frame_; }

    void Play();
    void Stop();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool OpenShellClip();
    void CreateOwnAnimation(HWND parent, int id, const RECT& bounds);
    void NextFrame();
    void Paint(HDC dc) const;

    HWND window_ = nullptr;
    bool shellClip_ = false;
    bool playing_ = false;
    int frame_ = 0;
};
