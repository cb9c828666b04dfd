// A fresh simulated network for one test: a world folder of its own, loaded into the stand-in, removed after.
#pragma once

#include "TSalvageStore.h"

#include <cstdint>
#include <filesystem>
#include <string>

class TTestWorld
{
public:
    TTestWorld();
    // A world in a folder of the caller's choosing, emptied first (the GUI tests' world, behind mapped
    // drives).
    explicit TTestWorld(std::filesystem::path folder);
    ~TTestWorld();

    TTestWorld(const TTestWorld&) = delete;
    TTestWorld& operator=(const TTestWorld&) = delete;

    const std::filesystem::path& Folder() const { return folder_; }

    // Writes the plain world of "nwsim init": a directory server and a bindery server, both attached.
    void CreatePlain();
    // Writes world.json as given.
    void WriteWorldJson(const std::string& text);
    // Loads the folder into the stand-in; true when the world is sound.
    bool Load();
    // Replaces the first occurrence of a text in world.json.
    void EditWorldJson(const std::string& from, const std::string& to);

    std::filesystem::path FilesFolder(const std::string& server, const std::string& volume) const;
    std::filesystem::path SalvageFolder(const std::string& server, const std::string& volume) const;
    // Puts a file into a volume's salvage store as if it had been deleted from the folder (which is created);
    // returns its ID. A deletion time of "never" becomes 30 November 2026, 09:15:20.
    uint32_t AddDeleted(const std::string& server, const std::string& volume, const std::string& folder,
                        const std::string& name, const std::string& content, nwsim::TDeletedFile entry = {});

private:
    std::filesystem::path folder_;
};
