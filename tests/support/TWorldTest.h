// Tests of the client start from a fresh plain world with no faults. Each test runs in a process of its own
// (ctest runs them so), because the access layer's entry-point slots and error cells live for the whole
// process.
#pragma once

#include "NWSim.h"
#include "TTestWorld.h"

#include <gtest/gtest.h>

class TWorldTest : public testing::Test
{
protected:
    void SetUp() override
    {
        NWSimReset();
        world_.CreatePlain();
        ASSERT_TRUE(world_.Load()) << NWSimWorldError();
    }

    TTestWorld world_;
};
