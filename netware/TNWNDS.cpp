// The directory module's loading, global context and name context.
#include "TNWNDS.h"

#include "TNWEntryPoint.h"

#include <vector>

namespace nw
{
namespace
{

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
    Context() = api::NWDSCreateContext.Bind()();
    SetNameContext("[Root]");
}

TNWNDS::~TNWNDS()
{
    if (Context() == 0)
        return;
    if (const auto freeContext = api::NWDSFreeContext.Bind())
        Record(freeContext(Context()));
    Context() = 0;
}

bool TNWNDS::SetNameContext(const std::string& name)
{
    const auto setContext = api::NWDSSetContext.Bind();
    if (setContext == nullptr)
        return false;
    std::vector<char> value(name.size() + 1, '\0');
    const std::string trimmed = TrimDirectoryName(name);
    std::copy(trimmed.begin(), trimmed.end(), value.begin());
    return Record(setContext(Context(), kDSNameContext, value.data())) == 0;
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
