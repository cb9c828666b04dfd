// CALWIN32.DLL of the stand-in: the calls library's drives, paths, directory handles and salvage calls.
#include "ClientExport.h"
#include "ClientNetwork.h"
#include "ClientText.h"
#include "DeletedInfoBlock.h"

#include <algorithm>
#include <string>

using namespace nw;
using nwsim::Net;
using nwsim::TSimConnection;

NW_CALWIN32_API(NWSIM_DECLARE_EXPORT)

static_assert(nwsim::kDeletedInfoBlockSize == kDeletedInfoSize,
              "the scan block is the size the calls declare");

namespace
{

// NWGetDriveStatus: a drive that is not mapped to the network.
constexpr uint16_t kLocalDriveStatus = 0x0010;

} // namespace

NWCCODE NWAPI NWGetFirstDrive(uint16_t* firstDrive)
{
    NWSIM_ENTER(NWGetFirstDrive)
    {
        const nwsim::TSimWorld* world = Net().World();
        if (world == nullptr || world->workstation.drives.empty() || firstDrive == nullptr)
            return nwsim::kBadDrive;
        char first = 'Z';
        for (const nwsim::TDriveMapping& drive : world->workstation.drives)
            first = std::min(first, drive.letter);
        *firstDrive = static_cast<uint16_t>(first - 'A' + 1);
        return 0;
    };
}

NWCCODE NWAPI NWGetDriveStatus(uint16_t driveNumber, uint16_t, uint16_t* status, NWCONN_HANDLE* conn,
                               char* rootPath, char* relativePath, char* fullPath)
{
    NWSIM_ENTER(NWGetDriveStatus)
    {
        const nwsim::TSimWorld* world = Net().World();
        if (world == nullptr || driveNumber < 1 || driveNumber > 26)
            return nwsim::kBadDrive;
        const nwsim::TDriveMapping* drive = world->FindDrive(static_cast<char>('A' + driveNumber - 1));
        const TSimConnection* connection =
            drive != nullptr ? Net().FindConnectionToServer(drive->server) : nullptr;
        if (connection == nullptr)
        {
            if (status != nullptr)
                *status = kLocalDriveStatus;
            return 0;
        }
        if (status != nullptr)
            *status = 0;
        if (conn != nullptr)
            *conn = connection->handle;
        std::string relative = drive->path;
        std::replace(relative.begin(), relative.end(), '/', '\\');
        const std::string root = drive->server + "\\" + drive->volume + ":";
        nwsim::CopyText(rootPath, root, nwsim::kPathBytes);
        nwsim::CopyText(relativePath, relative, nwsim::kPathBytes);
        nwsim::CopyText(fullPath, root + (relative.empty() ? "" : "\\" + relative), nwsim::kPathBytes);
        return 0;
    };
}

NWCCODE NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t* previousMode)
{
    NWSIM_ENTER(NWSetNetWareErrorMode)
    {
        const uint8_t previous = Net().SwapErrorMode(mode);
        if (previousMode != nullptr)
            *previousMode = previous;
        return 0;
    };
}

NWCCODE NWAPI NWParseNetWarePath(char* path, NWCONN_HANDLE* conn, NWDIR_HANDLE* dirHandle, char* parsedPath)
{
    NWSIM_ENTER(NWParseNetWarePath)
    {
        const nwsim::TSimWorld* world = Net().World();
        std::string text;
        if (world == nullptr || conn == nullptr || !nwsim::ReadText(path, nwsim::kMaxNetWarePath, text))
            return nwsim::kInvalidPath;
        nwsim::NoteText("NWParseNetWarePath", text);
        nwsim::TVolumePath parsed;
        if (const uint32_t code = Net().Files().ParsePath(*world, Net().FindConnection(*conn), text, parsed))
            return code;
        const TSimConnection* connection = Net().FindConnectionToServer(parsed.server);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        const std::string volumePath = parsed.volume + ":" + nwsim::FolderKey(parsed.path);
        if (nwsim::CharacterCount(volumePath) > nwsim::kMaxNetWarePath)
            return nwsim::kInvalidPath;
        *conn = connection->handle;
        if (dirHandle != nullptr)
            *dirHandle = 0;
        nwsim::CopyText(parsedPath, volumePath, nwsim::kPathBytes);
        return 0;
    };
}

