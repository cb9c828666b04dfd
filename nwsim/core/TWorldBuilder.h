// Creating world folders: the plain world of "nwsim init" and the embedded demo world.
#pragma once

#include "TSimWorld.h"

#include <filesystem>

namespace nwsim
{

// Creates folder/world.json and the volume folders: a directory (NDS) server and a bindery server, each with
// a volume mapped to a drive, and users in both directories. The demo world adds live files and a few hundred
// deleted files over several folders, users and days. Throws TWorldError when the folder already holds a
// world or cannot be written.
void CreateWorld(const std::filesystem::path& folder, bool demo);

} // namespace nwsim
