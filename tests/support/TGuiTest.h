// The base of GUI tests: windows go under a hidden owner, and every modal box must be expected by the script.
#pragma once

#include "TTestModals.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The hidden top-level window that owns the windows a test creates.
HWND TestOwnerWindow();

// A shown top-level frame under the hidden owner, to put controls on.
HWND CreateTestFrame(const wchar_t* title, int width, int height);

// Handles the messages already queued for this thread.
void PumpMessages();

// The pixels of a window's client area as the screen shows them once its pending paints are done; with
// repaintFirst, after the whole window was painted anew. Equal captures mean no paint left stale pixels.
std::vector<uint32_t> ScreenPixels(HWND window, bool repaintFirst = false);

// The access keys that more than one control or menu title of a window claims (its pages' controls too), each
// as "K: text, text"; none when every key leads to one place.
std::vector<std::string> AccessKeyClashes(HWND window);

class TGuiTest : public testing::Test
{
protected:
    void SetUp() override { Modals().Clear(); }
    void TearDown() override
    {
        EXPECT_TRUE(Modals().AllAnswered()) << "modal boxes or dialogs never shown: " << Modals().Pending();
        Modals().Clear();
    }

    static TTestModals& Modals() { return TTestModals::Instance(); }
};
