// The animations of the program's busy windows: a clip of the shell's where the system has it, else a drawn
// one of our own. The action message window shows a file being copied (our own: a sheet flying from one
// folder to another), the Find window a search (our own: a magnifying glass circling over a sheet).
#pragma once

#include <windows.h>

enum class TAnimationClip
{
    acFileCopy,
    acFindFile,
};

class TActionAnimation
{
public:
    // The shell's clips of a file being copied and of a search for files.
    static constexpr int kShellFileCopyClip = 161;
    static constexpr int kShellFindFileClip = 150;
    static constexpr int kFrameCount = 12;
    static constexpr UINT kFrameMilliseconds = 80;

    TActionAnimation(HWND parent, int id, const RECT& bounds,
                     TAnimationClip clip = TAnimationClip::acFileCopy);
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
    void PaintFileCopy(HDC dc, const RECT& client) const;
    void PaintFindFile(HDC dc, const RECT& client) const;

    TAnimationClip clip_;
    HWND window_ = nullptr;
    bool shellClip_ = false;
    bool playing_ = false;
    int frame_ = 0;
};
