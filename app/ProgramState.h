// What start-up works out for the whole run: the step it is at, the program's one NetWare connection
// object, and which directories the user picker offers.
#pragma once

#include "TNWBase.h"

#include <memory>
#include <string>

struct TProgramState
{
    // The start-up step in progress; it keeps its last value for the rest of the run, so that a failure
    // reported later names it.
    std::wstring StartupStage;
    std::unique_ptr<nw::TNWBase> NWBase1;
    // The user picker offers the directory tree.
    bool UseNDS = false;
    // The user picker offers bindery servers: a server the workstation is attached to is not in a tree.
    bool UseBindery = false;
};

// The process's one state; written only during start-up.
TProgramState& Program();

// The start-up steps, in their order.
inline constexpr wchar_t kStageRetroveInitialize[] = L"Retrove Initialize";
inline constexpr wchar_t kStageCreateForms[] = L"Retrove Create Forms";
inline constexpr wchar_t kStageMainInitialize[] = L"FMain Initialize";
inline constexpr wchar_t kStageNetAvailable[] = L"FMain NWBase1.NetAvailable";
