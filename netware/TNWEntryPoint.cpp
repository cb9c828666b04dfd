// The process-wide handles of the four client libraries.
#include "TNWEntryPoint.h"

#include <array>
#include <cstddef>

namespace nw
{

const char* ClientLibraryFileName(TNWClientLibrary library)
{
    switch (library)
    {
    case TNWClientLibrary::Calls:
        return "CALWIN32.DLL";
    case TNWClientLibrary::Client:
        return "CLXWIN32.DLL";
    case TNWClientLibrary::Directory:
        return "NETWIN32.DLL";
    case TNWClientLibrary::Locale:
        return "LOCWIN32.DLL";
    }
    return "";
}

TLibraryHandle& ClientLibraryHandle(TNWClientLibrary library)
{
    static std::array<TLibraryHandle, 4> handles{};
    return handles[static_cast<std::size_t>(library)];
}

} // namespace nw
