// NetWare paths, directory handles and the salvage of deleted files.
#include "TSimFileService.h"

#include "CodePage.h"
#include "CrashPoint.h"
#include "SimCodes.h"
#include "SimFiles.h"
#include "TSimNetwork.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <system_error>

namespace nwsim
{
namespace
{

// A name the server accepts for a file: not empty, no separators or wildcards, at most 255 characters.
bool IsValidFileName(const std::string& name)
{
    return !name.empty() && CharacterCount(name) <= kMaxNetWarePath &&
           name.find_first_of("\\/:*?\"<>|") == std::string::npos && name != "." && name != "..";
}

std::string JoinFolder(const std::string& folder, const std::string& below)
{
    const std::string key = FolderKey(below);
    if (folder.empty())
        return key;
    return key.empty() ? folder : folder + "/" + key;
}

// The '/'-separated path of a folder below a volume root, empty for the root itself.
std::string RelativeFolder(const std::filesystem::path& root, const std::filesystem::path& folder)
{
    const std::u8string relative = folder.lexically_relative(root).generic_u8string();
    if (relative == u8".")
        return {};
    return std::string(relative.begin(), relative.end());
}

void SetUpdateTime(const std::filesystem::path& file, const TSimTime& time)
{
    if (time.IsNever())
        return;
    std::tm local{};
    local.tm_year = time.year - 1900;
    local.tm_mon = time.month - 1;
    local.tm_mday = time.day;
    local.tm_hour = time.hour;
    local.tm_min = time.minute;
    local.tm_sec = time.second;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    if (when == -1)
        return;
    const auto system = std::chrono::system_clock::from_time_t(when);
    std::error_code ignored;
    std::filesystem::last_write_time(file, std::chrono::file_clock::from_sys(system), ignored);
}

} // namespace

uint32_t FolderNumber(const std::string& folder)
{
    // FNV-1a over the folder's name as NetWare compares it; the root is number 1.
    const std::string key = FolderKey(folder);
    if (key.empty())
        return 1;
    uint32_t hash = 2166136261u;
    for (const unsigned char c : key)
        hash = (hash ^ c) * 16777619u;
    return hash | 0x80000000u;
}

uint32_t TSimFileService::ParsePath(const TSimWorld& world, const TSimConnection* connection,
                                    const std::string& path, TVolumePath& parsed) const
{
    if (CharacterCount(path) > kMaxNetWarePath)
        return kInvalidPath;
    if (path.size() >= 2 && path[1] == ':')
    {
        const std::optional<TVolumePath> resolved = ResolveDrivePath(world, path);
        if (!resolved)
            return kInvalidPath;
        parsed = *resolved;
        return 0;
    }
    // "VOLUME:path" on the given connection's server.
    const size_t colon = path.find(':');
    if (connection == nullptr || colon == std::string::npos || colon == 0)
        return kInvalidPath;
    const TSimServer* server = world.FindServer(connection->server);
    if (server == nullptr || server->FindVolume(path.substr(0, colon)) == nullptr)
        return kVolumeDoesNotExist;
    parsed = TVolumePath{server->name, UpperName(path.substr(0, colon)), FolderKey(path.substr(colon + 1))};
    if (parsed.path.find("..") != std::string::npos)
        return kInvalidPath;
    return 0;
}

uint32_t TSimFileService::AllocateHandle(const TSimWorld& world, const TSimConnection& connection,
                                         uint8_t baseHandle, const std::string& path, uint8_t& newHandle)
{
    THandle folder;
    if (baseHandle == 0)
    {
        TVolumePath parsed;
        if (const uint32_t code = ParsePath(world, &connection, path, parsed))
            return code;
        if (parsed.server != connection.server)
            return kInvalidPath;
        folder = THandle{parsed.server, parsed.volume, parsed.path};
    }
    else
    {
        const THandle* base = FindHandle(connection.handle, baseHandle);
        if (base == nullptr)
            return kBadDirectoryHandle;
        if (CharacterCount(path) > kMaxNetWarePath || path.find(':') != std::string::npos)
            return kInvalidPath;
        folder = THandle{base->server, base->volume, JoinFolder(base->folder, path)};
    }

    const std::filesystem::path root = world.FilesFolder(folder.server, folder.volume);
    const std::optional<std::filesystem::path> onDisk = FindOnDisk(root, folder.folder);
    std::error_code error;
    if (!onDisk || !std::filesystem::is_directory(*onDisk, error))
        return kInvalidPath;
    folder.folder = RelativeFolder(root, *onDisk);

    for (uint32_t number = 1; number <= kMaxDirectoryHandles; ++number)
    {
        const auto key = std::make_pair(connection.handle, static_cast<uint8_t>(number));
        if (handles_.count(key) == 0)
        {
            handles_[key] = folder;
            newHandle = static_cast<uint8_t>(number);
            return 0;
        }
    }
    return kNoMoreDirectoryHandles;
}

uint32_t TSimFileService::ReleaseHandle(uint32_t connection, uint8_t handle)
{
    return handles_.erase({connection, handle}) != 0 ? 0 : kBadDirectoryHandle;
}

const TSimFileService::THandle* TSimFileService::FindHandle(uint32_t connection, uint8_t handle) const
{
    const auto found = handles_.find({connection, handle});
    return found != handles_.end() ? &found->second : nullptr;
}

TSimFileService::THandle* TSimFileService::FindHandle(uint32_t connection, uint8_t handle)
{
    const auto found = handles_.find({connection, handle});
    return found != handles_.end() ? &found->second : nullptr;
}

TSalvageStore* TSimFileService::Store(const TSimWorld& world, const std::string& server,
                                      const std::string& volume)
{
    const std::filesystem::path folder = world.SalvageFolder(server, volume);
    const TStoreStamp stamp = StampOf(folder);
    TCachedStore& cached = stores_[folder];
    if (!cached.store || !(cached.stamp == stamp))
    {
        try
        {
            auto store = std::make_unique<TSalvageStore>(folder);
            store->Load();
            cached.store = std::move(store);
        }
        catch (const std::exception& failure)
        {
            ReportProblem(failure.what());
            stores_.erase(folder);
            return nullptr;
        }
        cached.stamp = stamp;
    }
    return cached.store.get();
}

bool TSimFileService::SaveStore(const TSimWorld& world, const std::string& server, const std::string& volume)
{
    const std::filesystem::path folder = world.SalvageFolder(server, volume);
    TCachedStore& cached = stores_[folder];
    try
    {
        cached.store->Save();
    }
    catch (const std::exception& failure)
    {
        ReportProblem(failure.what());
        stores_.erase(folder);
        return false;
    }
    cached.stamp = StampOf(folder);
    return true;
}

uint32_t TSimFileService::ScanNext(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                                   uint32_t sequence, TScannedEntry& entry, bool repeat)
{
    THandle* folder = FindHandle(connection.handle, handle);
    if (folder == nullptr)
        return kBadDirectoryHandle;
    const bool start = sequence == kScanStart;
    if (!start && sequence != folder->scanSequence)
        return kFailure;
    const TSimServer* server = world.FindServer(folder->server);
    const TSimVolume* volume = server != nullptr ? server->FindVolume(folder->volume) : nullptr;
    if (volume == nullptr)
        return kVolumeDoesNotExist;
    const TSalvageStore* store = Store(world, folder->server, folder->volume);
    // A store that cannot be read is a failing server, not a folder without deleted files.
    if (store == nullptr)
        return kDirectoryIoError;
    // The store keeps entries in the order of their IDs, which serve as the scan's iteration values.
    const TDeletedFile* file = store->FirstInFolderFrom(folder->folder, start    ? 0
                                                                        : repeat ? sequence
                                                                                 : sequence + 1);
    if (file == nullptr || (repeat && !start && file->id != sequence))
        return kFailure;
    entry = TScannedEntry{*file, repeat ? sequence : file->id, volume->number, FolderNumber(folder->folder)};
    folder->scanSequence = entry.sequence;
    return 0;
}

uint32_t TSimFileService::FindRequested(const TSimWorld& world, const TSimConnection& connection,
                                        uint8_t handle, uint32_t sequence, uint32_t volume, uint32_t dirBase,
                                        const std::string& name, TDeletedFile& found, const THandle*& folder)
{
    folder = FindHandle(connection.handle, handle);
    if (folder == nullptr)
        return kBadDirectoryHandle;
    const TSimServer* server = world.FindServer(folder->server);
    const TSimVolume* handleVolume = server != nullptr ? server->FindVolume(folder->volume) : nullptr;
    if (handleVolume == nullptr || handleVolume->number != volume)
        return kVolumeDoesNotExist;
    if (dirBase != FolderNumber(folder->folder))
        return kInvalidPath;
    const TSalvageStore* store = Store(world, folder->server, folder->volume);
    if (store == nullptr)
        return kFailure;
    const TDeletedFile* file = store->Find(sequence);
    if (file == nullptr || FolderKey(file->folder) != FolderKey(folder->folder) ||
        UpperName(file->name) != UpperName(name))
        return kFailure;
    found = *file;
    return 0;
}

uint32_t TSimFileService::Recover(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                                  uint32_t sequence, uint32_t volume, uint32_t dirBase,
                                  const std::string& deletedName, const std::string& newName)
{
    TDeletedFile file;
    const THandle* folder = nullptr;
    if (const uint32_t code =
            FindRequested(world, connection, handle, sequence, volume, dirBase, deletedName, file, folder))
        return code;
    if (!connection.login)
        return kNoCreatePrivileges;
    if (!IsValidFileName(newName))
        return kInvalidFileName;
    if (file.IsFolder())
        return RecoverFolder(world, *folder, file, newName);

    const std::filesystem::path root = world.FilesFolder(folder->server, folder->volume);
    const std::filesystem::path target = root / PathFromUtf8(folder->folder);
    std::error_code error;
    if (FindInFolder(target, newName))
        return kNameExists;
    TSalvageStore& store = *Store(world, folder->server, folder->volume);
    const std::optional<std::string> content = store.Content(file);
    if (!content)
        return kFailure;

    // The file comes back under a temporary name and is renamed into place, so that its name never shows a
    // partial file; until the store is saved, the entry stays in salvage too, and nothing can be lost.
    const std::filesystem::path restored = target / PathFromUtf8(newName);
    std::filesystem::path temporary = target / PathFromUtf8(".~" + std::to_string(file.id) + ".recovering");
    if (!WriteFileAtomically(temporary, *content))
        return kNoCreatePrivileges;
    std::filesystem::rename(temporary, restored, error);
    if (error)
    {
        std::filesystem::remove(temporary, error);
        return kNoCreatePrivileges;
    }
    SetUpdateTime(restored, file.updated);
    if ((file.attributes & 0x01) != 0)
        std::filesystem::permissions(restored,
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove, error);
    CrashPoint("recover-restored");

    store.Remove(file.id);
    if (!SaveStore(world, folder->server, folder->volume))
        return kFailure;
    CrashPoint("recover-saved");
    std::filesystem::remove(store.DataFile(file.id), error);
    return 0;
}

uint32_t TSimFileService::Purge(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                                uint32_t sequence, uint32_t volume, uint32_t dirBase, const std::string& name)
{
    TDeletedFile file;
    const THandle* folder = nullptr;
    if (const uint32_t code =
            FindRequested(world, connection, handle, sequence, volume, dirBase, name, file, folder))
        return code;
    if (!connection.login)
        return kNoDeletePrivileges;
    TSalvageStore& store = *Store(world, folder->server, folder->volume);
    // A deleted folder goes with everything that was deleted inside it.
    std::vector<uint32_t> purged = store.Below(file.id);
    purged.push_back(file.id);
    for (const uint32_t id : purged)
        store.Remove(id);
    if (!SaveStore(world, folder->server, folder->volume))
        return kFailure;
    CrashPoint("purge-saved");
    std::error_code error;
    for (const uint32_t id : purged)
        std::filesystem::remove(store.DataFile(id), error);
    return 0;
}

uint32_t TSimFileService::RecoverFolder(const TSimWorld& world, const THandle& folder,
                                        const TDeletedFile& file, const std::string& newName)
{
    const std::filesystem::path root = world.FilesFolder(folder.server, folder.volume);
    const std::filesystem::path parent = root / PathFromUtf8(folder.folder);
    // A live file or folder of the name stands in the way, as it does for a file.
    if (FindInFolder(parent, newName))
        return kNameExists;
    const std::filesystem::path made = parent / PathFromUtf8(newName);
    std::error_code error;
    if (!std::filesystem::create_directory(made, error) || error)
        return kNoCreatePrivileges;
    TSalvageStore& store = *Store(world, folder.server, folder.volume);
    store.RecoverFolder(file.id, folder.folder.empty() ? newName : folder.folder + "/" + newName);
    if (!SaveStore(world, folder.server, folder.volume))
    {
        // The store on disk still holds the folder as deleted: the empty folder made for it goes again.
        std::filesystem::remove(made, error);
        return kFailure;
    }
    return 0;
}

uint32_t TSimFileService::PurgeErased(const TSimWorld& world, const TSimConnection& connection)
{
    const TSimServer* server = world.FindServer(connection.server);
    if (server == nullptr)
        return kInvalidConnection;
    if (!connection.login)
        return kNoDeletePrivileges;
    for (const TSimVolume& volume : server->volumes)
    {
        TSalvageStore* stored = Store(world, server->name, volume.name);
        if (stored == nullptr)
            return kFailure;
        TSalvageStore& store = *stored;
        std::vector<uint32_t> erased;
        for (const TDeletedFile& file : store.Entries())
            if (file.deletor == connection.login->id)
                erased.push_back(file.id);
        // What lies inside an erased folder goes with it, whoever deleted it.
        const size_t erasedEntries = erased.size();
        for (size_t i = 0; i < erasedEntries; ++i)
            if (store.Find(erased[i])->IsFolder())
                for (const uint32_t below : store.Below(erased[i]))
                    erased.push_back(below);
        std::sort(erased.begin(), erased.end());
        erased.erase(std::unique(erased.begin(), erased.end()), erased.end());
        if (erased.empty())
            continue;
        for (const uint32_t id : erased)
            store.Remove(id);
        if (!SaveStore(world, server->name, volume.name))
            return kFailure;
        std::error_code error;
        for (const uint32_t id : erased)
            std::filesystem::remove(store.DataFile(id), error);
    }
    return 0;
}

} // namespace nwsim
