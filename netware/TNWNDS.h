// The directory module: loads the directory and locale libraries and keeps the global directory context and
// the module's completion codes.
#pragma once

#include "NWClientApi.h"
#include "TNWErrorCells.h"

#include <string>

namespace nw
{

// Context keys of NWDSGetContext and NWDSSetContext.
constexpr int32_t kDSContextFlags = 1;
constexpr int32_t kDSNameContext = 3;

class TNWNDS
{
public:
    // Loads NETWIN32.DLL and LOCWIN32.DLL, binds the directory functions and creates the global context.
    TNWNDS();
    // Frees the global context.
    ~TNWNDS();

    TNWNDS(const TNWNDS&) = delete;
    TNWNDS& operator=(const TNWNDS&) = delete;

    static std::string LastErrorText() { return NWCodeText(Cells().lastError); }

    // Sets the global context's name context; true on success.
    static bool SetNameContext(const std::string& name);

    // Process-wide state of the module. Directory codes are signed; the cells hold their bit patterns.
    static TNWErrorCells& Cells();
    static NWDSContextHandle& Context();
    static NWDSCCODE Record(NWDSCCODE code)
    {
        return static_cast<NWDSCCODE>(Cells().Record(static_cast<uint32_t>(code)));
    }
};

// A directory name as the directory expects it: leading blanks, and trailing blanks and control codes 0 to 2,
// removed.
std::string TrimDirectoryName(const std::string& name);

} // namespace nw
