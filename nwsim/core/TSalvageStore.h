// A volume's salvage store: the deleted files that the server still holds, with their metadata, and their
// content in files of their own. Every change is written atomically: a small store whole, a large one as a
// batch in its journal until the journal has grown to a share of the store.
#pragma once

#include "TSimTime.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace nwsim
{

struct TDeletedFile
{
    uint32_t id = 0;    // unique within the volume; also the entry's directory base
    std::string folder; // volume-relative, '/'-separated as on disk, empty for the root
    std::string name;   // as it was on disk
    uint8_t nameSpace = 0;
    uint32_t attributes = 0x20;
    uint8_t flags = 0;
    uint32_t size = 0;
    uint16_t inheritedRights = 0x01FB;
    uint32_t owner = 0;
    uint32_t archiver = 0;
    uint32_t updater = 0;
    uint32_t deletor = 0;
    TSimTime created;
    TSimTime archived; // never archived when IsNever()
    TSimTime updated;
    TSimTime accessed; // date only
    TSimTime deleted;
    // The deleted folder entry that held this entry when that folder was deleted, 0 while its folder lives.
    // Such an entry can be reached only once the folder is recovered.
    uint32_t within = 0;

    bool IsFolder() const { return (attributes & kFolderAttribute) != 0; }
    static constexpr uint32_t kFolderAttribute = 0x10;
};

class TSalvageStore
{
public:
    explicit TSalvageStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Reads the store; a volume without one has no deleted files. Throws TWorldError when it is unreadable.
    void Load();
    // Writes the changes since the last Load or Save whole or not at all. Throws TWriteError, with the store
    // on disk as it was, on failure.
    void Save();

    // In the order of their IDs.
    const std::vector<TDeletedFile>& Entries() const { return entries_; }
    // The entries that a scan of the folder (compared without regard to case) reaches, in the order of their
    // IDs: not those inside a deleted folder.
    std::vector<const TDeletedFile*> InFolder(const std::string& folder) const;
    // The folder's first reachable entry whose ID is at least the given one, or nullptr. A scan asks this
    // once per entry, so it must not walk the whole store.
    const TDeletedFile* FirstInFolderFrom(const std::string& folder, uint32_t id) const;
    // Every entry inside the deleted folder entry, at any depth, in the order of their IDs.
    std::vector<uint32_t> Below(uint32_t folderId) const;
    // Puts the folder's reachable entries inside the deleted folder entry, as its folder goes.
    void HideInFolder(const std::string& folder, uint32_t folderId);
    // The deleted folder entry's contents become reachable in the live folder at its new path
    // (volume-relative,
    // '/'-separated), and the entry itself leaves the store; the caller has made the folder.
    void RecoverFolder(uint32_t folderId, const std::string& livePath);
    // Moves every reachable entry of the folder and of the folders below it into another folder.
    void MoveTree(const std::string& folder, const std::string& into);

    const TDeletedFile* Find(uint32_t id) const;
    // Takes the entry out of the store's list; Save writes the change and the caller removes its data file.
    void Remove(uint32_t id);

    // Adds an entry whose content is given; the entry's id is assigned here. Throws TWorldError on failure.
    // Only an entry with content has a data file.
    const TDeletedFile& Add(TDeletedFile entry, const std::string& content);

    std::filesystem::path DataFile(uint32_t id) const;
    // The content of an entry: its data file, or nothing for an empty one; nullopt when it cannot be read.
    std::optional<std::string> Content(const TDeletedFile& entry) const;

private:
    void Touch(uint32_t id) { touched_.push_back(id); }
    void SaveWhole();
    void SaveToJournal();
    void ReplayJournal();

    // The entry's position in entries_, or entries_.size() when there is none.
    size_t PositionOf(uint32_t id) const;
    // The positions in entries_ of each folder's entries, by folder key; built when first asked for after a
    // change.
    const std::vector<size_t>& FolderPositions(const std::string& folder) const;

    std::filesystem::path folder_;
    std::vector<TDeletedFile> entries_;
    uint32_t nextId_ = 0x100;
    mutable std::unordered_map<std::string, std::vector<size_t>> folderIndex_;
    mutable bool indexed_ = false;
    // The IDs of the entries added, changed or removed since the store was read or written.
    std::vector<uint32_t> touched_;
    // Which writing of the store whole the journal continues; 0 for a store that this version never wrote.
    uint64_t generation_ = 0;
    // The bytes of the journal's whole batches, nullopt while it has none of this generation.
    std::optional<uintmax_t> journalBytes_;
    size_t journalChanges_ = 0;
};

// What tells whether a store on disk changed since it was read: the times and sizes of its files.
struct TStoreStamp
{
    std::filesystem::file_time_type storeWritten;
    std::filesystem::file_time_type journalWritten;
    uintmax_t storeSize = 0;
    uintmax_t journalSize = 0;

    bool operator==(const TStoreStamp&) const = default;
};
TStoreStamp StampOf(const std::filesystem::path& salvageFolder);

// Folder texts compared as NetWare compares names: without regard to case, either slash, no outer slashes.
std::string FolderKey(const std::string& folder);

} // namespace nwsim
