// Tests that start with the connection component created on a fresh plain world.
#pragma once

#include "TNWBase.h"
#include "TWorldTest.h"

#include <memory>

// The plain world's connections: TARVEX (the directory server, primary) and OLDSRV (a bindery server).
constexpr nw::NWCONN_HANDLE kTarvex = 0x00C10001;
constexpr nw::NWCONN_HANDLE kOldsrv = 0x00C10102;

class TConnectedTest : public TWorldTest
{
protected:
    void SetUp() override
    {
        TWorldTest::SetUp();
        base_ = std::make_unique<nw::TNWBase>();
        ASSERT_TRUE(base_->NetAvailable());
    }

    std::unique_ptr<nw::TNWBase> base_;
};
