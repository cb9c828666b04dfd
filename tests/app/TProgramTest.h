// Tests of the program as it starts: the GUI world behind drives F: and G:, a fresh registry, and the
// program's own start-up with a common-controls version of the test's choosing.
#pragma once

#include "NWSim.h"
#include "TGuiTest.h"
#include "TGuiWorld.h"
#include "TRegistrySandbox.h"
#include "TRetroveProgram.h"
#include "TTestWorld.h"

#include <commctrl.h>

#include <memory>
#include <string>

class TProgramTest : public TGuiTest
{
protected:
    static constexpr uint32_t kCurrentCommonControls = 0x00060000;

    void SetUp() override
    {
        TGuiTest::SetUp();
        world_ = CreateGuiWorld();
        ASSERT_NE(world_, nullptr);
    }

    void TearDown() override
    {
        program_.reset();
        world_.reset();
        TGuiTest::TearDown();
    }

    // Loads the world as it stands now; a test edits it first when it needs another network.
    void LoadWorld()
    {
        NWSimReset();
        ASSERT_TRUE(world_->Load()) << NWSimWorldError();
    }

    // Runs everything before the event loop.
    void Start(uint32_t commonControls = kCurrentCommonControls)
    {
        program_ = std::make_unique<TRetroveProgram>([commonControls] { return commonControls; });
        program_->Start();
    }

    TFMain& Main() { return *program_->Forms().FMain; }

    // Closes the main window the way the operator does and runs the event loop to its end.
    int CloseAndRun()
    {
        PostMessageW(Main().Handle(), WM_CLOSE, 0, 0);
        return program_->Run();
    }

    TRegistrySandbox registry_;
    std::unique_ptr<TTestWorld> world_;
    std::unique_ptr<TRetroveProgram> program_;
};

// A panel of the status bar as the main window shows it: the count, then the note beside it.
inline std::wstring StatusText(TFMain& main, int panel = 0)
{
    wchar_t text[256] = {};
    SendMessageW(main.StatusBar(), SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text));
    return text;
}

// The list's rows by their names, in their order, each followed by a semicolon.
inline std::wstring Names(const TExtListView& list)
{
    std::wstring names;
    for (size_t row = 0; row < list.Count(); ++row)
        names += list.Row(row).caption + L";";
    return names;
}
