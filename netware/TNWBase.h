// The server connection component: creating it loads the NetWare client; its properties give the
// connection, the login identity, versions, the server's date and similar facts, each read from the client.
#pragma once

#include "INWOwnerForm.h"
#include "NWClientApi.h"
#include "TDateTime.h"
#include "TNWDSContextFlags.h"
#include "TNWLastError.h"
#include "TNWObjType.h"
#include "TNWShellErrorMode.h"

#include <functional>
#include <memory>
#include <string>

namespace nw
{

class TNWLib;
class TNWNDS;
class TNWServer;
class TNWPrint;
class TNWProp;

class TNWBase
{
public:
    // Never throws: any failure after the libraries start loading leaves NetAvailable false. The owner, when
    // given, receives the change notifications.
    explicit TNWBase(INWOwnerForm* owner = nullptr);
    ~TNWBase();

    TNWBase(const TNWBase&) = delete;
    TNWBase& operator=(const TNWBase&) = delete;

    std::function<void()> OnServerChange;
    std::function<void()> OnUserChange;

    // Whether the client was loaded and had a primary connection when the component was created.
    bool NetAvailable() const { return netAvailable_; }
    bool NDSAvailable();
    std::string ServerVersion();
    std::string Version() const;

    const std::string& NDSContextName() const { return ndsContextName_; }
    void SetNDSContextName(const std::string& name);
    TNWDSContextFlags& NDSContextFlags() { return contextFlags_; }

    std::string DefaultServer() const;
    void SetDefaultServer(const std::string& server);

    // Refreshes and returns the five modules' last errors as text.
    const TNWLastError& LastError();
    // Raises TNWObjError with the message unless SilentExceptions is set.
    void RaiseNWError(const std::string& message) const;
    bool SilentExceptions() const { return silentExceptions_; }
    void SetSilentExceptions(bool silent) { silentExceptions_ = silent; }
    TNWShellErrorMode ShellErrorMode() const { return shellErrorMode_; }
    // Stores the mode and always passes it to the client, even when it is unchanged.
    void SetShellErrorMode(TNWShellErrorMode mode);

    std::string LoginID();
    void SetLoginID(const std::string& login);
    std::string ServerName();
    void SetServerName(const std::string& server);
    TDateTime ServerDate();
    void SetServerDate(TDateTime when);
    TNWBroadcastMode BroadcastMode();
    void SetBroadcastMode(TNWBroadcastMode mode);

    // The connection of the current server; the primary connection until ServerName is written.
    NWCONN_HANDLE ServerHandle();
    std::string LoginFullName();
    std::string ObjectID();
    uint16_t ConnectionID();
    TNWObjType ObjectType();
    uint16_t NWObjectType();
    uint16_t MaxServerConns() const;
    bool ConsoleOperator();
    bool Manager();
    char FirstNetworkDrive() const;
    char NextNetworkDrive() const;

private:
    void CreateModules();
    void InitializeDirectory();
    std::string FetchLoginID();
    void NotifyOwnerControls(uint32_t message);

    INWOwnerForm* owner_;
    std::string loginId_;
    std::string serverName_;
    std::string defaultServer_;
    std::string ndsContextName_;
    bool netAvailable_ = false;
    bool serverIsNDS_ = false;
    bool silentExceptions_ = true;
    TNWShellErrorMode shellErrorMode_ = TNWShellErrorMode::nwErrInteractive;
    NWCONN_HANDLE serverHandle_ = 0;
    TNWLastError lastError_;
    TNWDSContextFlags contextFlags_;
    std::unique_ptr<TNWLib> lib_;
    std::unique_ptr<TNWNDS> nds_;
    std::unique_ptr<TNWServer> server_;
    std::unique_ptr<TNWPrint> print_;
    std::unique_ptr<TNWProp> prop_;
};

} // namespace nw
