// The calls module's loading, primary connection and error mode.
#include "TNWLib.h"

#include "TNWEntryPoint.h"
#include "TNWNDS.h"
#include "TNWServer.h"

#include <array>
#include <vector>

namespace nw
{
namespace
{

constexpr uint32_t kConnInfoBroadcastState = 2;
constexpr size_t kDrivePathBuffer = 1025;

struct TCallsState
{
    TNWErrorCells cells;
    NWCONN_HANDLE primaryConnection = 0;
    bool ndsMode = false;
};

TCallsState& State()
{
    static TCallsState state;
    return state;
}

} // namespace

TNWErrorCells& TNWLib::Cells()
{
    return State().cells;
}

NWCONN_HANDLE& TNWLib::CachedPrimaryConnection()
{
    return State().primaryConnection;
}

bool& TNWLib::NDSMode()
{
    return State().ndsMode;
}

TNWLib::TNWLib()
{
    TLibraryHandle& calls = ClientLibraryHandle(TNWClientLibrary::Calls);
    TLibraryHandle& client = ClientLibraryHandle(TNWClientLibrary::Client);
    State() = {};
    calls = nullptr;
    client = nullptr;

    calls = LoadDynamicLibrary(ClientLibraryFileName(TNWClientLibrary::Calls));
    if (calls == nullptr)
    {
        Cells().lastError = kNWLibraryNotLoaded;
        return;
    }
    client = LoadDynamicLibrary(ClientLibraryFileName(TNWClientLibrary::Client));
    if (client == nullptr)
    {
        Cells().lastError = kNWLibraryNotLoaded;
        return;
    }

    if (const auto callsInit = api::NWCallsInit.Bind())
    {
        // Both reserved arguments point at one scratch word, as the client expects.
        uint32_t scratch = 0;
        if (callsInit(&scratch, &scratch) == 0)
            CachedPrimaryConnection() = GetPrimaryConnection();
    }
}

NWCONN_HANDLE TNWLib::GetPrimaryConnection()
{
    if (CachedPrimaryConnection() != 0)
        return CachedPrimaryConnection();

    TNWErrorCells& cells = Cells();
    cells.lastResult = kNWNoAnswer;
    NWCONN_HANDLE connection = 0;
    if (const auto getPrimConnRef = api::NWCCGetPrimConnRef.Bind())
    {
        uint32_t reference = 0;
        if (getPrimConnRef(&reference) == 0)
        {
            // Looked up anew on every use; 1 asks for a licensed connection.
            if (const auto openConnByRef = api::NWCCOpenConnByRef.LookUp())
                cells.lastResult = openConnByRef(reference, 1, 0, &connection);
        }
    }
    else if (const auto getPrimaryConnectionId = api::NWGetPrimaryConnectionID.Bind())
    {
        cells.lastResult = getPrimaryConnectionId(&connection);
    }

    if (cells.Record(cells.lastResult) != 0)
        return 0;
    return connection;
}

bool TNWLib::IsNetWareLoaded()
{
    return ClientLibraryHandle(TNWClientLibrary::Calls) != nullptr &&
           ClientLibraryHandle(TNWClientLibrary::Client) != nullptr && GetPrimaryConnection() != 0;
}

uint8_t TNWLib::SetNetWareErrorMode(uint8_t mode)
{
    const auto setErrorMode = api::NWSetNetWareErrorMode.Bind();
    if (setErrorMode == nullptr)
        return 0;
    uint8_t previous = 0;
    if (setErrorMode(mode, &previous) != 0)
        return 0;
    return previous;
}

TDateTime TNWLib::GetServerDate(NWCONN_HANDLE connection)
{
    const TDateTime today = Today();
    const auto getDateAndTime = api::NWGetFileServerDateAndTime.Bind();
    if (getDateAndTime == nullptr)
        return today;
    // Year since 1900, month, day, hour, minute, second, weekday.
    std::array<uint8_t, 7> clock{};
    if (Cells().Record(getDateAndTime(ResolveConnection(connection), clock.data())) != 0)
        return today;
    const int year = clock[0] + 1900;
    if (!IsValidDate(year, clock[1], clock[2]))
        return today;
    return EncodeDate(year, clock[1], clock[2]);
}

uint16_t TNWLib::GetMaxConnections()
{
    const auto getMaximumConnections = api::NWGetMaximumConnections.Bind();
    if (getMaximumConnections == nullptr)
        return 0;
    uint16_t maximum = 0;
    getMaximumConnections(&maximum);
    return maximum;
}

bool TNWLib::SetPreferredServer(const std::string& name)
{
    // The name goes as it is, in a buffer of 1024 characters and a NUL.
    if (name.size() > 1024)
        return false;
    std::vector<char> buffer(name.begin(), name.end());
    buffer.resize(1025, '\0');
    NWCCODE code = 0;
    if (const auto setPreferred = api::NWCCSetPrefServerName.Bind())
        code = setPreferred(buffer.data());
    else
    {
        const auto getConnectionHandle = api::NWGetConnectionHandle.Bind();
        const auto setPrimary = api::NWSetPrimaryConnectionID.Bind();
        if (getConnectionHandle == nullptr || setPrimary == nullptr)
            return false;
        NWCONN_HANDLE handle = 0;
        code = getConnectionHandle(buffer.data(), 0, &handle, nullptr);
        if (code == 0)
            code = setPrimary(handle);
    }
    if (Cells().Record(code) != 0)
        return false;
    const NWCONN_HANDLE connection = TNWServer::OpenServerConnection(name);
    if (connection != 0)
        NDSMode() = TNWNDS::IsDSServer(connection);
    CachedPrimaryConnection() = connection;
    return true;
}

uint16_t TNWLib::GetBroadcastMode(NWCONN_HANDLE connection)
{
    // The one user of the connection information that binds it from the calls library.
    const auto getConnInfo = api::NWCCGetConnInfo.BindFrom(TNWClientLibrary::Calls);
    if (getConnInfo == nullptr)
        return 0;
    uint16_t mode = 0;
    if (Cells().Record(
            getConnInfo(ResolveConnection(connection), kConnInfoBroadcastState, sizeof(mode), &mode)) != 0)
        return 0;
    return mode;
}

bool TNWLib::SetBroadcastMode(NWCONN_HANDLE connection, uint16_t mode)
{
    const auto setBroadcastMode = api::NWSetBroadcastMode.Bind();
    if (setBroadcastMode == nullptr)
        return false;
    return Cells().Record(setBroadcastMode(connection, mode)) == 0;
}

char TNWLib::GetFirstNetworkDrive()
{
    const auto getFirstDrive = api::NWGetFirstDrive.Bind();
    if (getFirstDrive == nullptr)
        return 0;
    uint16_t number = 0;
    if (getFirstDrive(&number) != 0 || number < 1 || number > 26)
        return 0;
    return static_cast<char>(number + 64);
}

char TNWLib::GetNextNetworkDrive()
{
    const auto getDriveStatus = api::NWGetDriveStatus.Bind();
    if (getDriveStatus == nullptr)
        return 0;
    // Character 0 gives 192, past the last drive, so no drive is tried.
    const uint8_t first = static_cast<uint8_t>(GetFirstNetworkDrive() - 64);
    for (uint16_t number = first; number <= 26; ++number)
    {
        uint16_t status = 0xFFFF;
        NWCONN_HANDLE connection = 0;
        std::vector<char> root(kDrivePathBuffer), relative(kDrivePathBuffer), full(kDrivePathBuffer);
        if (getDriveStatus(number, 0, &status, &connection, root.data(), relative.data(), full.data()) == 0 &&
            status == 0)
            return static_cast<char>(number + 64);
    }
    return 0;
}

} // namespace nw
