// The calls module's connections, bindery objects and identity.
#include "NWText.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWServer.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <vector>

namespace nw
{
namespace
{

// Information types of NWCCGetConnInfo.
constexpr uint32_t kConnInfoNumber = 5;
constexpr uint32_t kConnInfoServerName = 7;

constexpr size_t kServerNameBuffer = 1025;
constexpr size_t kObjectNameBuffer = 1028;
constexpr size_t kConnectionListSize = 49;

} // namespace

uint16_t TNWLib::GetConnectionNumber(NWCONN_HANDLE connection)
{
    TNWErrorCells& cells = Cells();
    cells.lastResult = kNWNoAnswer;
    connection = ResolveConnection(connection);
    uint32_t number = 0;
    if (const auto getConnInfo = api::NWCCGetConnInfo.Bind())
        cells.lastResult = getConnInfo(connection, kConnInfoNumber, sizeof(number), &number);
    else if (const auto getConnectionNumber = api::NWGetConnectionNumber.LookUp())
    {
        NWCONN_NUM shortNumber = 0;
        cells.lastResult = getConnectionNumber(connection, &shortNumber);
        number = shortNumber;
    }
    if (cells.Record(cells.lastResult) != 0)
        return 0;
    return static_cast<uint16_t>(number & 0xFFFF);
}

std::string TNWLib::GetConnectionLoginName(NWCONN_HANDLE connection)
{
    const auto getInformation = api::NWGetConnectionInformation.Bind();
    if (getInformation == nullptr)
        return {};
    connection = ResolveConnection(connection);
    std::array<char, kObjectNameBuffer> name{};
    uint16_t type = 1;
    uint32_t id = 0;
    uint8_t loginTime[7] = {};
    if (Cells().Record(getInformation(connection, GetConnectionNumber(connection), name.data(), &type, &id,
                                      loginTime)) != 0)
        return {};
    return BufferText(name);
}

std::string TNWLib::GetServerNameOfConnection(NWCONN_HANDLE connection)
{
    TNWErrorCells& cells = Cells();
    cells.lastResult = kNWNoAnswer;
    connection = ResolveConnection(connection);
    std::array<char, kServerNameBuffer> name{};
    if (const auto getConnInfo = api::NWCCGetConnInfo.Bind())
        cells.lastResult = getConnInfo(connection, kConnInfoServerName, kServerNameBuffer, name.data());
    else if (const auto getServerName = api::NWGetFileServerName.Bind())
        cells.lastResult = getServerName(connection, name.data());
    if (cells.Record(cells.lastResult) != 0)
        return "LOCAL";
    return BufferText(name);
}

TNWStringList TNWLib::GetConnectionList()
{
    TNWStringList list;
    if (const auto scanConnRefs = api::NWCCScanConnRefs.Bind())
    {
        const auto getAllConnRefInfo = api::NWCCGetAllConnRefInfo.Bind();
        if (getAllConnRefInfo == nullptr)
            return list;
        uint32_t iterator = 0;
        for (;;)
        {
            uint32_t reference = 0;
            // The normal end of the scan is recorded too.
            if (Cells().Record(scanConnRefs(&iterator, &reference)) != 0)
                break;
            std::array<uint8_t, kConnRefInfoSize> block{};
            if (Cells().Record(getAllConnRefInfo(reference, 1, block.data())) != 0)
                continue;
            uint32_t number = 0;
            std::memcpy(&number, block.data() + kConnRefInfoNumberOffset, sizeof(number));
            const char* name = reinterpret_cast<const char*>(block.data() + kConnRefInfoNameOffset);
            list.push_back({BufferText(name, kConnRefInfoSize - kConnRefInfoNameOffset), number});
        }
        return list;
    }

    const auto getConnectionList = api::NWGetConnectionList.LookUp();
    if (getConnectionList == nullptr)
        return list;
    // The client writes 32-bit connection handles.
    std::array<NWCONN_HANDLE, kConnectionListSize> handles{};
    uint16_t count = 0;
    if (getConnectionList(0, handles.data(), kConnectionListSize, &count) != 0)
        return list;
    for (size_t i = 0; i < count && i < kConnectionListSize; ++i)
        list.push_back({GetServerNameOfConnection(handles[i]), handles[i]});
    return list;
}

TNWStringList TNWLib::ScanBinderyObjects(NWCONN_HANDLE connection, uint16_t type)
{
    TNWStringList list;
    const auto scanObject = api::NWScanObject.Bind();
    if (scanObject == nullptr)
        return list;
    connection = ResolveConnection(connection);
    uint32_t id = 0xFFFFFFFF;
    char pattern[] = "*";
    try
    {
        for (;;)
        {
            std::array<char, kServerNameBuffer> name{};
            uint16_t objectType = 0;
            uint8_t hasProperties = 0;
            uint8_t flags = 0;
            uint8_t security = 0;
            if (scanObject(connection, pattern, type, &id, name.data(), &objectType, &hasProperties, &flags,
                           &security) != 0)
                break;
            list.push_back({BufferText(name), id});
        }
    }
    catch (const std::exception&)
    {
        // A list that cannot grow ends the scan with what it has.
    }
    return list;
}

uint32_t TNWLib::GetObjectIDByName(NWCONN_HANDLE connection, const std::string& name, uint16_t type)
{
    const auto getObjectId = api::NWGetObjectID.Bind();
    if (getObjectId == nullptr)
        return 0;
    connection = ResolveConnection(connection);
    std::vector<char> upper = TextBuffer(UpperCase(name));
    uint32_t id = 0;
    const NWCCODE code = getObjectId(connection, upper.data(), type, &id);
    Cells().lastResult = code;
    if (code == 0)
        return id;
    if (NDSMode())
        return TNWNDS::AuditGetObjectID(connection, name);
    Cells().Record(code);
    return 0;
}

std::string TNWLib::GetObjectIDText(NWCONN_HANDLE connection, const std::string& name, uint16_t type)
{
    if (NDSMode())
    {
        std::string text = TNWNDS::MapNameToID(connection, name);
        if (text != "0")
            return text;
    }
    const auto getObjectId = api::NWGetObjectID.Bind();
    if (getObjectId == nullptr)
        return "0";
    connection = ResolveConnection(connection);
    std::vector<char> upper = TextBuffer(UpperCase(name));
    uint32_t id = 0;
    if (getObjectId(connection, upper.data(), type, &id) != 0)
        return "0";
    return HexWithoutLeadingZeros(LongSwap(id));
}

uint16_t TNWLib::GetObjectTypeOfName(NWCONN_HANDLE connection, const std::string& name)
{
    connection = ResolveConnection(connection);
    for (const uint16_t type : kObjectTypeOrder)
        if (GetObjectIDByName(connection, name, type) != 0)
            return type;
    return 0;
}

std::string TNWLib::GetObjectFullName(NWCONN_HANDLE connection, const std::string& name)
{
    if (NDSMode())
    {
        const auto [found, value] = TNWNDS::ReadAttributeString("", name, kDSAttributeFullName);
        if (found)
            return value;
    }
    std::string result = UpperCase(TrimBlanks(name));
    const auto readPropertyValue = api::NWReadPropertyValue.Bind();
    if (readPropertyValue == nullptr)
        return result;
    connection = ResolveConnection(connection);
    std::vector<char> objectName = TextBuffer(result);
    char property[] = "IDENTIFICATION";
    // One property segment is 128 bytes; the NUL after it ends a full name that fills it.
    std::array<uint8_t, 129> value{};
    uint8_t more = 0;
    uint8_t flags = 0;
    // The type is looked up for the trimmed name too: padding would make every lookup miss.
    if (readPropertyValue(connection, objectName.data(), GetObjectTypeOfName(connection, result), property, 1,
                          value.data(), &more, &flags) == 0)
        result = BufferText(reinterpret_cast<const char*>(value.data()), 128);
    return result;
}

bool TNWLib::IsConsoleOperator(NWCONN_HANDLE connection)
{
    const auto checkConsolePrivileges = api::NWCheckConsolePrivileges.Bind();
    if (checkConsolePrivileges == nullptr)
        return false;
    return Cells().Record(checkConsolePrivileges(ResolveConnection(connection))) == 0;
}

bool TNWLib::IsManager(NWCONN_HANDLE connection)
{
    const auto isManager = api::NWIsManager.Bind();
    if (isManager == nullptr)
        return false;
    return Cells().Record(isManager(ResolveConnection(connection))) == 0;
}

uint32_t TNWLib::LongSwap(uint32_t value)
{
    const auto longSwap = api::NWLongSwap.Bind();
    return longSwap != nullptr ? longSwap(value) : 0;
}

} // namespace nw
