// Files replaced whole or not at all.
#include "TAtomicFile.h"

#include "CrashPoint.h"
#include "SimFiles.h"

#include <algorithm>

namespace nwsim
{
namespace
{

// A megabyte at a time: a large store is never handed to the file system in one request.
constexpr size_t kPieceBytes = 1 << 20;

std::optional<uint64_t>& WriteCut()
{
    static std::optional<uint64_t> cut;
    return cut;
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

} // namespace

TAtomicFile::TAtomicFile(std::filesystem::path target)
    : target_(std::move(target)), temporary_(TemporaryBeside(target_))
{
    out_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!out_)
        throw TWriteError("cannot create " + Utf8FromPath(temporary_));
    pending_.reserve(kPieceBytes);
}

TAtomicFile::~TAtomicFile()
{
    if (committed_)
        return;
    out_.close();
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
}

void TAtomicFile::CutWritesAfter(std::optional<uint64_t> bytes)
{
    WriteCut() = bytes;
}

void TAtomicFile::Append(std::string_view text)
{
    pending_.append(text);
    appended_ += text.size();
    if (pending_.size() >= kPieceBytes)
        WritePending();
}

void TAtomicFile::WritePending()
{
    uint64_t kept = pending_.size();
    if (const std::optional<uint64_t> cut = WriteCut())
        kept = std::min<uint64_t>(kept, *cut > written_ ? *cut - written_ : 0);
    out_.write(pending_.data(), static_cast<std::streamsize>(kept));
    if (!out_)
        throw TWriteError("cannot write " + Utf8FromPath(temporary_));
    written_ += kept;
    pending_.clear();
}

void TAtomicFile::Commit()
{
    WritePending();
    out_.close();
    if (!out_)
        throw TWriteError("cannot finish " + Utf8FromPath(temporary_));
    // The file system's own count: a write that came out short must not replace what was there.
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(temporary_, error);
    if (error || size != appended_)
        throw TWriteError(Utf8FromPath(temporary_) + " holds " + (error ? "no" : std::to_string(size)) +
                          " of " + std::to_string(appended_) + " bytes written to it; " +
                          Utf8FromPath(target_) + " stays as it was");
    CrashPoint("atomic-write-renaming");
    if (!MoveOverFile(temporary_, target_))
        throw TWriteError("cannot replace " + Utf8FromPath(target_));
    committed_ = true;
}

} // namespace nwsim
