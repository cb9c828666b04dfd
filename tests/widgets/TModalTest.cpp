// The modal seam: message boxes and dialogs reach the test's script, and a box nobody expected fails the test
// with its text instead of waiting.
#include "TModal.h"
#include "TGuiTest.h"
#include "TModalWindow.h"

#include <gtest/gtest-spi.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <atomic>
#include <thread>

class TModalTest : public TGuiTest
{
};

TEST_F(TModalTest, AnExpectedMessageBoxIsAnsweredFromTheScript)
{
    Modals().ExpectMessageBox(L"Purge", IDYES);
    Modals().ExpectMessageBox(L"Unable to Retrove", IDOK);
    EXPECT_EQ(TModal::ShowMessage(TestOwnerWindow(), L"Purge 3 file(s)?", L"Retrove 98", MB_YESNO), IDYES);
    EXPECT_EQ(TModal::ShowMessage(nullptr, L"Unable to Retrove REPORT.TXT", L"Retrove 98", MB_OK), IDOK);
    EXPECT_TRUE(Modals().AllAnswered());
    ASSERT_EQ(Modals().Shown().size(), 2u);
    EXPECT_EQ(Modals().Shown()[0], L"Purge 3 file(s)?");
}

TEST_F(TModalTest, AnUnexpectedMessageBoxFailsWithItsText)
{
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = TModal::ShowMessage(nullptr, L"Surprise box", L"Retrove 98", MB_YESNO),
                            "Surprise box");
    EXPECT_EQ(answer, IDNO) << "the safest button";
}

TEST_F(TModalTest, AMessageBoxWithOtherTextThanExpectedFails)
{
    Modals().ExpectMessageBox(L"Purge", IDYES);
    EXPECT_NONFATAL_FAILURE(TModal::ShowMessage(nullptr, L"Retrove 2 file(s)?", L"Retrove 98", MB_OKCANCEL),
                            "Retrove 2 file(s)?");
    EXPECT_FALSE(Modals().AllAnswered());
    Modals().Clear();
}

