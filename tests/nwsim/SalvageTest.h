// Deleted files on the simulated servers, through the exported functions: the world behind F: with the
// volume's files and its salvage store at hand.
#pragma once

#include "NWSim.h"
#include "SimFiles.h"
#include "TSalvageClient.h"
#include "TSalvageStore.h"
#include "TWorldTest.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>

using nwsim::TDeletedFile;
using nwsim::TSimTime;

class SalvageTest : public TWorldTest
{
protected:
    std::filesystem::path Files() const { return world_.FilesFolder("TARVEX", "DATA"); }

    nwsim::TSalvageStore Store() const
    {
        nwsim::TSalvageStore store(world_.SalvageFolder("TARVEX", "DATA"));
        store.Load();
        return store;
    }

    uint32_t AddDeleted(const std::string& folder, const std::string& name, const std::string& content,
                        TDeletedFile entry = {})
    {
        return world_.AddDeleted("TARVEX", "DATA", folder, name, content, entry);
    }

    static std::string ReadFile(const std::filesystem::path& path)
    {
        return nwsim::ReadWholeFile(path).value_or("<missing>");
    }
};
