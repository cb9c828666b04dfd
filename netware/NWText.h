// Texts going to and coming from the client's character buffers.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace nw
{

// Upper-cases ASCII letters, as NetWare names are.
std::string UpperCase(std::string text);

// Without blanks, tabs and line ends at either side.
std::string TrimBlanks(const std::string& text);

// A writable NUL-terminated copy, for functions that take a plain character pointer.
std::vector<char> TextBuffer(const std::string& text);

// The text in a buffer the client filled, never read past its end even when it holds no NUL.
inline std::string BufferText(const char* buffer, size_t size)
{
    return std::string(buffer, strnlen(buffer, size));
}

template <size_t N> std::string BufferText(const std::array<char, N>& buffer)
{
    return BufferText(buffer.data(), N);
}

} // namespace nw
