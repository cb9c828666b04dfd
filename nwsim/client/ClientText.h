// Texts to and from the caller's buffers: in the workstation's code page there, UTF-8 inside the stand-in,
// and never written or read past a buffer's end.
#pragma once

#include "CodePage.h"

#include <cstddef>
#include <cstring>
#include <string>

namespace nwsim
{

// NetWare's limits for the texts the stand-in writes.
constexpr size_t kServerNameBytes = 49; // 48 characters and a NUL
constexpr size_t kObjectNameBytes = 49; // bindery names
constexpr size_t kPathBytes = 256;      // 255 characters and a NUL
constexpr size_t kDirectoryNameBytes = 257;

// Writes the text in the workstation's code page, at most capacity - 1 bytes and a NUL. Throws
// TUnrepresentableName when the text has no spelling there.
inline void CopyText(char* buffer, const std::string& text, size_t capacity)
{
    if (buffer == nullptr || capacity == 0)
        return;
    const std::string spelled = AnsiFromUtf8(text);
    const size_t length = spelled.size() < capacity ? spelled.size() : capacity - 1;
    std::memcpy(buffer, spelled.data(), length);
    buffer[length] = '\0';
}

// A caller's NUL-terminated text in the workstation's code page, read no further than limit bytes, as UTF-8;
// nothing when it is longer. Throws TUnrepresentableName for bytes the code page does not define.
inline bool ReadText(const char* text, size_t limit, std::string& result)
{
    if (text == nullptr)
        return false;
    const size_t length = strnlen(text, limit + 1);
    if (length > limit)
        return false;
    result = Utf8FromAnsi(std::string(text, length));
    return true;
}

} // namespace nwsim
