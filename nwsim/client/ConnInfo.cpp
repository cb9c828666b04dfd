// NWCCGetConnInfo, which both CALWIN32.DLL and CLXWIN32.DLL export.
#include "ClientExport.h"

using namespace nw;

NWSIM_EXPORT NWCCODE NWAPI NWCCGetConnInfo(NWCONN_HANDLE, uint32_t, uint32_t, void*);

NWCCODE NWAPI NWCCGetConnInfo(NWCONN_HANDLE, uint32_t, uint32_t, void*)
{
    NWSIM_ENTER(NWCCGetConnInfo);
    return nwsim::kUnknownRequest;
}

static_assert(std::is_same_v<decltype(&NWCCGetConnInfo), PFN_NWCCGetConnInfo>);
