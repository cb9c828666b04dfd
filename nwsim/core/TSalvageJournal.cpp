// Writing and reading a salvage store's journal.
#include "TSalvageJournal.h"

#include "SimFiles.h"
#include "TAtomicFile.h"

#include <nlohmann/json.hpp>

#include <fstream>

namespace nwsim
{
namespace
{

using json = nlohmann::json;

// The line a batch ends with; a batch without it was cut short.
constexpr char kBatchEnd[] = "nextId";

std::optional<json> ParseLine(const std::string& line)
{
    json parsed = json::parse(line, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object())
        return std::nullopt;
    return parsed;
}

} // namespace

std::optional<uintmax_t> TSalvageJournal::Replay(uint64_t generation,
                                                 const std::function<void(const json&)>& take,
                                                 const std::function<void(uint32_t)>& nextId) const
{
    std::ifstream in(file_, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line))
        return std::nullopt;
    const std::optional<json> header = ParseLine(line);
    if (!header || header->value<uint64_t>("generation", 0) != generation)
        return std::nullopt;
    uintmax_t whole = line.size() + 1;
    uintmax_t read = whole;
    std::vector<json> batch;
    // A line that does not read, or one without its newline, is where a crash cut the journal: its batch
    // was never acknowledged.
    while (std::getline(in, line) && !in.eof())
    {
        read += line.size() + 1;
        std::optional<json> change = ParseLine(line);
        if (!change)
            break;
        if (!change->contains(kBatchEnd))
        {
            batch.push_back(std::move(*change));
            continue;
        }
        for (const json& each : batch)
            take(each);
        batch.clear();
        nextId(change->at(kBatchEnd).get<uint32_t>());
        whole = read;
    }
    return whole;
}

uintmax_t TSalvageJournal::Append(uint64_t generation, std::optional<uintmax_t> wholeBytes,
                                  const std::vector<std::string>& changes, uint32_t nextId)
{
    std::error_code error;
    const uintmax_t before = wholeBytes.value_or(0);
    // What follows the whole batches is a batch that a crash cut short: the new one takes its place.
    if (wholeBytes && std::filesystem::file_size(file_, error) != before)
        std::filesystem::resize_file(file_, before, error);
    if (error)
        throw TWriteError("cannot write " + Utf8FromPath(file_) + "; the salvage store stays as it was");
    std::string text;
    if (!wholeBytes)
        text = json{{"generation", generation}}.dump() + "\n";
    for (const std::string& change : changes)
        text += change + "\n";
    text += json{{kBatchEnd, nextId}}.dump() + "\n";
    {
        std::ofstream out(file_, std::ios::binary | (wholeBytes ? std::ios::app : std::ios::trunc));
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        const uintmax_t after = std::filesystem::file_size(file_, error);
        if (out && !error && after == before + text.size())
            return after;
    }
    // What was written of the batch goes, so that the next batch does not follow a broken line.
    if (wholeBytes)
        std::filesystem::resize_file(file_, before, error);
    else
        std::filesystem::remove(file_, error);
    throw TWriteError("cannot write " + Utf8FromPath(file_) + "; the salvage store stays as it was");
}

void TSalvageJournal::Remove()
{
    std::error_code ignored;
    std::filesystem::remove(file_, ignored);
}

} // namespace nwsim
