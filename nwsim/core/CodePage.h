// Text between the workstation's ANSI code page, in which names and paths cross the stand-in's client exports
// as a real client takes and gives them, and UTF-8, in which the stand-in keeps them (world.json, the salvage
// stores, the names on disk). The one place where the stand-in converts between the two.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace nwsim
{

// A name that has no spelling in the code page it has to go to.
class TUnrepresentableName : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A text in the workstation's code page (the ANSI code page on Windows, Windows-1252 in the native build) as
// UTF-8. Throws TUnrepresentableName for bytes that the code page leaves undefined.
std::string Utf8FromAnsi(const std::string& text);

// A UTF-8 text in the workstation's code page. Throws TUnrepresentableName for a character that the code page
// lacks, and for bytes that are not UTF-8.
std::string AnsiFromUtf8(const std::string& text);

// The code point of UTF-8 text at position, which moves past it; nothing for bytes that are not UTF-8, and
// position then moves one byte on.
std::optional<char32_t> NextCodePoint(const std::string& text, size_t& position);

void AppendCodePoint(std::string& text, char32_t codePoint);

// The length of UTF-8 text in characters: what it takes of a client's buffer in a single-byte code page.
size_t CharacterCount(const std::string& text);

} // namespace nwsim
