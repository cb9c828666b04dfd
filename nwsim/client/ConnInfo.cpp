// NWCCGetConnInfo, which both CALWIN32.DLL and CLXWIN32.DLL export.
#include "ClientExport.h"
#include "ClientText.h"
#include "TSimNetwork.h"

#include <cstring>

using namespace nw;

NWSIM_EXPORT NWCCODE NWAPI NWCCGetConnInfo(NWCONN_HANDLE conn, uint32_t infoType, uint32_t length,
                                           void* buffer);

namespace
{

// The information types the stand-in answers, with the client's numbers.
constexpr uint32_t kInfoBroadcastState = 2;
constexpr uint32_t kInfoConnectionNumber = 5;
constexpr uint32_t kInfoServerName = 7;

template <typename T> NWCCODE PutValue(T value, uint32_t length, void* buffer)
{
    if (length < sizeof(T))
        return nwsim::kFailure;
    std::memcpy(buffer, &value, sizeof(T));
    return 0;
}

} // namespace

NWCCODE NWAPI NWCCGetConnInfo(NWCONN_HANDLE conn, uint32_t infoType, uint32_t length, void* buffer)
{
    NWSIM_ENTER(NWCCGetConnInfo)
    {
        const nwsim::TSimConnection* connection = nwsim::TSimNetwork::Instance().FindConnection(conn);
        if (connection == nullptr)
            return nwsim::kInvalidConnection;
        if (buffer == nullptr)
            return nwsim::kFailure;
        switch (infoType)
        {
        case kInfoBroadcastState:
            return PutValue<uint16_t>(connection->broadcastMode, length, buffer);
        case kInfoConnectionNumber:
            return length >= sizeof(uint32_t) ? PutValue<uint32_t>(connection->number, length, buffer)
                                              : PutValue<uint16_t>(connection->number, length, buffer);
        case kInfoServerName:
            if (length < connection->server.size() + 1)
                return nwsim::kFailure;
            nwsim::CopyText(static_cast<char*>(buffer), connection->server, length);
            return 0;
        default:
            return nwsim::kNoSuchProperty;
        }
    };
}

static_assert(std::is_same_v<decltype(&NWCCGetConnInfo), PFN_NWCCGetConnInfo>);
