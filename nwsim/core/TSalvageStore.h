// A volume's salvage store: the deleted files that the server still holds, with their metadata, and their
// content in files of their own. Every change is written atomically.
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
};

class TSalvageStore
{
public:
    explicit TSalvageStore(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Reads the store; a volume without one has no deleted files. Throws TWorldError when it is unreadable.
    void Load();
    // Writes the store whole or not at all. Throws TWriteError, with the store on disk as it was, on failure.
    void Save() const;

    // In the order of their IDs.
    const std::vector<TDeletedFile>& Entries() const { return entries_; }
    // The entries of one folder (compared without regard to case), in the order of their IDs.
    std::vector<const TDeletedFile*> InFolder(const std::string& folder) const;
    // The folder's first entry whose ID is at least the given one, or nullptr. A scan asks this once per
    // entry, so it must not walk the whole store.
    const TDeletedFile* FirstInFolderFrom(const std::string& folder, uint32_t id) const;

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
    // The positions in entries_ of each folder's entries, by folder key; built when first asked for after a
    // change.
    const std::vector<size_t>& FolderPositions(const std::string& folder) const;

    std::filesystem::path folder_;
    std::vector<TDeletedFile> entries_;
    uint32_t nextId_ = 0x100;
    mutable std::unordered_map<std::string, std::vector<size_t>> folderIndex_;
    mutable bool indexed_ = false;
};

// Folder texts compared as NetWare compares names: without regard to case, either slash, no outer slashes.
std::string FolderKey(const std::string& folder);

} // namespace nwsim
