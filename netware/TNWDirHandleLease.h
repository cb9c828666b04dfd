// A scan's temporary directory handle, held by everything that carries the scan's entries: the handle goes
// back to the server when the last holder lets go of it.
#pragma once

#include "NWClientApi.h"

#include <memory>

namespace nw
{

class TNWDirHandleLease
{
public:
    TNWDirHandleLease(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle)
        : connection_(connection), dirHandle_(dirHandle)
    {
    }
    // Releases the handle with NWDeallocateDirectoryHandle; the server's answer changes nothing.
    ~TNWDirHandleLease();

    TNWDirHandleLease(const TNWDirHandleLease&) = delete;
    TNWDirHandleLease& operator=(const TNWDirHandleLease&) = delete;

    NWCONN_HANDLE Connection() const { return connection_; }
    NWDIR_HANDLE DirHandle() const { return dirHandle_; }

private:
    NWCONN_HANDLE connection_;
    NWDIR_HANDLE dirHandle_;
};

using TNWDirHandleShare = std::shared_ptr<const TNWDirHandleLease>;

// One shared lease on a handle; nothing for handle 0, which the server never hands out.
TNWDirHandleShare LeaseDirHandle(NWCONN_HANDLE connection, NWDIR_HANDLE dirHandle);

} // namespace nw
