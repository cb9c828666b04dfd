// The directory module: loads the directory and locale libraries and keeps the global directory context; name
// context and flags, canonical names, identity, name and ID mapping, listings and attribute reads.
#pragma once

#include "NWClientApi.h"
#include "TNWDSSchema.h"
#include "TNWErrorCells.h"

#include <string>
#include <utility>
#include <vector>

namespace nw
{

// Context keys of NWDSGetContext and NWDSSetContext.
constexpr int32_t kDSContextFlags = 1;
constexpr int32_t kDSNameContext = 3;
// The size of the value area that attribute reads fill.
constexpr size_t kDSValueAreaSize = 1028;

// One object of a listing: its name as the context shows it, and the kind of its base class.
struct TNWDSListEntry
{
    std::string name;
    TNWDSClassKind kind = TNWDSClassKind::Unknown;
    bool operator==(const TNWDSListEntry&) const = default;
};

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

    static bool InitUnicode();
    static bool FreeUnicode();
    static std::string GetNameContext();
    static bool SetNameContext(const std::string& name);
    static void ResetContext();
    static uint32_t GetContextFlags();
    // Adds bits to the context flags; it never clears one.
    static bool AddContextFlags(uint32_t bits);
    // Replaces the context flags, which clears the bits not given.
    static bool SetContextFlags(uint32_t flags);
    static std::string CanonicalizeName(const std::string& name);
    static std::string WhoAmI();
    static std::string MapNameToID(NWCONN_HANDLE connection, const std::string& name);
    static uint32_t AuditGetObjectID(NWCONN_HANDLE connection, const std::string& name);
    static bool IsDSServer(NWCONN_HANDLE connection);
    static std::string MapIDToName(NWCONN_HANDLE connection, uint32_t objectId);

    // The objects below an object, in a context set to the container (the global context takes it over).
    static std::vector<TNWDSListEntry> ListSubordinates(const std::string& container,
                                                        const std::string& object);
    // Reads an attribute's first value into the area; a value larger than the area is not read.
    static bool ReadAttributeValue(NWDSContextHandle context, const std::string& object, int attribute,
                                   std::vector<char>& area);
    // Whether the attribute was read, and its value as text.
    static std::pair<bool, std::string> ReadAttributeString(const std::string& container,
                                                            const std::string& object, int attribute);
    // The kind of the base class in an 80-byte object-information record.
    static TNWDSClassKind ClassKindOf(const uint8_t* objectInformation);

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
