// The shared release of a scan's directory handle.
#include "TNWDirHandleLease.h"

#include "TNWEntryPoint.h"

namespace nw
{

TNWDirHandleLease::~TNWDirHandleLease()
{
    if (const auto deallocateHandle = api::NWDeallocateDirectoryHandle.Bind())
        deallocateHandle(connection_, dirHandle_);
}

TNWDirHandleShare LeaseDirHandle(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle)
{
    if (dirHandle == 0)
        return nullptr;
    return std::make_shared<const TNWDirHandleLease>(connection, dirHandle);
}

} // namespace nw
