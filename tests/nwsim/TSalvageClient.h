// Scanning, recovering and purging through the stand-in's exported functions, called as the program calls
// them, and the fields of the 376-byte deleted-entry block read back at their offsets.
#pragma once

#include "TClientLibraries.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct TScannedBlock
{
    uint8_t bytes[nw::kDeletedInfoSize];
    uint32_t sequence = 0;
    uint32_t volume = 0;
    uint32_t dirBase = 0;

    uint32_t U32(size_t offset) const
    {
        uint32_t value = 0;
        std::memcpy(&value, bytes + offset, sizeof(value));
        return value;
    }
    uint16_t U16(size_t offset) const
    {
        uint16_t value = 0;
        std::memcpy(&value, bytes + offset, sizeof(value));
        return value;
    }
    std::string Name() const { return std::string(reinterpret_cast<const char*>(bytes + 16), bytes[15]); }
};

// A folder opened for salvage: its connection and temporary directory handle.
struct TOpenFolder
{
    nw::NWCONN_HANDLE connection = 0;
    nw::NWDIR_HANDLE handle = 0;
    uint32_t code = 0; // the first failing completion code, 0 when the folder is open
    std::string parsedPath;
};

inline TOpenFolder OpenFolder(const std::string& drivePath)
{
    TOpenFolder folder;
    char path[256] = {};
    std::strncpy(path, drivePath.c_str(), sizeof(path) - 1);
    char parsed[256] = {};
    nw::NWDIR_HANDLE base = 0;
    folder.code = NW_FUNCTION("CALWIN32.DLL", NWParseNetWarePath)(path, &folder.connection, &base, parsed);
    if (folder.code != 0)
        return folder;
    folder.parsedPath = parsed;
    uint8_t rights = 0;
    folder.code = NW_FUNCTION("CALWIN32.DLL", NWAllocTemporaryDirectoryHandle)(folder.connection, 0, parsed,
                                                                               &folder.handle, &rights);
    return folder;
}

// Every deleted entry of an open folder, in the server's order; endCode receives the code that ended the
// scan.
inline std::vector<TScannedBlock> ScanFolder(const TOpenFolder& folder, uint32_t* endCode = nullptr)
{
    const auto scan = NW_FUNCTION("CALWIN32.DLL", NWScanForDeletedFiles);
    std::vector<TScannedBlock> entries;
    uint32_t sequence = 0xFFFFFFFF;
    for (;;)
    {
        TScannedBlock block{};
        std::memset(block.bytes, 0xCD, sizeof(block.bytes));
        const uint32_t code =
            scan(folder.connection, folder.handle, &sequence, &block.volume, &block.dirBase, block.bytes);
        if (code != 0)
        {
            if (endCode != nullptr)
                *endCode = code;
            return entries;
        }
        block.sequence = sequence;
        entries.push_back(block);
    }
}

inline uint32_t Recover(const TOpenFolder& folder, const TScannedBlock& entry, std::string deletedName,
                        std::string newName)
{
    return NW_FUNCTION("CALWIN32.DLL", NWRecoverDeletedFile)(folder.connection, folder.handle, entry.sequence,
                                                             entry.volume, entry.dirBase, deletedName.data(),
                                                             newName.data());
}

inline uint32_t Purge(const TOpenFolder& folder, const TScannedBlock& entry, std::string name)
{
    return NW_FUNCTION("CALWIN32.DLL", NWPurgeDeletedFile)(folder.connection, folder.handle, entry.sequence,
                                                           entry.volume, entry.dirBase, name.data());
}
