// Creation of the connection component and its error properties.
#include "TNWBase.h"

#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWObjError.h"
#include "TNWPrint.h"
#include "TNWProp.h"
#include "TNWServer.h"

namespace nw
{

TNWBase::TNWBase()
{
    try
    {
        CreateModules();
        netAvailable_ = TNWLib::IsNetWareLoaded();
    }
    catch (...)
    {
        // A component that cannot start is reported through NetAvailable, never by an exception.
        netAvailable_ = false;
    }
}

TNWBase::~TNWBase() = default;

void TNWBase::CreateModules()
{
    // The order matters: the calls module loads the client before the directory module needs it.
    lib_ = std::make_unique<TNWLib>();
    nds_ = std::make_unique<TNWNDS>();
    server_ = std::make_unique<TNWServer>();
    print_ = std::make_unique<TNWPrint>();
    prop_ = std::make_unique<TNWProp>();
}

const TNWLastError& TNWBase::LastError()
{
    lastError_.NWLib = TNWLib::LastErrorText();
    lastError_.NWServer = TNWServer::LastErrorText();
    lastError_.NWProp = TNWProp::LastErrorText();
    lastError_.NWNDS = TNWNDS::LastErrorText();
    lastError_.NWPrint = TNWPrint::LastErrorText();
    return lastError_;
}

void TNWBase::RaiseNWError(const std::string& message) const
{
    if (!silentExceptions_)
        throw TNWObjError(message);
}

void TNWBase::SetShellErrorMode(TNWShellErrorMode mode)
{
    shellErrorMode_ = mode;
    TNWLib::SetNetWareErrorMode(static_cast<uint8_t>(mode));
}

} // namespace nw
