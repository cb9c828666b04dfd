// Resolving drive-letter paths and finding volume entries on disk.
#include "TVolumePath.h"

#include "CodePage.h"
#include "SimFiles.h"

#include <vector>

namespace nwsim
{
namespace
{

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path + "/")
    {
        if (c == '/' || c == '\\')
        {
            if (!part.empty() && part != ".")
                parts.push_back(part);
            part.clear();
        }
        else
            part += c;
    }
    return parts;
}

std::optional<std::filesystem::path> FindListed(TFolderListings& listings,
                                                const std::filesystem::path& folder,
                                                const std::string& upperName)
{
    auto [listing, unread] = listings.try_emplace(folder);
    if (unread)
    {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            listing->second.emplace(UpperName(Utf8FromPath(entry.path().filename())), entry.path());
    }
    const auto found = listing->second.find(upperName);
    if (found == listing->second.end())
        return std::nullopt;
    return found->second;
}

} // namespace

std::optional<TVolumePath> ResolveDrivePath(const TSimWorld& world, const std::string& drivePath)
{
    if (drivePath.size() < 2 || CharacterCount(drivePath) > kMaxNetWarePath || drivePath[1] != ':')
        return std::nullopt;
    const TDriveMapping* drive = world.FindDrive(drivePath[0]);
    if (drive == nullptr)
        return std::nullopt;
    std::vector<std::string> parts = SplitPath(drive->path);
    for (const std::string& part : SplitPath(drivePath.substr(2)))
    {
        if (part == "..")
            return std::nullopt;
        parts.push_back(part);
    }
    TVolumePath result{drive->server, drive->volume, {}};
    for (const std::string& part : parts)
        result.path += (result.path.empty() ? "" : "/") + part;
    return result;
}

std::optional<std::filesystem::path> FindInFolder(const std::filesystem::path& folder,
                                                  const std::string& name)
{
    const std::string wanted = UpperName(name);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (UpperName(Utf8FromPath(entry.path().filename())) == wanted)
            return entry.path();
    return std::nullopt;
}

std::optional<std::filesystem::path> FindOnDisk(const std::filesystem::path& root, const std::string& path,
                                                TFolderListings* listings)
{
    std::filesystem::path current = root;
    std::error_code error;
    for (const std::string& part : SplitPath(path))
    {
        if (part == "..")
            return std::nullopt;
        const std::optional<std::filesystem::path> found =
            listings != nullptr ? FindListed(*listings, current, UpperName(part))
                                : FindInFolder(current, part);
        if (!found)
            return std::nullopt;
        current = *found;
    }
    if (!std::filesystem::exists(current, error))
        return std::nullopt;
    return current;
}

} // namespace nwsim