NWCCODE NWAPI NWAllocTemporaryDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, char* path,
                                              NWDIR_HANDLE* newDirHandle, uint8_t* rightsMask)
{
    NWSIM_ENTER(NWAllocTemporaryDirectoryHandle)
    {
        const TSimConnection* connection = Net().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        std::string text;
        if (newDirHandle == nullptr || !nwsim::ReadText(path, nwsim::kMaxNetWarePath, text))
            return nwsim::kInvalidPath;
        if (const uint32_t code =
                Net().Files().AllocateHandle(*Net().World(), *connection, dirHandle, text, *newDirHandle))
            return code;
        if (rightsMask != nullptr)
            *rightsMask = 0xFF;
        return 0;
    };
}

NWCCODE NWAPI NWDeallocateDirectoryHandle(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle)
{
    NWSIM_ENTER(NWDeallocateDirectoryHandle)
    {
        if (Net().FindConnection(conn) == nullptr)
            return nwsim::kInvalidConnection;
        return Net().Files().ReleaseHandle(conn, dirHandle);
    };
}

NWCCODE NWAPI NWScanForDeletedFiles(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, uint32_t* sequence,
                                    uint32_t* volume, uint32_t* dirBase, uint8_t* entryInfo)
{
    NWSIM_ENTER(NWScanForDeletedFiles)
    {
        const TSimConnection* connection = Net().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        if (sequence == nullptr || volume == nullptr || dirBase == nullptr || entryInfo == nullptr)
            return nwsim::kFailure;
        nwsim::TScannedEntry entry;
        if (const uint32_t code = Net().Files().ScanNext(*Net().World(), *connection, dirHandle, *sequence,
                                                         entry, nwsim::ScanRepeatDue()))
            return code;
        // The block carries the name as the workstation spells it.
        entry.file.name = nwsim::AnsiFromUtf8(entry.file.name);
        *sequence = entry.sequence;
        *volume = entry.volume;
        *dirBase = entry.dirBase;
        nwsim::PackDeletedInfoBlock(entry, entryInfo);
        return 0;
    };
}

NWCCODE NWAPI NWRecoverDeletedFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                   uint32_t volume, uint32_t dirBase, char* deletedName, char* recoverName)
{
    NWSIM_ENTER(NWRecoverDeletedFile)
    {
        const TSimConnection* connection = Net().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        std::string deleted;
        std::string recovered;
        if (!nwsim::ReadText(deletedName, nwsim::kMaxNetWarePath, deleted) ||
            !nwsim::ReadText(recoverName, nwsim::kMaxNetWarePath, recovered))
            return nwsim::kInvalidFileName;
        nwsim::NoteText("NWRecoverDeletedFile", deleted + "|" + recovered);
        return Net().Files().Recover(*Net().World(), *connection, dirHandle, sequence, volume, dirBase,
                                     deleted, recovered);
    };
}

NWCCODE NWAPI NWPurgeDeletedFile(NWCONN_HANDLE conn, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                 uint32_t volume, uint32_t dirBase, char* fileName)
{
    NWSIM_ENTER(NWPurgeDeletedFile)
    {
        const TSimConnection* connection = Net().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        std::string name;
        if (!nwsim::ReadText(fileName, nwsim::kMaxNetWarePath, name))
            return nwsim::kInvalidFileName;
        return Net().Files().Purge(*Net().World(), *connection, dirHandle, sequence, volume, dirBase, name);
    };
}

NWCCODE NWAPI NWPurgeErasedFiles(NWCONN_HANDLE conn)
{
    NWSIM_ENTER(NWPurgeErasedFiles)
    {
        const TSimConnection* connection = Net().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        return Net().Files().PurgeErased(*Net().World(), *connection);
    };
}
