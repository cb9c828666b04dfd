// What the stand-in's "nwsim salvage" prints, read back: the deleted entries of each folder it lists.
#pragma once

#include <string>
#include <vector>

struct TSalvageEntry
{
    // The folder as the workstation names it, ending in a backslash: F:\PROJECTS\ALPHA\.
    std::wstring folder;
    std::wstring name;
    // The deletor as the program shows it, without types: ALICE.SALES.TARVEX.
    std::wstring deletedBy;
};

// A directory name as the program shows it, typeless: CN=ALICE.OU=SALES.O=TARVEX is ALICE.SALES.TARVEX.
std::wstring Typeless(const std::string& name);

// The entries of every folder in the tool's output, in its order.
std::vector<TSalvageEntry> ParseSalvage(const std::string& printed);
