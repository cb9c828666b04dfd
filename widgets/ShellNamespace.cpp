// Access to the shell namespace.
#include "ShellNamespace.h"

#include <shlwapi.h>
#include <stdexcept>

namespace
{

std::string Narrow(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? static_cast<size_t>(size - 1) : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    return result;
}

} // namespace

ComPtr<IShellFolder> DesktopFolder()
{
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        throw std::runtime_error("The shell's Desktop folder is not available.");
    return desktop;
}

ComPtr<IShellFolder> BindFolder(LPCITEMIDLIST absolute)
{
    ComPtr<IShellFolder> desktop = DesktopFolder();
    if (TItemIdList::IsEmptyList(absolute))
        return desktop;
    ComPtr<IShellFolder> folder;
    if (FAILED(desktop->BindToObject(absolute, nullptr, IID_PPV_ARGS(&folder))))
        throw std::runtime_error("The shell cannot open the folder " + Narrow(DisplayNameOf(absolute)) + ".");
    return folder;
}

std::wstring DisplayName(IShellFolder* parent, LPCITEMIDLIST child, SHGDNF flags)
{
    STRRET name{};
    if (FAILED(parent->GetDisplayNameOf(child, flags, &name)))
        return {};
    wchar_t text[MAX_PATH] = {};
    if (FAILED(StrRetToBufW(&name, child, text, MAX_PATH)))
        return {};
    return text;
}

std::wstring DisplayNameOf(LPCITEMIDLIST absolute)
{
    TItemIdList desktop;
    if (TItemIdList::IsEmptyList(absolute))
    {
        desktop = TItemIdList::SpecialFolder(CSIDL_DESKTOP);
        absolute = desktop.Get();
    }
    SHFILEINFOW info{};
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_DISPLAYNAME) == 0)
        return {};
    return info.szDisplayName;
}

ULONG AttributesOf(IShellFolder* parent, LPCITEMIDLIST child, ULONG mask)
{
    ULONG attributes = mask;
    if (FAILED(parent->GetAttributesOf(1, &child, &attributes)))
        return 0;
    return attributes & mask;
}

std::wstring PathOf(LPCITEMIDLIST absolute)
{
    if (TItemIdList::IsEmptyList(absolute))
        return {};
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(absolute, path))
        return {};
    // Some shells answer a virtual folder with its parsing name ("::{CLSID}"), which is no file-system path.
    if (path[0] == L':' && path[1] == L':')
        return {};
    return std::wstring(path, wcsnlen(path, MAX_PATH));
}

int CompareItems(IShellFolder* folder, LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    const HRESULT result = folder->CompareIDs(0, first, second);
    if (FAILED(result))
        return 0;
    return static_cast<short>(HRESULT_CODE(result));
}

bool SameItem(LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    const bool firstEmpty = TItemIdList::IsEmptyList(first);
    const bool secondEmpty = TItemIdList::IsEmptyList(second);
    if (firstEmpty || secondEmpty)
        return firstEmpty == secondEmpty;
    return CompareItems(DesktopFolder().Get(), first, second) == 0;
}

HIMAGELIST SystemSmallImages()
{
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

int SmallIconIndex(LPCITEMIDLIST absolute, bool open)
{
    TItemIdList desktop;
    if (TItemIdList::IsEmptyList(absolute))
    {
        desktop = TItemIdList::SpecialFolder(CSIDL_DESKTOP);
        absolute = desktop.Get();
    }
    SHFILEINFOW info{};
    const UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(absolute), 0, &info, sizeof(info), flags) == 0)
        return 0;
    return info.iIcon;
}
