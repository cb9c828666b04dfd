// The server module: deleted-file scans, recovery, server facts and the server clock.
#include "TNWServer.h"

#include "NWText.h"
#include "TNWDirHandleLease.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"
#include "TNWNDS.h"

#include <array>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace nw
{
namespace
{

constexpr size_t kPathBuffer = 256; // 255 characters and a NUL
constexpr size_t kFileNameBuffer = 1025;
constexpr size_t kObjectNameBuffer = 1026;
constexpr size_t kServerNameBuffer = 1025;
constexpr size_t kBlockNameOffset = 16;
constexpr size_t kBlockNameSize = 256;
// A scan starts from this iteration value, and its end is answered with this code.
constexpr uint32_t kScanStart = 0xFFFFFFFF;
constexpr NWCCODE kNoMoreEntries = 0x89FF;

// A text in a NetWare buffer of the given size; nothing when it does not fit.
bool ToBuffer(const std::string& text, size_t size, std::vector<char>& buffer)
{
    if (text.size() >= size)
        return false;
    buffer.assign(size, '\0');
    std::memcpy(buffer.data(), text.data(), text.size());
    return true;
}

uint32_t Read32(const uint8_t* block, size_t offset)
{
    uint32_t value = 0;
    std::memcpy(&value, block + offset, sizeof(value));
    return value;
}

uint16_t Read16(const uint8_t* block, size_t offset)
{
    uint16_t value = 0;
    std::memcpy(&value, block + offset, sizeof(value));
    return value;
}

// The text after the last backslash or colon.
std::string FileNamePart(const std::string& path)
{
    const size_t separator = path.find_last_of("\\:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

void SetRights(TNWDeletedFileInfoX& info, uint16_t mask)
{
    info.RightRead = (mask & 0x0001) != 0;
    info.RightWrite = (mask & 0x0002) != 0;
    info.RightOpen = (mask & 0x0004) != 0;
    info.RightCreate = (mask & 0x0008) != 0;
    info.RightDelete = (mask & 0x0010) != 0;
    info.RightErase = (mask & 0x0010) != 0;
    info.RightAccessControl = (mask & 0x0020) != 0;
    info.RightSearch = (mask & 0x0040) != 0;
    info.RightFileScan = (mask & 0x0040) != 0;
    info.RightModify = (mask & 0x0080) != 0;
    info.RightAny = (mask & 0x01FB) != 0;
    info.RightSupervisor = (mask & 0x0100) != 0;
    info.RightAnyNonSupervisor = (mask & 0x00FB) != 0;
}

} // namespace

TNWErrorCells& TNWServer::Cells()
{
    static TNWErrorCells cells;
    return cells;
}

NWCONN_HANDLE TNWServer::GetPathConnection(const std::string& path)
{
    const auto parsePath = api::NWParseNetWarePath.Bind();
    std::vector<char> buffer;
    if (parsePath == nullptr || !ToBuffer(UpperCase(path), kPathBuffer, buffer))
        return 0;
    NWCONN_HANDLE connection = TNWLib::GetPrimaryConnection();
    NWDIR_HANDLE dirHandle = 0;
    std::array<char, kPathBuffer> parsed{};
    if (parsePath(buffer.data(), &connection, &dirHandle, parsed.data()) != 0)
        return 0;
    return connection;
}

TNWDeletedList TNWServer::ScanDeletedFiles(NWCONN_HANDLE connection, const std::string& path, bool* answered,
                                           const std::function<void()>& betweenAnswers)
{
    TNWDeletedList list;
    // The handle is the list's from its first entry on: when the list cannot be completed, it goes back.
    std::optional<std::pair<NWCONN_HANDLE, NWDIR_HANDLE>> handle;
    try
    {
        ForEachDeletedFile(
            connection, path,
            [&](TNWDeletedItem& item) {
                if (!handle)
                    handle.emplace(item.entry->Connection, item.entry->DirHandle);
                list.push_back(std::move(item));
                return true;
            },
            answered, betweenAnswers);
    }
    catch (const std::bad_alloc&)
    {
        list.clear();
        if (handle)
            LeaseDirHandle(handle->first, handle->second).reset();
        throw;
    }
    return list;
}

void TNWServer::ForEachDeletedFile(NWCONN_HANDLE connection, const std::string& path,
                                   const TDeletedVisit& visit, bool* answered,
                                   const std::function<void()>& betweenAnswers)
{
    if (answered != nullptr)
        *answered = false;
    const auto parsePath = api::NWParseNetWarePath.Bind();
    const auto allocateHandle = parsePath ? api::NWAllocTemporaryDirectoryHandle.Bind() : nullptr;
    const auto scanDeleted = allocateHandle ? api::NWScanForDeletedFiles.Bind() : nullptr;
    const auto deallocateHandle = scanDeleted ? api::NWDeallocateDirectoryHandle.Bind() : nullptr;
    if (deallocateHandle == nullptr)
        return;

    connection = TNWLib::ResolveConnection(connection);
    std::string netwarePath = UpperCase(path);
    for (char& c : netwarePath)
        if (c == '\\')
            c = '/';
    std::vector<char> buffer;
    if (!ToBuffer(netwarePath, kPathBuffer, buffer))
        return;
    NWDIR_HANDLE parsedHandle = 0;
    std::array<char, kPathBuffer> parsed{};
    if (parsePath(buffer.data(), &connection, &parsedHandle, parsed.data()) != 0)
        return;
    parsed.back() = '\0';
    NWDIR_HANDLE dirHandle = 0;
    uint8_t rights = 0;
    if (allocateHandle(connection, 0, parsed.data(), &dirHandle, &rights) != 0)
        return;

    bool visited = false;
    // Every visited entry carries the handle; with none to carry it, nobody else would ever release it.
    const auto releaseUnvisited = [&] {
        if (!visited && dirHandle != 0)
            deallocateHandle(connection, dirHandle);
    };
    uint32_t sequence = kScanStart;
    for (;;)
    {
        uint32_t volume = 0;
        uint32_t dirBase = 0;
        std::array<uint8_t, kDeletedInfoSize> block{};
        const uint32_t before = sequence;
        const NWCCODE code = scanDeleted(connection, dirHandle, &sequence, &volume, &dirBase, block.data());
        if (answered != nullptr && before == kScanStart)
            *answered = code == 0 || code == kNoMoreEntries;
        if (betweenAnswers)
            betweenAnswers();
        if (code != 0)
            break;
        // A client whose iteration value stops advancing would answer with the same entry for ever.
        if (sequence == before)
            break;
        std::optional<TNWDeletedItem> item;
        try
        {
            item = BuildDeletedItem(connection, dirHandle, sequence, volume, dirBase, block.data());
        }
        catch (const std::bad_alloc&)
        {
            releaseUnvisited();
            throw;
        }
        catch (const std::exception&)
        {
            // An entry that cannot be built ends the scan; the entries before it stay.
            break;
        }
        visited = true;
        if (!visit(*item))
            return;
    }
    releaseUnvisited();
}

TNWDeletedItem TNWServer::BuildDeletedItem(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle,
                                           uint32_t sequence, uint32_t volume, uint32_t dirBase,
                                           const uint8_t* block)
{
    const char* blockName = reinterpret_cast<const char*>(block + kBlockNameOffset);
    const size_t untilNul = strnlen(blockName, kBlockNameSize);
    const size_t nameLength = std::min<size_t>(block[15], untilNul);

    auto entry = std::make_unique<TNWDeletedEntry>();
    entry->Connection = connection;
    entry->DirHandle = dirHandle;
    entry->Sequence = sequence;
    entry->Volume = volume;
    entry->DirBase = dirBase;
    std::memcpy(entry->Name, blockName, nameLength);
    entry->Name[nameLength] = '\0';

    // The fields are filled in the order of the server requests that name their objects.
    auto info = std::make_shared<TNWDeletedFileInfoX>();
    info->Attributes = Read32(block, 8);
    info->Flags = block[13];
    info->NameSpace = block[14];
    info->NameLength = block[15];
    info->Name.assign(blockName, untilNul);
    info->Created = UnpackNWDateTime(Read32(block, 272));
    info->Owner = GetObjectNameByID(connection, Read32(block, 276));
    info->Updated = UnpackNWDateTime(Read32(block, 288));
    info->UpdatedBy = GetObjectNameByID(connection, Read32(block, 292));
    info->Size = static_cast<int32_t>(Read32(block, 296));
    SetRights(*info, Read16(block, 344));
    info->Accessed = UnpackNWDateTime(static_cast<uint32_t>(Read16(block, 346)) << 16);
    info->Deleted = UnpackNWDateTime(Read32(block, 352));
    info->DeletedBy = GetObjectNameByID(connection, Read32(block, 356));
    info->Archived = UnpackNWDateTime(Read32(block, 280));
    info->ArchivedBy = GetObjectNameByID(connection, Read32(block, 284));
    entry->Info = std::move(info);

    return TNWDeletedItem{std::string(blockName, nameLength), std::move(entry)};
}

bool TNWServer::RecoverDeletedFile(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                   uint32_t volume, uint32_t dirBase, const std::string& deletedPath,
                                   const std::string& recoverPath)
{
    const auto recover = api::NWRecoverDeletedFile.Bind();
    if (recover == nullptr)
        return false;
    connection = TNWLib::ResolveConnection(connection);
    std::vector<char> deletedName;
    std::vector<char> recoverName;
    if (!ToBuffer(FileNamePart(deletedPath), kFileNameBuffer, deletedName) ||
        !ToBuffer(FileNamePart(recoverPath), kFileNameBuffer, recoverName))
        return false;
    return recover(connection, dirHandle, sequence, volume, dirBase, deletedName.data(),
                   recoverName.data()) == 0;
}

bool TNWServer::PurgeAvailable()
{
    return api::NWPurgeErasedFiles.Bind() != nullptr && api::NWPurgeDeletedFile.Bind() != nullptr;
}

bool TNWServer::PurgeDeletedFile(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle, uint32_t sequence,
                                 uint32_t volume, uint32_t dirBase, const std::string& name)
{
    const auto purge = api::NWPurgeDeletedFile.Bind();
    if (purge == nullptr)
        return false;
    connection = TNWLib::ResolveConnection(connection);
    std::vector<char> fileName;
    if (!ToBuffer(name, kFileNameBuffer, fileName))
        return false;
    return purge(connection, dirHandle, sequence, volume, dirBase, fileName.data()) == 0;
}

bool TNWServer::GetServerInfo(NWCONN_HANDLE connection, TNWServerInfo& info)
{
    const auto getInfo = api::NWGetFileServerInfo.Bind();
    const auto getInformation = getInfo ? api::NWGetFileServerInformation.Bind() : nullptr;
    if (getInformation == nullptr)
        return false;
    connection = TNWLib::ResolveConnection(connection);
    std::array<char, kServerNameBuffer> name{};
    uint8_t major = 0, minor = 0, revision = 0, sftLevel = 0, ttsLevel = 0;
    uint16_t maxConnections = 0, maxConnectionsUsed = 0, connectionsInUse = 0, volumes = 0;
    if (getInformation(connection, name.data(), &major, &minor, &revision, &maxConnections,
                       &maxConnectionsUsed, &connectionsInUse, &volumes, &sftLevel, &ttsLevel) != 0)
        return false;

    // Servers up to version 3 are not asked for the extended block.
    std::array<uint8_t, kServerInfoBlockSize> block{};
    const bool result = major <= 3 || getInfo(connection, block.data()) == 0;
    info.ServerName = BufferText(name);
    info.ExtBlockStart = Read32(block.data(), 0);
    info.ClearedByte = 0;
    info.ExtBlockByte = block[24];
    info.ClearedValueA = 0;
    info.ClearedValueB = 0;
    info.ExtBlockValueA = Read32(block.data(), 140);
    info.ExtBlockValueB = Read32(block.data(), 144);
    info.Version = std::to_string(major) + "." + std::to_string(minor);
    info.MaxConnections = maxConnections;
    info.ConnectionsInUse = connectionsInUse;
    info.MaxConnectionsUsed = maxConnectionsUsed;
    info.Volumes = volumes;
    info.SFTLevel = sftLevel;
    info.TTSLevel = ttsLevel;
    return result;
}

bool TNWServer::SetServerDateTime(NWCONN_HANDLE connection, TDateTime when)
{
    const auto setDateAndTime = api::NWSetFileServerDateAndTime.Bind();
    if (setDateAndTime == nullptr)
        return false;
    connection = TNWLib::ResolveConnection(connection);
    // Milliseconds do not go to the server.
    const TDateParts parts = DecodeDateTime(when);
    const int year = parts.year > 1900 ? parts.year - 1900 : parts.year;
    const NWCCODE code =
        setDateAndTime(connection, static_cast<uint8_t>(year), static_cast<uint8_t>(parts.month),
                       static_cast<uint8_t>(parts.day), static_cast<uint8_t>(parts.hour),
                       static_cast<uint8_t>(parts.minute), static_cast<uint8_t>(parts.second));
    return Cells().Record(code) == 0;
}

NWCONN_HANDLE TNWServer::OpenServerConnection(const std::string& serverName)
{
    const auto openByName = api::NWCCOpenConnByName.Bind();
    const auto getConnectionHandle = api::NWGetConnectionHandle.Bind();
    std::vector<char> name;
    if (!ToBuffer(UpperCase(serverName), kServerNameBuffer, name))
        return 0;
    NWCONN_HANDLE connection = 0;
    std::optional<NWCCODE> code;
    if (openByName != nullptr)
        code = openByName(0, name.data(), 2, 1, 0, &connection);
    if ((!code || *code != 0 || connection == 0) && getConnectionHandle != nullptr)
        code = getConnectionHandle(name.data(), 0, &connection, nullptr);
    // Only the code of the last call made counts; without a call there is no connection.
    if (!code || Cells().Record(*code) != 0)
        return 0;
    return connection;
}

TDateTime TNWServer::UnpackNWDateTime(uint32_t packed)
{
    TDateTime result = EncodeDate(1980, 1, 1);
    const auto unpack = api::NWUnpackDateTime.Bind();
    if (unpack == nullptr)
        return result;
    NW_DATE date{1, 1, 1980};
    NW_TIME time{0, 0, 12};
    unpack(packed, &date, &time);
    if (date.year >= 1980 && date.year < 2112 && IsValidDate(date.year, date.month, date.day))
        result = EncodeDate(date.year, date.month, date.day);
    if (time.hours <= 23 && time.minutes <= 59 && time.seconds <= 59)
        result += EncodeTime(time.hours, time.minutes, time.seconds, 0);
    return result;
}

std::string TNWServer::GetObjectNameByID(NWCONN_HANDLE connection, uint32_t objectId)
{
    const auto getObjectName = api::NWGetObjectName.Bind();
    if (getObjectName == nullptr)
        return {};
    connection = TNWLib::ResolveConnection(connection);
    std::array<char, kObjectNameBuffer> name{};
    uint16_t type = 0;
    std::string result;
    if (TNWLib::Cells().Record(getObjectName(connection, objectId, name.data(), &type)) == 0)
        result = BufferText(name);
    if (result.empty() && TNWLib::NDSMode())
        result = TNWNDS::MapIDToName(connection, objectId);
    return result;
}

} // namespace nw
