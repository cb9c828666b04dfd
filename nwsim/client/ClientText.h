// Copying texts into the caller's buffers without ever writing past them.
#pragma once

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

// Writes at most capacity - 1 characters and a NUL.
inline void CopyText(char* buffer, const std::string& text, size_t capacity)
{
    if (buffer == nullptr || capacity == 0)
        return;
    const size_t length = text.size() < capacity ? text.size() : capacity - 1;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// A caller's NUL-terminated text, read no further than limit characters; nothing when it is longer.
inline bool ReadText(const char* text, size_t limit, std::string& result)
{
    if (text == nullptr)
        return false;
    const size_t length = strnlen(text, limit + 1);
    if (length > limit)
        return false;
    result.assign(text, length);
    return true;
}

} // namespace nwsim
