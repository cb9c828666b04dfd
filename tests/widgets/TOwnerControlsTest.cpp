// The connection component's change notifications reach a real form's controls, in order and synchronously.
#include "TOwnerControls.h"
#include "TGuiTest.h"
#include "TNWBase.h"
#include "TWorldTest.h"

#include <commctrl.h>
#include <utility>
#include <vector>

namespace
{

using TReceived = std::vector<std::pair<int, UINT>>;

// Records the component's notifications that reach a control, with the control's ID.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR received)
{
    if (message == nw::kNWServerChangedMessage || message == nw::kNWUserChangedMessage)
        reinterpret_cast<TReceived*>(received)->push_back({GetDlgCtrlID(window), message});
    return DefSubclassProc(window, message, wParam, lParam);
}

// A form with a list view, an edit field and a button, each recording what it receives.
class TOwnerForm
{
public:
    TOwnerForm()
    {
        form_ = CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP, 0, 0, 300, 200, TestOwnerWindow(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        const wchar_t* classes[] = {WC_LISTVIEWW, L"EDIT", L"BUTTON"};
        for (int id = 1; id <= 3; ++id)
        {
            HWND control = CreateWindowExW(0, classes[id - 1], L"", WS_CHILD | WS_VISIBLE, 0, id * 30, 100,
                                           25, form_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                           GetModuleHandleW(nullptr), nullptr);
            SetWindowSubclass(control, RecordingProc, 1, reinterpret_cast<DWORD_PTR>(&received));
            controls.Add(control);
        }
    }
    ~TOwnerForm() { DestroyWindow(form_); }

    TOwnerControls controls;
    TReceived received;

private:
    HWND form_ = nullptr;
};

} // namespace

class TOwnerControlsTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        NWSimReset();
        world_.CreatePlain();
        ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    }

    TTestWorld world_;
};

TEST_F(TOwnerControlsTest, ALoginChangeReachesEveryControlInOrderBeforeTheWriteReturns)
{
    TOwnerForm form;
    nw::TNWBase base(&form.controls);
    form.received.clear();
    base.SetLoginID("bob");
    EXPECT_EQ(form.received, (TReceived{{1, 0xB842}, {2, 0xB842}, {3, 0xB842}}));
}

TEST_F(TOwnerControlsTest, AServerOrContextChangeSendsTheServerMessage)
{
    TOwnerForm form;
    nw::TNWBase base(&form.controls);
    form.received.clear();
    base.SetNDSContextName("O=TARVEX");
    base.SetServerName("OLDSRV");
    EXPECT_EQ(form.received,
              (TReceived{{1, 0xB841}, {2, 0xB841}, {3, 0xB841}, {1, 0xB841}, {2, 0xB841}, {3, 0xB841}}));
}
