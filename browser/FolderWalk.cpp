// The walk through a folder and the folders below it.
#include "FolderWalk.h"

#include "TUniqueHandle.h"

#include <windows.h>

namespace
{

bool Stopped(const TFolderWalkSteps& steps)
{
    return steps.stopRequested && steps.stopRequested();
}

bool IsDotName(const wchar_t* name)
{
    return (name[0] == L'.' && name[1] == L'\0') || (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// A folder to enter: not "." or "..", a directory, not hidden or system unless those are wanted. A link to
// another folder is not followed: it could lead back up the tree, and the walk would never end.
bool IsWalkedFolder(const WIN32_FIND_DATAW& found, bool includeHidden)
{
    const DWORD attributes = found.dwFileAttributes;
    if (IsDotName(found.cFileName) || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return false;
    return includeHidden || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

void WalkSubfolders(const std::wstring& folder, const TFolderWalkSteps& steps)
{
    WIN32_FIND_DATAW found{};
    const TFindHandle search(FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &found,
                                              FindExSearchLimitToDirectories, nullptr, 0));
    if (!search)
        return;
    do
    {
        if (IsWalkedFolder(found, steps.includeHidden) && !Stopped(steps))
            WalkFolder(folder + found.cFileName, steps);
    } while (FindNextFileW(search.Get(), &found));
}

} // namespace

void WalkFolder(const std::wstring& path, const TFolderWalkSteps& steps)
{
    if (path.empty())
        return;
    const std::wstring folder = path.back() == L'\\' ? path : path + L'\\';
    if (steps.reached)
        steps.reached(folder);
    if (!Stopped(steps) && steps.scan)
        steps.scan(folder);
    if (steps.includeSubfolders)
        WalkSubfolders(folder, steps);
}
