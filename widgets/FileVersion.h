// The fixed file version of a module's version resource, and its text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TFileVersion
{
    // The two most significant parts in the high and low halves of the first word, the other two in the
    // second.
    uint32_t mostSignificant = 0;
    uint32_t leastSignificant = 0;
};

// Nothing when the file has no readable version resource.
std::optional<TFileVersion> ReadFileVersion(const std::wstring& path);

// The four 16-bit parts in decimal, most significant first, joined by ".": 2.0.3.17.
std::wstring FileVersionText(const TFileVersion& version);

// The path of the running program's executable.
std::wstring ProgramFilePath();
