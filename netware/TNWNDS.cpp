// The directory module: the global context, names and IDs, listings and attribute reads.
#include "TNWNDS.h"

#include "NWText.h"
#include "TNWEntryPoint.h"
#include "TNWLib.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace nw
{
namespace
{

constexpr size_t kNameBuffer = 1028;
constexpr uint32_t kDSBufferSize = 4096;
constexpr uint32_t kReadOperation = 3;
constexpr uint32_t kCanonicalFlags = 0x13;
constexpr size_t kObjectInformationSize = 80;
constexpr size_t kBaseClassOffset = 12;
// Results never need more rounds than this; a client that keeps iterating is not followed further.
constexpr int kMaxIterations = 4096;
// The largest attribute value read into a sized area.
constexpr uint32_t kMaxValueSize = 65536;

// Binds every function the module needs, in a fixed order, stopping at the first one that is missing.
bool BindDirectoryFunctions()
{
    return api::NWLlocaleconv.Bind() && api::NWInitUnicodeTables.Bind() && api::NWDSCreateContext.Bind() &&
           api::NWDSFreeContext.Bind() && api::NWDSSetContext.Bind() && api::NWDSAllocBuf.Bind() &&
           api::NWDSInitBuf.Bind() && api::NWDSFreeBuf.Bind() && api::NWDSDuplicateContext.Bind() &&
           api::NWDSPutAttrName.Bind() && api::NWDSPutAttrVal.Bind() && api::NWDSGetAttrName.Bind() &&
           api::NWDSGetAttrVal.Bind() && api::NWDSGetAttrCount.Bind() && api::NWDSPutChange.Bind() &&
           api::NWDSModifyObject.Bind() && api::NWDSComputeAttrValSize.Bind() && api::NWDSRead.Bind() &&
           api::NWDSRemoveObject.Bind() && api::NWDSGenerateObjectKeyPair.Bind() &&
           api::NWDSGetObjectName.Bind() && api::NWDSGetObjectCount.Bind() && api::NWDSAddObject.Bind() &&
           api::NWDSList.Bind() && api::NWFreeUnicodeTables.Bind() && api::NWDSGetContext.Bind() &&
           api::NWDSOpenStream.Bind();
}

bool LibrariesLoaded()
{
    return ClientLibraryHandle(TNWClientLibrary::Directory) != nullptr &&
           ClientLibraryHandle(TNWClientLibrary::Locale) != nullptr;
}

// A context handle from the client: a positive handle, else 0 with the error recorded.
NWDSContextHandle Handle(NWDSContextHandle returned)
{
    if (returned > 0)
        return returned;
    if (returned < 0)
        TNWNDS::Record(returned);
    return 0;
}

void FreeContext(NWDSContextHandle context)
{
    if (context > 0)
        if (const auto freeContext = api::NWDSFreeContext.Bind())
            TNWNDS::Record(freeContext(context));
}

// A context for work in a container, which the caller frees; 0 when none can be had. Setting a container
// also hands the global context over to it.
NWDSContextHandle WorkingContext(const std::string& container)
{
    const auto duplicate = api::NWDSDuplicateContext.Bind();
    const auto create = api::NWDSCreateContext.Bind();
    const auto setContext = api::NWDSSetContext.Bind();
    if (duplicate == nullptr || create == nullptr || setContext == nullptr)
        return 0;
    NWDSContextHandle& global = TNWNDS::Context();
    if (container.empty())
        return Handle(duplicate(global));

    const NWDSContextHandle working = Handle(global <= 0 ? create() : duplicate(global));
    if (working == 0)
        return 0;
    std::vector<char> name = TextBuffer(TrimDirectoryName(container));
    if (TNWNDS::Record(setContext(working, kDSNameContext, name.data())) != 0)
    {
        FreeContext(working);
        return 0;
    }
    FreeContext(global);
    global = 0;
    if (const auto duplicateHandle = api::NWDSDuplicateContextHandle.LookUp())
    {
        NWDSContextHandle copy = 0;
        if (TNWNDS::Record(duplicateHandle(working, &copy)) == 0)
            global = Handle(copy);
    }
    else
        global = Handle(duplicate(working));
    // The old context is gone; without a copy every later directory call would go to no context at all, so a
    // fresh one takes its place, in the container where possible.
    if (global == 0)
    {
        global = Handle(create());
        if (global != 0)
            TNWNDS::Record(setContext(global, kDSNameContext, name.data()));
    }
    return working;
}

// A buffer of the directory client, freed when it goes.
class TDSBuffer
{
public:
    TDSBuffer()
    {
        if (const auto allocate = api::NWDSAllocBuf.Bind())
            if (TNWNDS::Record(allocate(kDSBufferSize, &buffer_)) != 0)
                buffer_ = nullptr;
    }
    ~TDSBuffer()
    {
        if (buffer_ != nullptr)
            if (const auto free = api::NWDSFreeBuf.Bind())
                TNWNDS::Record(free(buffer_));
    }
    TDSBuffer(const TDSBuffer&) = delete;
    TDSBuffer& operator=(const TDSBuffer&) = delete;

    NWDSBuffer Get() const { return buffer_; }

private:
    NWDSBuffer buffer_ = nullptr;
};

// A working context that is freed when it goes.
class TWorkingContext
{
public:
    explicit TWorkingContext(const std::string& container) : context_(WorkingContext(container)) {}
    ~TWorkingContext() { FreeContext(context_); }
    TWorkingContext(const TWorkingContext&) = delete;
    TWorkingContext& operator=(const TWorkingContext&) = delete;

    NWDSContextHandle Get() const { return context_; }

private:
    NWDSContextHandle context_;
};

} // namespace

TNWErrorCells& TNWNDS::Cells()
{
    static TNWErrorCells cells;
    return cells;
}

NWDSContextHandle& TNWNDS::Context()
{
    static NWDSContextHandle context = 0;
    return context;
}

TNWNDS::TNWNDS()
{
    Cells() = {};
    Context() = 0;
    TLibraryHandle& directory = ClientLibraryHandle(TNWClientLibrary::Directory);
    TLibraryHandle& locale = ClientLibraryHandle(TNWClientLibrary::Locale);
    directory = LoadDynamicLibrary(ClientLibraryFileName(TNWClientLibrary::Directory));
    locale =
        directory != nullptr ? LoadDynamicLibrary(ClientLibraryFileName(TNWClientLibrary::Locale)) : nullptr;
    if (directory == nullptr || locale == nullptr)
    {
        Cells().lastError = kNWLibraryNotLoaded;
        return;
    }
    if (!BindDirectoryFunctions())
        return;
    Context() = Handle(api::NWDSCreateContext.Bind()());
    SetNameContext("[Root]");
}

TNWNDS::~TNWNDS()
{
    FreeContext(Context());
    Context() = 0;
}

bool TNWNDS::InitUnicode()
{
    if (!LibrariesLoaded())
        return false;
    const auto create = api::NWDSCreateContext.Bind();
    const auto localeconv = api::NWLlocaleconv.Bind();
    const auto initTables = api::NWInitUnicodeTables.Bind();
    if (create == nullptr || localeconv == nullptr || initTables == nullptr)
        return false;
    if (Context() == 0)
        Context() = Handle(create());
    // The locale record has grown between client versions; it gets more room than this layout takes.
    std::array<uint8_t, 512> room{};
    auto* locale = reinterpret_cast<NW_LCONV*>(room.data());
    localeconv(locale);
    const NWDSCCODE code = Record(static_cast<NWDSCCODE>(initTables(locale->countryId, locale->codePage)));
    return code == 0 && Context() != 0;
}

bool TNWNDS::FreeUnicode()
{
    const auto freeTables = api::NWFreeUnicodeTables.Bind();
    return freeTables != nullptr && Record(static_cast<NWDSCCODE>(freeTables())) == 0;
}

std::string TNWNDS::GetNameContext()
{
    const auto getContext = api::NWDSGetContext.Bind();
    if (getContext == nullptr)
        return {};
    std::array<char, kNameBuffer> name{};
    if (Record(getContext(Context(), kDSNameContext, name.data())) != 0)
        return {};
    return BufferText(name.data(), name.size());
}

bool TNWNDS::SetNameContext(const std::string& name)
{
    const auto setContext = api::NWDSSetContext.Bind();
    if (setContext == nullptr)
        return false;
    std::vector<char> value = TextBuffer(TrimDirectoryName(name));
    return Record(setContext(Context(), kDSNameContext, value.data())) == 0;
}

void TNWNDS::ResetContext()
{
    FreeContext(Context());
    Context() = 0;
    if (const auto create = api::NWDSCreateContext.Bind())
        Context() = Handle(create());
    SetNameContext("[Root]");
}

uint32_t TNWNDS::GetContextFlags()
{
    const auto getContext = api::NWDSGetContext.Bind();
    uint32_t flags = 0;
    if (getContext == nullptr || Record(getContext(Context(), kDSContextFlags, &flags)) != 0)
        return 0;
    return flags;
}

bool TNWNDS::AddContextFlags(uint32_t bits)
{
    return SetContextFlags(GetContextFlags() | bits);
}

bool TNWNDS::SetContextFlags(uint32_t flags)
{
    const auto setContext = api::NWDSSetContext.Bind();
    return setContext != nullptr && Record(setContext(Context(), kDSContextFlags, &flags)) == 0;
}

std::string TNWNDS::CanonicalizeName(const std::string& name)
{
    const auto getContext = api::NWDSGetContext.Bind();
    const auto setContext = api::NWDSSetContext.Bind();
    const auto canonicalize = api::NWDSCanonicalizeName.Bind();
    if (getContext == nullptr || setContext == nullptr || canonicalize == nullptr)
        return {};
    uint32_t previous = 0;
    if (Record(getContext(Context(), kDSContextFlags, &previous)) != 0)
        return {};
    uint32_t canonical = kCanonicalFlags;
    Record(setContext(Context(), kDSContextFlags, &canonical));
    std::vector<char> input = TextBuffer(name);
    std::array<char, kNameBuffer> output{};
    const NWDSCCODE code = Record(canonicalize(Context(), input.data(), output.data()));
    Record(setContext(Context(), kDSContextFlags, &previous));
    return code == 0 ? BufferText(output.data(), output.size()) : std::string();
}

std::string TNWNDS::WhoAmI()
{
    const auto whoAmI = api::NWDSWhoAmI.Bind();
    if (whoAmI == nullptr)
        return {};
    std::array<char, kNameBuffer> name{};
    if (whoAmI(Context(), name.data()) != 0)
        return {};
    return BufferText(name.data(), name.size());
}

std::string TNWNDS::MapNameToID(NWCONN_HANDLE connection, const std::string& name)
{
    const auto mapNameToId = api::NWDSMapNameToID.Bind();
    if (mapNameToId == nullptr)
        return {};
    std::vector<char> input = TextBuffer(name);
    uint32_t id = 0;
    if (Record(mapNameToId(Context(), TNWLib::ResolveConnection(connection), input.data(), &id)) != 0)
        return {};
    return HexWithoutLeadingZeros(TNWLib::LongSwap(id));
}

uint32_t TNWNDS::AuditGetObjectID(NWCONN_HANDLE connection, const std::string& name)
{
    const auto auditGetObjectId = api::NWDSAuditGetObjectID.Bind();
    if (auditGetObjectId == nullptr)
        return 0;
    std::vector<char> input = TextBuffer(name);
    NWCONN_HANDLE resolved = TNWLib::ResolveConnection(connection);
    uint32_t id = 0;
    if (Record(auditGetObjectId(Context(), input.data(), &resolved, &id)) != 0)
        return 0;
    return id;
}

bool TNWNDS::IsDSServer(NWCONN_HANDLE connection)
{
    const auto isDSServer = api::NWIsDSServer.Bind();
    if (isDSServer == nullptr)
        return false;
    std::array<char, kNameBuffer> tree{};
    if (isDSServer(TNWLib::ResolveConnection(connection), tree.data()) == 0)
    {
        Cells().lastError = static_cast<uint32_t>(-1);
        return false;
    }
    return strnlen(tree.data(), tree.size()) > 0;
}

std::string TNWNDS::MapIDToName(NWCONN_HANDLE connection, uint32_t objectId)
{
    const auto mapIdToName = api::NWDSMapIDToName.Bind();
    if (mapIdToName == nullptr)
        return {};
    std::array<char, kNameBuffer> name{};
    if (Record(mapIdToName(Context(), TNWLib::ResolveConnection(connection), objectId, name.data())) != 0)
        return {};
    return BufferText(name.data(), name.size());
}

std::vector<TNWDSListEntry> TNWNDS::ListSubordinates(const std::string& container, const std::string& object)
{
    std::vector<TNWDSListEntry> listing;
    const auto list = api::NWDSList.Bind();
    const auto getObjectCount = api::NWDSGetObjectCount.Bind();
    const auto getObjectName = api::NWDSGetObjectName.Bind();
    if (list == nullptr || getObjectCount == nullptr || getObjectName == nullptr)
        return listing;
    const TDSBuffer result;
    if (result.Get() == nullptr)
        return listing;
    const TWorkingContext working(container);
    if (working.Get() == 0)
        return listing;

    std::vector<char> name = TextBuffer(object);
    int32_t iteration = -1;
    for (int round = 0; round < kMaxIterations; ++round)
    {
        if (Record(list(working.Get(), name.data(), &iteration, result.Get())) != 0)
            break;
        uint32_t count = 0;
        if (Record(getObjectCount(working.Get(), result.Get(), &count)) != 0)
            break;
        for (uint32_t i = 0; i < count; ++i)
        {
            std::array<char, kNameBuffer> listed{};
            std::array<uint8_t, kObjectInformationSize> information{};
            uint32_t attributes = 0;
            if (Record(getObjectName(working.Get(), result.Get(), listed.data(), &attributes,
                                     information.data())) == 0)
                listing.push_back(
                    {BufferText(listed.data(), listed.size()), ClassKindOf(information.data())});
        }
        if (iteration == -1)
            break;
    }
    return listing;
}

bool TNWNDS::ReadAttributeValue(NWDSContextHandle context, const std::string& object, int attribute,
                                std::vector<char>& area)
{
    const auto initBuffer = api::NWDSInitBuf.Bind();
    const auto putAttrName = api::NWDSPutAttrName.Bind();
    const auto read = api::NWDSRead.Bind();
    const auto getAttrCount = api::NWDSGetAttrCount.Bind();
    const auto getAttrName = api::NWDSGetAttrName.Bind();
    const auto computeSize = api::NWDSComputeAttrValSize.Bind();
    const auto getAttrVal = api::NWDSGetAttrVal.Bind();
    if (!initBuffer || !putAttrName || !read || !getAttrCount || !getAttrName || !computeSize || !getAttrVal)
        return false;
    const TDSBuffer request;
    const TDSBuffer result;
    if (request.Get() == nullptr || result.Get() == nullptr)
        return false;
    Record(initBuffer(context, kReadOperation, request.Get()));
    std::vector<char> attributeName = TextBuffer(AttributeName(attribute));
    Record(putAttrName(context, request.Get(), attributeName.data()));

    std::vector<char> objectName = TextBuffer(object);
    bool valueRead = false;
    int32_t iteration = -1;
    for (int round = 0; round < kMaxIterations; ++round)
    {
        if (Record(read(context, objectName.data(), 1, 0, request.Get(), &iteration, result.Get())) != 0)
            break;
        uint32_t count = 0;
        if (Record(getAttrCount(context, result.Get(), &count)) == 0 && count > 0)
        {
            std::array<char, kNameBuffer> name{};
            uint32_t values = 0;
            uint32_t syntax = 0;
            uint32_t size = 0;
            // The area grows to the value's size, so that the client never writes past it.
            if (Record(getAttrName(context, result.Get(), name.data(), &values, &syntax)) == 0 &&
                Record(computeSize(context, result.Get(), syntax, &size)) == 0 && size <= kMaxValueSize)
            {
                area.assign(std::max<size_t>(area.size(), size), '\0');
                valueRead = Record(getAttrVal(context, result.Get(), syntax, area.data())) == 0 || valueRead;
            }
        }
        if (iteration == -1)
            break;
    }
    return valueRead;
}

std::pair<bool, std::string> TNWNDS::ReadAttributeString(const std::string& container,
                                                         const std::string& object, int attribute)
{
    const TWorkingContext working(container);
    if (working.Get() == 0)
        return {false, {}};
    std::vector<char> area(kDSValueAreaSize, '\0');
    if (!ReadAttributeValue(working.Get(), object, attribute, area))
        return {false, {}};
    return {true, BufferText(area.data(), area.size())};
}

TNWDSClassKind TNWNDS::ClassKindOf(const uint8_t* objectInformation)
{
    const char* baseClass = reinterpret_cast<const char*>(objectInformation + kBaseClassOffset);
    return ClassKindOfBaseClass(BufferText(baseClass, kObjectInformationSize - kBaseClassOffset));
}

std::string TrimDirectoryName(const std::string& name)
{
    const size_t first = name.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    size_t last = name.size();
    while (last > first)
    {
        const unsigned char c = static_cast<unsigned char>(name[last - 1]);
        if (c != ' ' && c > 2)
            break;
        --last;
    }
    return name.substr(first, last - first);
}

} // namespace nw
