// The world of the GUI tests: the folder whose volumes the test runner maps to drives F: (TARVEX's DATA) and
// G: (OLDSRV's VOL1), made fresh as the plain world.
#pragma once

#include "SimFiles.h"
#include "TTestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

// A fresh plain world in the mapped folder; nothing (and a failure) when the runner named none.
inline std::unique_ptr<TTestWorld> CreateGuiWorld()
{
    const char* folder = std::getenv("RETROVE_GUI_WORLD");
    if (folder == nullptr)
    {
        ADD_FAILURE() << "the test runner maps F: and G: to the world named by RETROVE_GUI_WORLD";
        return nullptr;
    }
    auto world = std::make_unique<TTestWorld>(nwsim::PathFromUtf8(folder));
    world->CreatePlain();
    return world;
}
