// Shell tests run on the GUI world, whose volumes the test runner maps to drives F: (TARVEX's DATA) and G:
// (OLDSRV's VOL1), with a frame to put the controls on.
#pragma once

#include "NWSim.h"
#include "SimFiles.h"
#include "TGuiTest.h"
#include "TGuiWorld.h"
#include "TItemIdList.h"
#include "TTestWorld.h"

#include <memory>

class TShellTest : public TGuiTest
{
protected:
    void SetUp() override
    {
        TGuiTest::SetUp();
        world_ = CreateGuiWorld();
        ASSERT_NE(world_, nullptr);
        ASSERT_TRUE(world_->Load()) << NWSimWorldError();
        frame_ = CreateTestFrame(L"Shell test", 400, 500);
    }

    void TearDown() override
    {
        DestroyWindow(frame_);
        world_.reset();
        TGuiTest::TearDown();
    }

    // Makes a folder on drive F: (given below the drive root, with backslashes).
    static void MakeFolder(const std::wstring& below)
    {
        std::wstring path = L"F:\\";
        for (size_t start = 0; start <= below.size();)
        {
            const size_t end = std::min(below.find(L'\\', start), below.size());
            path += below.substr(start, end - start);
            CreateDirectoryW(path.c_str(), nullptr);
            path += L"\\";
            start = end + 1;
        }
    }

    static TItemIdList ListOf(const wchar_t* path) { return TItemIdList::FromPath(path); }

    std::unique_ptr<TTestWorld> world_;
    HWND frame_ = nullptr;
};
