// Reading and writing a volume's salvage store.
#include "TSalvageStore.h"

#include "SimFiles.h"
#include "TAtomicFile.h"
#include "TSalvageJournal.h"
#include "TSimWorld.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>

namespace nwsim
{
namespace
{

using json = nlohmann::json;

constexpr char kStoreName[] = "store.json";
constexpr char kJournalName[] = "journal.jsonl";
// A store this large keeps its changes in a journal, until the journal holds a quarter as many changes as the
// store has entries: a change then costs its own size, and a rewrite is paid once per many changes.
constexpr size_t kJournalFrom = 256;
constexpr size_t kJournalShare = 4;

// Any later writing of the store whole has a different generation, even one that a copy of the store from
// before would have.
uint64_t NextGeneration(uint64_t previous)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::max<uint64_t>(
        previous + 1,
        static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}

json EntryJson(const TDeletedFile& entry)
{
    return {{"id", entry.id},
            {"folder", entry.folder},
            {"name", entry.name},
            {"nameSpace", entry.nameSpace},
            {"attributes", entry.attributes},
            {"flags", entry.flags},
            {"size", entry.size},
            {"inheritedRights", entry.inheritedRights},
            {"owner", entry.owner},
            {"archiver", entry.archiver},
            {"updater", entry.updater},
            {"deletor", entry.deletor},
            {"created", FormatSimTime(entry.created)},
            {"archived", FormatSimTime(entry.archived)},
            {"updated", FormatSimTime(entry.updated)},
            {"accessed", FormatSimTime(entry.accessed)},
            {"deleted", FormatSimTime(entry.deleted)}};
}

json StoredJson(const TDeletedFile& entry)
{
    json stored = EntryJson(entry);
    if (entry.within != 0)
        stored["within"] = entry.within;
    return stored;
}

std::vector<std::string> Segments(const std::string& folder)
{
    std::vector<std::string> segments;
    size_t start = 0;
    while (start < folder.size())
    {
        const size_t end = std::min(folder.find_first_of("/\\", start), folder.size());
        if (end > start)
            segments.push_back(folder.substr(start, end - start));
        start = end + 1;
    }
    return segments;
}

size_t SegmentCount(const std::string& folder)
{
    return Segments(folder).size();
}

// The folder's segments after the first ones, '/'-separated.
std::string SegmentsAfter(const std::string& folder, size_t count)
{
    const std::vector<std::string> segments = Segments(folder);
    std::string rest;
    for (size_t i = count; i < segments.size(); ++i)
        rest += (rest.empty() ? "" : "/") + segments[i];
    return rest;
}

std::string JoinSegments(const std::string& folder, const std::string& below)
{
    if (folder.empty() || below.empty())
        return folder.empty() ? below : folder;
    return folder + "/" + below;
}

// Whether the folder key is the base or lies below it.
bool InTree(const std::string& key, const std::string& base)
{
    return base.empty() || key == base ||
           (key.size() > base.size() && key.compare(0, base.size(), base) == 0 && key[base.size()] == '/');
}

TSimTime ReadTime(const json& entry, const char* key)
{
    const std::optional<TSimTime> time = ParseSimTime(entry.value(key, std::string()), TTimeParse::Packable);
    if (!time)
        throw TWorldError(std::string("salvage entry has a bad \"") + key + "\" time");
    return *time;
}

TDeletedFile ReadEntry(const json& entry)
{
    TDeletedFile result;
    result.id = entry.at("id").get<uint32_t>();
    result.folder = entry.value("folder", std::string());
    result.name = entry.at("name").get<std::string>();
    result.nameSpace = entry.value<uint8_t>("nameSpace", 0);
    result.attributes = entry.value<uint32_t>("attributes", 0x20);
    result.flags = entry.value<uint8_t>("flags", 0);
    result.size = entry.value<uint32_t>("size", 0);
    result.inheritedRights = entry.value<uint16_t>("inheritedRights", 0x01FB);
    result.owner = entry.value<uint32_t>("owner", 0);
    result.archiver = entry.value<uint32_t>("archiver", 0);
    result.updater = entry.value<uint32_t>("updater", 0);
    result.deletor = entry.value<uint32_t>("deletor", 0);
    result.created = ReadTime(entry, "created");
    result.archived = ReadTime(entry, "archived");
    result.updated = ReadTime(entry, "updated");
    result.accessed = ReadTime(entry, "accessed");
    result.deleted = ReadTime(entry, "deleted");
    result.within = entry.value<uint32_t>("within", 0);
    return result;
}

} // namespace

std::string FolderKey(const std::string& folder)
{
    std::string key = UpperName(folder);
    for (char& c : key)
        if (c == '\\')
            c = '/';
    const size_t first = key.find_first_not_of('/');
    if (first == std::string::npos)
        return {};
    const size_t last = key.find_last_not_of('/');
    return key.substr(first, last - first + 1);
}

void TSalvageStore::Load()
{
    entries_.clear();
    indexed_ = false;
    touched_.clear();
    generation_ = 0;
    journalBytes_.reset();
    journalChanges_ = 0;
    const std::filesystem::path file = folder_ / kStoreName;
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    // Read as a stream: a store of a million entries is hundreds of megabytes of text, never held whole.
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw TWorldError("cannot read " + Utf8FromPath(file));
    try
    {
        // Each entry is taken out as soon as it is read, so that a store of many entries is never held as a
        // whole document either.
        std::string key;
        bool inEntries = false;
        bool sawEntries = false;
        const json::parser_callback_t take = [&](int depth, json::parse_event_t event, json& parsed) {
            using Event = json::parse_event_t;
            if (depth == 1 && event == Event::key)
                key = parsed.get<std::string>();
            else if (depth == 1 && event == Event::array_start && key == "entries")
                inEntries = sawEntries = true;
            else if (depth == 1 && event == Event::array_end)
                inEntries = false;
            else if (depth == 2 && inEntries && event == Event::object_end)
            {
                entries_.push_back(ReadEntry(parsed));
                return false;
            }
            return true;
        };
        const json document = json::parse(in, take);
        if (in.bad())
            throw TWorldError("cannot read " + Utf8FromPath(file));
        if (!document.is_object() || !sawEntries)
            throw TWorldError(Utf8FromPath(file) + " is damaged: it has no list of entries");
        nextId_ = document.value<uint32_t>("nextId", 0x100);
        generation_ = document.value<uint64_t>("generation", 0);
        ReplayJournal();
    }
    catch (const json::exception& failure)
    {
        throw TWorldError(Utf8FromPath(file) + " or its journal is damaged: " + failure.what());
    }
    // A scan runs in the order of the IDs, and a new entry's ID is above every other one.
    const auto byId = [](const TDeletedFile& a, const TDeletedFile& b) { return a.id < b.id; };
    if (!std::is_sorted(entries_.begin(), entries_.end(), byId))
        std::sort(entries_.begin(), entries_.end(), byId);
    if (!entries_.empty() && entries_.back().id >= nextId_)
        nextId_ = entries_.back().id + 1;
}

// Each entry's last state in the journal is taken at once: a journal of many removals does not move the
// entries once for each.
void TSalvageStore::ReplayJournal()
{
    std::map<uint32_t, std::optional<TDeletedFile>> latest;
    const auto take = [&](const json& change) {
        ++journalChanges_;
        if (const auto put = change.find("put"); put != change.end())
            latest[put->at("id").get<uint32_t>()] = ReadEntry(*put);
        else
            latest[change.at("drop").get<uint32_t>()] = std::nullopt;
    };
    const auto nextId = [&](uint32_t next) { nextId_ = std::max(nextId_, next); };
    if (generation_ != 0)
        journalBytes_ = TSalvageJournal(folder_ / kJournalName).Replay(generation_, take, nextId);
    if (latest.empty())
        return;
    std::erase_if(entries_, [&](const TDeletedFile& entry) { return latest.count(entry.id) != 0; });
    for (auto& [id, entry] : latest)
        if (entry)
            entries_.push_back(std::move(*entry));
}

void TSalvageStore::Save()
{
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    if (generation_ != 0 && entries_.size() >= kJournalFrom &&
        journalChanges_ + touched_.size() <= entries_.size() / kJournalShare)
        SaveToJournal();
    else
        SaveWhole();
    touched_.clear();
}

void TSalvageStore::SaveToJournal()
{
    std::vector<std::string> changes;
    for (const uint32_t id : touched_)
    {
        const TDeletedFile* entry = Find(id);
        changes.push_back(entry != nullptr ? json{{"put", StoredJson(*entry)}}.dump()
                                           : json{{"drop", id}}.dump());
    }
    journalBytes_ =
        TSalvageJournal(folder_ / kJournalName).Append(generation_, journalBytes_, changes, nextId_);
    journalChanges_ += changes.size();
}

void TSalvageStore::SaveWhole()
{
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    const uint64_t generation = NextGeneration(generation_);
    // One line per entry, handed on as it goes: a store of a million entries is never held as one text.
    TAtomicFile file(folder_ / kStoreName);
    file.Append("{\"generation\": " + std::to_string(generation) +
                ", \"nextId\": " + std::to_string(nextId_) + ", \"entries\": [");
    for (size_t i = 0; i < entries_.size(); ++i)
        file.Append((i == 0 ? "\n" : ",\n") + StoredJson(entries_[i]).dump());
    file.Append("\n]}\n");
    file.Commit();
    // A crash here leaves a journal of the generation before, which no one reads.
    generation_ = generation;
    TSalvageJournal(folder_ / kJournalName).Remove();
    journalBytes_.reset();
    journalChanges_ = 0;
}

TStoreStamp StampOf(const std::filesystem::path& salvageFolder)
{
    TStoreStamp stamp;
    std::error_code error;
    stamp.storeWritten = std::filesystem::last_write_time(salvageFolder / kStoreName, error);
    stamp.storeSize = error ? 0 : std::filesystem::file_size(salvageFolder / kStoreName, error);
    stamp.journalWritten = std::filesystem::last_write_time(salvageFolder / kJournalName, error);
    stamp.journalSize = error ? 0 : std::filesystem::file_size(salvageFolder / kJournalName, error);
    return stamp;
}

const std::vector<size_t>& TSalvageStore::FolderPositions(const std::string& folder) const
{
    if (!indexed_)
    {
        folderIndex_.clear();
        for (size_t position = 0; position < entries_.size(); ++position)
            if (entries_[position].within == 0)
                folderIndex_[FolderKey(entries_[position].folder)].push_back(position);
        indexed_ = true;
    }
    static const std::vector<size_t> none;
    const auto found = folderIndex_.find(FolderKey(folder));
    return found != folderIndex_.end() ? found->second : none;
}

std::vector<const TDeletedFile*> TSalvageStore::InFolder(const std::string& folder) const
{
    std::vector<const TDeletedFile*> result;
    for (const size_t position : FolderPositions(folder))
        result.push_back(&entries_[position]);
    return result;
}

const TDeletedFile* TSalvageStore::FirstInFolderFrom(const std::string& folder, uint32_t id) const
{
    const std::vector<size_t>& positions = FolderPositions(folder);
    const auto found =
        std::lower_bound(positions.begin(), positions.end(), id,
                         [this](size_t position, uint32_t wanted) { return entries_[position].id < wanted; });
    return found != positions.end() ? &entries_[*found] : nullptr;
}

size_t TSalvageStore::PositionOf(uint32_t id) const
{
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), id,
                         [](const TDeletedFile& entry, uint32_t wanted) { return entry.id < wanted; });
    return found != entries_.end() && found->id == id ? static_cast<size_t>(found - entries_.begin())
                                                      : entries_.size();
}

