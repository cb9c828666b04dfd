// Hides an export of a loaded DLL by clearing its address in the export directory: GetProcAddress then finds
// the name but no function, and fails as for a missing function. The saved address brings it back.
#include "TExportTable.h"

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <windows.h>

namespace nwsim
{
namespace
{

DWORD* FindExportAddress(HMODULE module, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (entry.VirtualAddress == 0)
        return nullptr;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    const auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
    auto* functions = reinterpret_cast<DWORD*>(base + exports->AddressOfFunctions);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        if (std::strcmp(reinterpret_cast<const char*>(base + names[i]), function) == 0)
            return &functions[ordinals[i]];
    return nullptr;
}

bool WriteAddress(DWORD* slot, DWORD value)
{
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof(DWORD), PAGE_READWRITE, &previous))
        return false;
    *slot = value;
    VirtualProtect(slot, sizeof(DWORD), previous, &previous);
    return true;
}

} // namespace

bool SetExportHidden(void* module, const char* function, bool hidden)
{
    static std::map<std::pair<void*, std::string>, DWORD> saved;
    DWORD* slot = FindExportAddress(static_cast<HMODULE>(module), function);
    if (slot == nullptr)
        return false;
    const std::pair<void*, std::string> key{module, function};
    if (hidden)
    {
        if (*slot == 0)
            return true;
        saved[key] = *slot;
        return WriteAddress(slot, 0);
    }
    const auto found = saved.find(key);
    if (found == saved.end())
        return true;
    const bool written = WriteAddress(slot, found->second);
    saved.erase(found);
    return written;
}

} // namespace nwsim
