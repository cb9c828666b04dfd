// A file written whole or not at all: its content goes in pieces to a temporary file beside it, and only when
// the temporary holds every byte meant for it does it replace the file. A reader (or a crash) sees the old
// content or the new, never a mixture and never a file cut short.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nwsim
{

class TWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class TAtomicFile
{
public:
    // Opens the temporary file. Throws TWriteError when it cannot be made.
    explicit TAtomicFile(std::filesystem::path target);
    // Without a commit the temporary file goes and the target stays as it was.
    ~TAtomicFile();

    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    // Adds to the content; it goes to disk a piece at a time. Throws TWriteError when a piece cannot be
    // written.
    void Append(std::string_view text);
    // Writes the rest, checks the temporary's size on disk against every byte appended and puts the temporary
    // in the target's place. Throws TWriteError, with the target untouched, when anything falls short.
    void Commit();

    // For tests: from now on every file keeps only its first bytes on disk, as a failing disk that loses what
    // it acknowledged; nothing restores whole writes.
    static void CutWritesAfter(std::optional<uint64_t> bytes);

private:
    void WritePending();

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream out_;
    std::string pending_;
    uint64_t appended_ = 0;
    uint64_t written_ = 0;
    bool committed_ = false;
};

} // namespace nwsim