const TDeletedFile* TSalvageStore::Find(uint32_t id) const
{
    const size_t position = PositionOf(id);
    return position < entries_.size() ? &entries_[position] : nullptr;
}

void TSalvageStore::Remove(uint32_t id)
{
    std::erase_if(entries_, [id](const TDeletedFile& entry) { return entry.id == id; });
    Touch(id);
    indexed_ = false;
}

std::vector<uint32_t> TSalvageStore::Below(uint32_t folderId) const
{
    // An entry deleted before its folder was can have a lower ID than the folder: the folders are followed
    // down from the top, not in ID order.
    std::unordered_map<uint32_t, std::vector<uint32_t>> contents;
    for (const TDeletedFile& entry : entries_)
        if (entry.within != 0)
            contents[entry.within].push_back(entry.id);
    std::vector<uint32_t> below;
    std::vector<uint32_t> open{folderId};
    while (!open.empty())
    {
        const uint32_t folder = open.back();
        open.pop_back();
        const auto found = contents.find(folder);
        if (found == contents.end())
            continue;
        for (const uint32_t id : found->second)
        {
            below.push_back(id);
            open.push_back(id);
        }
    }
    std::sort(below.begin(), below.end());
    return below;
}

void TSalvageStore::HideInFolder(const std::string& folder, uint32_t folderId)
{
    const std::string key = FolderKey(folder);
    for (TDeletedFile& entry : entries_)
        if (entry.within == 0 && entry.id != folderId && FolderKey(entry.folder) == key)
        {
            entry.within = folderId;
            Touch(entry.id);
        }
    indexed_ = false;
}