TEST_F(TModalTest, ADialogIsDrivenByTheScriptInsteadOfItsModalLoop)
{
    HWND dialog = CreateWindowExW(0, L"STATIC", L"Rename", WS_POPUP, 0, 0, 200, 100, TestOwnerWindow(),
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    bool realLoopRan = false;
    Modals().ExpectDialog(L"Rename", [](HWND window) {
        SetWindowTextW(window, L"NEWNAME.TXT");
        return static_cast<INT_PTR>(IDOK);
    });
    const INT_PTR result = TModal::Dialog({dialog, L"Rename", [&] {
                                               realLoopRan = true;
                                               return static_cast<INT_PTR>(IDCANCEL);
                                           }});
    EXPECT_EQ(result, IDOK);
    EXPECT_FALSE(realLoopRan);
    wchar_t text[32] = {};
    GetWindowTextW(dialog, text, 32);
    EXPECT_STREQ(text, L"NEWNAME.TXT");
    DestroyWindow(dialog);
}

TEST_F(TModalTest, AnUnexpectedDialogFailsWithItsCaptionAndIsCancelled)
{
    INT_PTR result = 0;
    EXPECT_NONFATAL_FAILURE(result = TModal::Dialog({nullptr, L"Filter", nullptr}), "Filter");
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(TModalTest, WithoutAResponderADialogRunsItsOwnModalLoop)
{
    IModalResponder* previous = TModal::SetResponder(nullptr);
    const INT_PTR result = TModal::Dialog({nullptr, L"About", [] { return static_cast<INT_PTR>(IDOK); }});
    TModal::SetResponder(previous);
    EXPECT_EQ(result, IDOK);
}

namespace
{

// Takes the test's responder away for one case, so that the real boxes, menus and drags run.
class TWithoutResponder
{
public:
    TWithoutResponder() : previous_(TModal::SetResponder(nullptr)) {}
    ~TWithoutResponder() { TModal::SetResponder(previous_); }
    TWithoutResponder(const TWithoutResponder&) = delete;
    TWithoutResponder& operator=(const TWithoutResponder&) = delete;

private:
    IModalResponder* previous_;
};

HWND WaitForThreadWindow(DWORD thread, const wchar_t* windowClass, const wchar_t* title)
{
    for (int attempt = 0; attempt < 500; ++attempt)
    {
        HWND window = FindWindowW(windowClass, title);
        if (window != nullptr && GetWindowThreadProcessId(window, nullptr) == thread &&
            IsWindowVisible(window))
            return window;
        Sleep(10);
    }
    return nullptr;
}

std::atomic<bool> menuWasShown{false};

void CALLBACK EndShownMenu(HWND window, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(window, timer);
    menuWasShown = FindWindowW(L"#32768", nullptr) != nullptr;
    EndMenu();
}

// A drop source that gives the drag up at once, so that the real drag loop runs and ends without a person.
class TCancellingDropSource : public IDropSource
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (id == IID_IUnknown || id == IID_IDropSource)
        {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override
    {
        ++asked;
        return DRAGDROP_S_CANCEL;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

    int asked = 0;
};

} // namespace

TEST_F(TModalTest, WithoutAResponderTheRealMessageBoxIsShownAndAnswered)
{
    TWithoutResponder real;
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> pressed{false};
    std::thread user([&] {
        if (HWND box = WaitForThreadWindow(thread, L"#32770", L"Retrove 98 real box"))
            pressed = PostMessageW(box, WM_COMMAND, IDYES, 0) != 0;
    });
    const int answer = TModal::ShowMessage(TestOwnerWindow(), L"Permanently purge 2 file(s)?",
                                           L"Retrove 98 real box", MB_YESNO);
    user.join();
    EXPECT_TRUE(pressed) << "no message box of the system appeared";
    EXPECT_EQ(answer, IDYES);
}

TEST_F(TModalTest, WithoutAResponderTheRealPopupMenuIsTracked)
{
    TWithoutResponder real;
    HWND frame = CreateTestFrame(L"Popup owner", 200, 150);
    SetForegroundWindow(frame);
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 40, L"&Retrove");
    menuWasShown = false;
    SetTimer(frame, 1, 200, EndShownMenu);
    const UINT chosen = TModal::PopupMenu(menu, frame, POINT{60, 60});
    DestroyMenu(menu);
    DestroyWindow(frame);
    EXPECT_TRUE(menuWasShown) << "the system's menu window never appeared";
    EXPECT_EQ(chosen, 0u) << "a dismissed menu chooses nothing";
}

TEST_F(TModalTest, WithoutAResponderTheRealDragLoopRuns)
{
    TWithoutResponder real;
    // The shell's own data object of a folder, as a drag from the tree carries.
    PIDLIST_ABSOLUTE item = nullptr;
    ASSERT_HRESULT_SUCCEEDED(SHParseDisplayName(L"C:\\windows", nullptr, &item, 0, nullptr));
    Microsoft::WRL::ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    Microsoft::WRL::ComPtr<IDataObject> data;
    if (SUCCEEDED(SHBindToParent(item, IID_PPV_ARGS(&parent), &child)))
        parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr,
                              reinterpret_cast<void**>(data.GetAddressOf()));
    CoTaskMemFree(item);
    ASSERT_NE(data, nullptr);
    TCancellingDropSource source;
    DWORD effect = DROPEFFECT_COPY;
    const HRESULT result = TModal::DragDrop(data.Get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    EXPECT_EQ(result, DRAGDROP_S_CANCEL);
    EXPECT_GE(source.asked, 1) << "the system's drag loop never asked the source";
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

namespace
{

// Leaves quit messages on the stack where the next call's locals will lie, so that a loop state read before
// it is written shows.
#ifdef _MSC_VER
__declspec(noinline)
#else
__attribute__((noinline))
#endif
    void LeaveQuitMessagesOnTheStack()
{
    volatile MSG messages[16];
    for (auto& message : messages)
        message.message = WM_QUIT;
}

} // namespace

TEST_F(TModalTest, AModalLoopThatNeverRanAsksNobodyToQuit)
{
    HWND gone = CreateWindowExW(0, L"STATIC", L"Gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    DestroyWindow(gone);
    TModalWindow modal;
    LeaveQuitMessagesOnTheStack();
    EXPECT_EQ(modal.Run(gone, nullptr), IDCANCEL);
    MSG quit{};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "a quit was posted";
}
