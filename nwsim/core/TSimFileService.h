// The file side of the simulated servers: NetWare paths, temporary directory handles, and the salvage of
// deleted files (scan, recover, purge) over the volumes' folders and salvage stores.
#pragma once

#include "TSalvageStore.h"
#include "TSimWorld.h"
#include "TVolumePath.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace nwsim
{

struct TSimConnection;

// Temporary directory handles per connection: 1 to 255, as a server's handle table holds.
constexpr uint32_t kMaxDirectoryHandles = 255;
// The iteration value that starts a scan of deleted entries.
constexpr uint32_t kScanStart = 0xFFFFFFFF;

// One deleted entry as a scan returns it.
struct TScannedEntry
{
    TDeletedFile file;
    uint32_t sequence = 0;
    uint32_t volume = 0;
    uint32_t dirBase = 0; // the directory base of the entry's folder
};

class TSimFileService
{
public:
    // A drive-letter path to its server, volume and folder, or a "VOLUME:path" on the given connection's
    // server. Returns a completion code.
    uint32_t ParsePath(const TSimWorld& world, const TSimConnection* connection, const std::string& path,
                       TVolumePath& parsed) const;

    // Allocates a handle for a folder given as "VOLUME:path" (base 0) or relative to a base handle.
    uint32_t AllocateHandle(const TSimWorld& world, const TSimConnection& connection, uint8_t baseHandle,
                            const std::string& path, uint8_t& newHandle);
    uint32_t ReleaseHandle(uint32_t connection, uint8_t handle);
    uint32_t HandlesInUse() const { return static_cast<uint32_t>(handles_.size()); }

    // The next deleted entry of the handle's folder after the sequence. A scan starts from 0xFFFFFFFF and
    // goes on from the value its last call returned; any other value is answered with 0x89FF, as NetWare
    // answers an iteration it never gave out. A repeat gives the entry the sequence stands at (the first one
    // at the start) and keeps the sequence as it is.
    uint32_t ScanNext(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                      uint32_t sequence, TScannedEntry& entry, bool repeat = false);
    // Brings the entry back into its folder under the new name.
    uint32_t Recover(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                     uint32_t sequence, uint32_t volume, uint32_t dirBase, const std::string& deletedName,
                     const std::string& newName);
    // Erases the entry for good.
    uint32_t Purge(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                   uint32_t sequence, uint32_t volume, uint32_t dirBase, const std::string& name);
    // Erases every deleted file that the connection's user deleted on its server.
    uint32_t PurgeErased(const TSimWorld& world, const TSimConnection& connection);

private:
    struct THandle
    {
        std::string server;
        std::string volume;
        std::string folder;                 // volume-relative, '/'-separated, as on disk
        uint32_t scanSequence = kScanStart; // what the last scan call on the handle returned
    };

    struct TCachedStore
    {
        std::unique_ptr<TSalvageStore> store;
        TStoreStamp stamp;
    };

    const THandle* FindHandle(uint32_t connection, uint8_t handle) const;
    THandle* FindHandle(uint32_t connection, uint8_t handle);
    // The volume's store, read again only when its file changed since it was last read or written; nullptr
    // when it cannot be read (it is never taken for empty, so that a save cannot overwrite it).
    TSalvageStore* Store(const TSimWorld& world, const std::string& server, const std::string& volume);
    // Writes the volume's store; false when it cannot be written, and the cached copy is dropped.
    bool SaveStore(const TSimWorld& world, const std::string& server, const std::string& volume);
    // Makes the deleted folder live again under the name, empty of live files and with its deleted entries
    // inside it.
    uint32_t RecoverFolder(const TSimWorld& world, const THandle& folder, const TDeletedFile& file,
                           const std::string& newName);
    // Checks a recover or purge request and finds its entry.
    uint32_t FindRequested(const TSimWorld& world, const TSimConnection& connection, uint8_t handle,
                           uint32_t sequence, uint32_t volume, uint32_t dirBase, const std::string& name,
                           TDeletedFile& found, const THandle*& folder);

    std::map<std::pair<uint32_t, uint8_t>, THandle> handles_;
    std::map<std::filesystem::path, TCachedStore> stores_;
};

// The directory base of a folder: a stable number for its name on the volume.
uint32_t FolderNumber(const std::string& folder);

} // namespace nwsim
