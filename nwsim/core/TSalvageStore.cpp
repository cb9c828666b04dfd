// Reading and writing a volume's salvage store.
#include "TSalvageStore.h"

#include "SimFiles.h"
#include "TAtomicFile.h"
#include "TSimWorld.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace nwsim
{
namespace
{

using json = nlohmann::json;

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
    const std::filesystem::path file = folder_ / "store.json";
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text)
        throw TWorldError("cannot read " + Utf8FromPath(file));
    try
    {
        // Each entry is taken out as soon as it is read, so that a store of many entries is never held as a
        // whole document as well.
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
        const json document = json::parse(*text, take);
        if (!document.is_object() || !sawEntries)
            throw TWorldError(Utf8FromPath(file) + " is damaged: it has no list of entries");
        nextId_ = document.value<uint32_t>("nextId", 0x100);
    }
    catch (const json::exception& failure)
    {
        throw TWorldError(Utf8FromPath(file) + " is damaged: " + failure.what());
    }
    // A scan runs in the order of the IDs, and a new entry's ID is above every other one.
    const auto byId = [](const TDeletedFile& a, const TDeletedFile& b) { return a.id < b.id; };
    if (!std::is_sorted(entries_.begin(), entries_.end(), byId))
        std::sort(entries_.begin(), entries_.end(), byId);
    if (!entries_.empty() && entries_.back().id >= nextId_)
        nextId_ = entries_.back().id + 1;
}

void TSalvageStore::Save() const
{
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    // One line per entry, handed on as it goes: a store of a million entries is never held as one text.
    TAtomicFile file(folder_ / "store.json");
    file.Append("{\"nextId\": " + std::to_string(nextId_) + ", \"entries\": [");
    for (size_t i = 0; i < entries_.size(); ++i)
        file.Append((i == 0 ? "\n" : ",\n") + EntryJson(entries_[i]).dump());
    file.Append("\n]}\n");
    file.Commit();
}

const std::vector<size_t>& TSalvageStore::FolderPositions(const std::string& folder) const
{
    if (!indexed_)
    {
        folderIndex_.clear();
        for (size_t position = 0; position < entries_.size(); ++position)
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

const TDeletedFile* TSalvageStore::Find(uint32_t id) const
{
    const auto found =
        std::lower_bound(entries_.begin(), entries_.end(), id,
                         [](const TDeletedFile& entry, uint32_t wanted) { return entry.id < wanted; });
    return found != entries_.end() && found->id == id ? &*found : nullptr;
}

void TSalvageStore::Remove(uint32_t id)
{
    std::erase_if(entries_, [id](const TDeletedFile& entry) { return entry.id == id; });
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
    entries_.push_back(std::move(entry));
    // The new ID is the highest, so the folder's positions stay in ID order.
    if (indexed_)
        folderIndex_[FolderKey(entries_.back().folder)].push_back(entries_.size() - 1);
    return entries_.back();
}

} // namespace nwsim
