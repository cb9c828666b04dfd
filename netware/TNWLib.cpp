// The calls module's loading, primary connection and error mode.
#include "TNWLib.h"

#include "TNWEntryPoint.h"

namespace nw
{
namespace
{

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

} // namespace nw
