// Which names a recovered file can be given: the rename dialog refuses the others with the reason.
#pragma once

#include <string>

// The longest path, folder and name, that a NetWare volume holds, in the client code page's bytes.
inline constexpr size_t kLongestVolumePath = 255;

// Why the name cannot be given to a file recovered into the folder (a drive-letter path ending in a
// backslash), or empty when it can: a name of its own, not a path, that the volume and Windows both take.
std::wstring RecoveryNameProblem(const std::wstring& name, const std::wstring& folder);
