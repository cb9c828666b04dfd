// The server connection component: creating it loads the NetWare client; its properties give the
// connection, the login identity and the modules' completion codes.
#pragma once

#include "TNWLastError.h"
#include "TNWShellErrorMode.h"

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
    // Never throws: any failure after the libraries start loading leaves NetAvailable false.
    TNWBase();
    ~TNWBase();

    TNWBase(const TNWBase&) = delete;
    TNWBase& operator=(const TNWBase&) = delete;

    // Whether the client was loaded and had a primary connection when the component was created.
    bool NetAvailable() const { return netAvailable_; }

    // Refreshes and returns the five modules' last errors as text.
    const TNWLastError& LastError();

    // Raises TNWObjError with the message unless SilentExceptions is set.
    void RaiseNWError(const std::string& message) const;

    bool SilentExceptions() const { return silentExceptions_; }
    void SetSilentExceptions(bool silent) { silentExceptions_ = silent; }

    TNWShellErrorMode ShellErrorMode() const { return shellErrorMode_; }
    // Stores the mode and always passes it to the client, even when it is unchanged.
    void SetShellErrorMode(TNWShellErrorMode mode);

private:
    void CreateModules();

    bool netAvailable_ = false;
    bool silentExceptions_ = true;
    TNWShellErrorMode shellErrorMode_ = TNWShellErrorMode::nwErrInteractive;
    TNWLastError lastError_;
    std::unique_ptr<TNWLib> lib_;
    std::unique_ptr<TNWNDS> nds_;
    std::unique_ptr<TNWServer> server_;
    std::unique_ptr<TNWPrint> print_;
    std::unique_ptr<TNWProp> prop_;
};

} // namespace nw
