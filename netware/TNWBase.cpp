// The connection component: its creation, properties and change notifications.
#include "TNWBase.h"

#include "NWText.h"
#include "TNWLib.h"
#include "TNWNDS.h"
#include "TNWObjError.h"
#include "TNWPrint.h"
#include "TNWProp.h"
#include "TNWServer.h"

namespace nw
{
namespace
{

constexpr const char* kCallsModuleVersion = "3.34 - 11 Oct 1997";

} // namespace

TNWBase::TNWBase(INWOwnerForm* owner) : owner_(owner)
{
    try
    {
        CreateModules();
        netAvailable_ = TNWLib::IsNetWareLoaded();
        if (!netAvailable_)
            return;
        InitializeDirectory();
        loginId_ = serverIsNDS_ ? TNWNDS::CanonicalizeName(TNWNDS::WhoAmI())
                                : TNWLib::GetConnectionLoginName(ServerHandle());
    }
    catch (...)
    {
        // A component that cannot start is reported through NetAvailable, never by an exception.
        netAvailable_ = false;
    }
}

TNWBase::~TNWBase()
{
    if (NDSAvailable())
        TNWNDS::FreeUnicode();
    nds_.reset();
    lib_.reset();
    server_.reset();
    print_.reset();
    prop_.reset();
}

void TNWBase::CreateModules()
{
    // The order matters: the calls module loads the client before the directory module needs it.
    lib_ = std::make_unique<TNWLib>();
    nds_ = std::make_unique<TNWNDS>();
    server_ = std::make_unique<TNWServer>();
    print_ = std::make_unique<TNWPrint>();
    prop_ = std::make_unique<TNWProp>();
}

void TNWBase::InitializeDirectory()
{
    if (!TNWNDS::InitUnicode())
        return;
    TNWLib::NDSMode() = true;
    serverIsNDS_ = TNWNDS::IsDSServer(ServerHandle());
    SetNDSContextName("");
    for (const TNWDSContextFlags::TFlag flag : TNWDSContextFlags::kCreationOrder)
        if (contextFlags_.Get(flag))
            TNWNDS::AddContextFlags(flag);
}

bool TNWBase::NDSAvailable()
{
    return serverIsNDS_ && TNWNDS::IsDSServer(ServerHandle());
}

std::string TNWBase::ServerVersion()
{
    TNWServerInfo info;
    if (!TNWServer::GetServerInfo(ServerHandle(), info))
        return "0.0";
    return info.Version;
}

std::string TNWBase::Version() const
{
    return std::string("1.21 / ") + kCallsModuleVersion;
}

void TNWBase::SetNDSContextName(const std::string& name)
{
    if (!NDSAvailable())
        return;
    std::string value = UpperCase(name);
    if (value.empty() || value == "[ROOT]")
    {
        TNWNDS::ResetContext();
        value = TNWNDS::GetNameContext();
    }
    else if (value != ndsContextName_)
        TNWNDS::SetNameContext(value);
    ndsContextName_ = value;
    NotifyOwnerControls(kNWServerChangedMessage);
}

std::string TNWBase::DefaultServer() const
{
    return TNWLib::GetServerNameOfConnection(TNWLib::GetPrimaryConnection());
}

void TNWBase::SetDefaultServer(const std::string& server)
{
    if (server != defaultServer_ && TNWLib::SetPreferredServer(server))
        defaultServer_ = server;
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

std::string TNWBase::FetchLoginID()
{
    if (NDSAvailable())
        return TNWNDS::WhoAmI();
    return TNWLib::GetConnectionLoginName(ServerHandle());
}

std::string TNWBase::LoginID()
{
    if (loginId_.empty())
        loginId_ = FetchLoginID();
    return loginId_;
}

void TNWBase::SetLoginID(const std::string& login)
{
    loginId_ = login.empty() ? FetchLoginID() : UpperCase(login);
    NotifyOwnerControls(kNWUserChangedMessage);
    if (OnUserChange)
        OnUserChange();
}

std::string TNWBase::ServerName()
{
    if (serverName_.empty())
        serverName_ = TNWLib::GetServerNameOfConnection(ServerHandle());
    return serverName_;
}

void TNWBase::SetServerName(const std::string& server)
{
    const std::string value = UpperCase(server);
    bool opened = true;
    if (value.empty())
    {
        serverHandle_ = TNWLib::GetPrimaryConnection();
        serverName_ = TNWLib::GetServerNameOfConnection(serverHandle_);
    }
    else if (const NWCONN_HANDLE connection = TNWServer::OpenServerConnection(value))
    {
        serverHandle_ = connection;
        serverName_ = value;
    }
    else
        opened = false;
    // The change is announced in every case, before a refusal is raised.
    NotifyOwnerControls(kNWServerChangedMessage);
    if (OnServerChange)
        OnServerChange();
    if (!opened)
        RaiseNWError("Invalid Server Handle");
}

TDateTime TNWBase::ServerDate()
{
    return TNWLib::GetServerDate(ServerHandle());
}

void TNWBase::SetServerDate(TDateTime when)
{
    TNWServer::SetServerDateTime(ServerHandle(), when);
}

TNWBroadcastMode TNWBase::BroadcastMode()
{
    return static_cast<TNWBroadcastMode>(TNWLib::GetBroadcastMode(ServerHandle()));
}

void TNWBase::SetBroadcastMode(TNWBroadcastMode mode)
{
    TNWLib::SetBroadcastMode(ServerHandle(), static_cast<uint16_t>(mode));
}

NWCONN_HANDLE TNWBase::ServerHandle()
{
    if (serverHandle_ == 0)
        serverHandle_ = TNWLib::GetPrimaryConnection();
    return serverHandle_;
}

std::string TNWBase::LoginFullName()
{
    return TNWLib::GetObjectFullName(ServerHandle(), loginId_);
}

std::string TNWBase::ObjectID()
{
    if (NDSAvailable())
        return TNWNDS::MapNameToID(ServerHandle(), LoginID());
    const std::string login = LoginID();
    return TNWLib::GetObjectIDText(ServerHandle(), login, ObjectTypeCode(ObjectType()));
}

uint16_t TNWBase::ConnectionID()
{
    return TNWLib::GetConnectionNumber(ServerHandle());
}

TNWObjType TNWBase::ObjectType()
{
    if (const std::optional<TNWObjType> type = ObjectTypeOfCode(NWObjectType()))
        return *type;
    RaiseNWError("Invalid Netware Object Type");
    return TNWObjType::nwObjTypeUser;
}

uint16_t TNWBase::NWObjectType()
{
    return TNWLib::GetObjectTypeOfName(ServerHandle(), loginId_);
}

uint16_t TNWBase::MaxServerConns() const
{
    return TNWLib::GetMaxConnections();
}

bool TNWBase::ConsoleOperator()
{
    return TNWLib::IsConsoleOperator(ServerHandle());
}

bool TNWBase::Manager()
{
    return TNWLib::IsManager(ServerHandle());
}

char TNWBase::FirstNetworkDrive() const
{
    return TNWLib::GetFirstNetworkDrive();
}

char TNWBase::NextNetworkDrive() const
{
    return TNWLib::GetNextNetworkDrive();
}

void TNWBase::NotifyOwnerControls(uint32_t message)
{
    if (owner_ != nullptr)
        owner_->SendToWindowedControls(message);
}

} // namespace nw
