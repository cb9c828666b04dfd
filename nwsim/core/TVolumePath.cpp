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

std::optional<std::filesystem::path> FindOnDisk(const std::filesystem::path& root, const std::string& path)
{
    std::filesystem::path current = root;
    std::error_code error;
    for (const std::string& part : SplitPath(path))
    {
        if (part == "..")
            return std::nullopt;
        const std::string wanted = UpperName(part);
        std::optional<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(current, error))
            if (UpperName(Utf8FromPath(entry.path().filename())) == wanted)
            {
                found = entry.path();
                break;
            }
        if (!found)
            return std::nullopt;
        current = *found;
    }
    if (!std::filesystem::exists(current, error))
        return std::nullopt;
    return current;
}

} // namespace nwsim
