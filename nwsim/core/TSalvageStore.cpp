// Reading and writing a volume's salvage store.
#include "TSalvageStore.h"

#include "SimFiles.h"
#include "TSimWorld.h"

#include <nlohmann/json.hpp>

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
    const std::filesystem::path file = folder_ / "store.json";
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text)
        throw TWorldError("cannot read " + Utf8FromPath(file));
    try
    {
        const json document = json::parse(*text);
        nextId_ = document.value<uint32_t>("nextId", 0x100);
        for (const json& entry : document.at("entries"))
            entries_.push_back(ReadEntry(entry));
    }
    catch (const json::exception& failure)
    {
        throw TWorldError(Utf8FromPath(file) + " is damaged: " + failure.what());
    }
}

void TSalvageStore::Save() const
{
    json entries = json::array();
    for (const TDeletedFile& entry : entries_)
        entries.push_back(EntryJson(entry));
    const json document = {{"nextId", nextId_}, {"entries", entries}};
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (!WriteFileAtomically(folder_ / "store.json", document.dump(1) + "\n"))
        throw TWorldError("cannot write " + Utf8FromPath(folder_ / "store.json"));
}

std::vector<const TDeletedFile*> TSalvageStore::InFolder(const std::string& folder) const
{
    const std::string wanted = FolderKey(folder);
    std::vector<const TDeletedFile*> result;
    for (const TDeletedFile& entry : entries_)
        if (FolderKey(entry.folder) == wanted)
            result.push_back(&entry);
    return result;
}

const TDeletedFile* TSalvageStore::Find(uint32_t id) const
{
    for (const TDeletedFile& entry : entries_)
        if (entry.id == id)
            return &entry;
    return nullptr;
}

void TSalvageStore::Remove(uint32_t id)
{
    std::erase_if(entries_, [id](const TDeletedFile& entry) { return entry.id == id; });
}

std::filesystem::path TSalvageStore::DataFile(uint32_t id) const
{
    return folder_ / "data" / std::to_string(id);
}

const TDeletedFile& TSalvageStore::Add(TDeletedFile entry, const std::string& content)
{
    entry.id = nextId_++;
    entry.size = static_cast<uint32_t>(content.size());
    std::error_code error;
    std::filesystem::create_directories(folder_ / "data", error);
    // The content goes first: a crash before the store is written leaves only an unlisted data file.
    if (!WriteFileAtomically(DataFile(entry.id), content))
        throw TWorldError("cannot write " + Utf8FromPath(DataFile(entry.id)));
    entries_.push_back(std::move(entry));
    return entries_.back();
}

} // namespace nwsim
