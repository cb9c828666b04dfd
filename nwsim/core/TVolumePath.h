// A path on a volume of the simulated network, and how a drive-letter path of the workstation leads to one.
#pragma once

#include "TSimWorld.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

namespace nwsim
{

struct TVolumePath
{
    std::string server;
    std::string volume;
    std::string path; // below the volume root, '/'-separated, without outer slashes; empty for the root
};

// The longest path a NetWare path buffer holds.
constexpr size_t kMaxNetWarePath = 255;

// Resolves "F:\DATA\X" or "f:/data/x" through the workstation's drive mappings. Fails for an unmapped or
// local drive, a path longer than 255 characters, and a path that climbs above the volume root.
std::optional<TVolumePath> ResolveDrivePath(const TSimWorld& world, const std::string& drivePath);

// The entry of a folder whose name matches without regard to case, or nothing.
std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder,
                                                  const std::string& name);

// The entries of folders already read, by their names in upper case: paths of one folder then read it once.
using TFolderListings =
    std::map<std::filesystem::path, std::unordered_map<std::string, std::filesystem::path>>;

// The entry on disk below root that matches a '/'-separated path without regard to case, or nothing. With
// listings, each folder on the way is read only the first time.
std::optional<std::filesystem::path> FindOnDisk(const std::filesystem::path& root, const std::string& path,
                                                TFolderListings* listings = nullptr);

} // namespace nwsim
