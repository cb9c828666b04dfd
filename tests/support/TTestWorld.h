// A fresh simulated network for one test: a world folder of its own, loaded into the stand-in, removed after.
#pragma once

#include <filesystem>
#include <string>

class TTestWorld
{
public:
    TTestWorld();
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

private:
    std::filesystem::path folder_;
};