void TSalvageStore::RecoverFolder(uint32_t folderId, const std::string& livePath)
{
    const TDeletedFile* folder = Find(folderId);
    if (folder == nullptr)
        return;
    // The folders below it keep their own spelling below the recovered folder's new path.
    const size_t depth = SegmentCount(folder->folder) + 1;
    for (const uint32_t id : Below(folderId))
    {
        TDeletedFile& entry = entries_[PositionOf(id)];
        entry.folder = JoinSegments(livePath, SegmentsAfter(entry.folder, depth));
        if (entry.within == folderId)
            entry.within = 0;
        Touch(id);
    }
    Remove(folderId);
}

void TSalvageStore::MoveTree(const std::string& folder, const std::string& into)
{
    const std::string base = FolderKey(folder);
    for (TDeletedFile& entry : entries_)
        if (entry.within == 0 && InTree(FolderKey(entry.folder), base))
        {
            entry.folder = into;
            Touch(entry.id);
        }
    indexed_ = false;
}

std::filesystem::path TSalvageStore::DataFile(uint32_t id) const
{
    return folder_ / "data" / std::to_string(id);
}

std::optional<std::string> TSalvageStore::Content(const TDeletedFile& entry) const
{
    std::optional<std::string> content = ReadWholeFile(DataFile(entry.id));
    std::error_code error;
    if (!content && entry.size == 0 && !std::filesystem::exists(DataFile(entry.id), error) && !error)
        return std::string();
    return content;
}

const TDeletedFile& TSalvageStore::Add(TDeletedFile entry, const std::string& content)
{
    entry.id = nextId_++;
    entry.size = static_cast<uint32_t>(content.size());
    // An empty file has no content to keep, and a folder of many of them is written without a file each.
    if (!content.empty())
    {
        std::error_code error;
        std::filesystem::create_directories(folder_ / "data", error);
        // The content goes first: a crash before the store is written leaves only an unlisted data file.
        if (!WriteFileAtomically(DataFile(entry.id), content))
            throw TWorldError("cannot write " + Utf8FromPath(DataFile(entry.id)));
    }
    Touch(entry.id);
    entries_.push_back(std::move(entry));
    // The new ID is the highest, so the folder's positions stay in ID order.
    if (indexed_ && entries_.back().within == 0)
        folderIndex_[FolderKey(entries_.back().folder)].push_back(entries_.size() - 1);
    return entries_.back();
}

} // namespace nwsim
