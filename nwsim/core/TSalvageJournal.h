// The changes made to a large salvage store since it was last written whole, a batch per save, so that a
// change to one entry does not rewrite every other one. A batch counts only once its closing line is on disk:
// a crash in the middle of one leaves the store as it was before it.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nwsim
{

class TSalvageJournal
{
public:
    explicit TSalvageJournal(std::filesystem::path file) : file_(std::move(file)) {}

    // Hands every change of every whole batch written for this generation of the store to take, in order,
    // and each batch's next ID to the last. Returns the bytes that those batches take, or nullopt when the
    // journal does not belong to the generation: one written for an earlier one (left by a crash right after
    // the store was written whole) is not read.
    std::optional<uintmax_t> Replay(uint64_t generation,
                                    const std::function<void(const nlohmann::json&)>& take,
                                    const std::function<void(uint32_t)>& nextId) const;
    // Adds one batch (each change a line of JSON) after the whole batches that Replay found, or starts the
    // journal afresh without them. Returns the bytes of the whole batches now. Throws TWriteError, with the
    // journal as it was, when the batch cannot be written whole.
    uintmax_t Append(uint64_t generation, std::optional<uintmax_t> wholeBytes,
                     const std::vector<std::string>& changes, uint32_t nextId);
    void Remove();

private:
    std::filesystem::path file_;
};

} // namespace nwsim
