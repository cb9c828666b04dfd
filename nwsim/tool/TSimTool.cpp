// The nwsim console tool: creates worlds, deletes live files into the salvage store and lists it.
#include "TSimTool.h"

#include "CodePage.h"
#include "SimFiles.h"
#include "TSalvageStore.h"
#include "TVolumePath.h"
#include "TWorldBuilder.h"

#include <algorithm>
#include <iomanip>
#include <map>
#include <ostream>
#include <set>
#include <sstream>

namespace nwsim
{
namespace
{

constexpr const char* kUsage =
    "usage:\n"
    "  nwsim init DIR [--demo]\n"
    "  nwsim [--world DIR] delete --as USER [--from LIST]... [PATH...]\n"
    "  nwsim [--world DIR] salvage [-r] PATH...\n"
    "PATH is a drive-letter path of the world's workstation, such as F:\\DATA\\FILE.TXT.\n"
    "LIST is a UTF-8 file of further paths, one a line; delete needs at least one path in all.\n"
    "delete takes files, and folders on a volume whose kind (nss or traditional) the world gives.\n"
    "salvage marks a deleted folder <DIR>; with -r it lists what lies inside deleted folders too.\n"
    "The world is DIR, else $NWSIM_WORLD, else nwsim-world beside the program.\n";

struct TCommandLine
{
    std::filesystem::path world;
    std::string command;
    std::string user;
    bool demo = false;
    bool recursive = false;
    std::vector<std::string> paths;
    std::vector<std::filesystem::path> lists; // files of further paths
};

bool ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& line)
{
    line.world = DefaultWorldFolder();
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--world" && hasValue)
            line.world = PathFromUtf8(arguments[++i]);
        else if (argument == "--as" && hasValue)
            line.user = arguments[++i];
        else if (argument == "--from" && hasValue)
            line.lists.push_back(PathFromUtf8(arguments[++i]));
        else if (argument == "--demo")
            line.demo = true;
        else if (argument == "-r")
            line.recursive = true;
        else if (!argument.empty() && argument[0] == '-')
            return false;
        else if (line.command.empty())
            line.command = argument;
        else
            line.paths.push_back(argument);
    }
    return !line.command.empty();
}

int Init(const TCommandLine& line, std::ostream& out)
{
    if (line.paths.size() != 1)
        throw TWorldError("init needs one folder");
    const std::filesystem::path folder = PathFromUtf8(line.paths.front());
    CreateWorld(folder, line.demo);
    out << "created " << (line.demo ? "the demo world" : "a world") << " in " << Utf8FromPath(folder) << "\n";
    return 0;
}

TVolumePath Resolve(const TSimWorld& world, const std::string& path)
{
    const std::optional<TVolumePath> resolved = ResolveDrivePath(world, path);
    if (!resolved)
        throw TWorldError(path + " is not a path on a mapped drive of the world");
    return *resolved;
}

// A live file or folder on its way into the salvage store.
struct TDeletion
{
    std::string path; // as the operator gave it
    std::filesystem::path live;
    std::filesystem::path salvage;
    TDeletedFile entry; // a file's, or the template of a folder's entries
    TVolumeKind kind = TVolumeKind::unspecified;
    std::filesystem::path filesRoot;
    bool folder = false;
};

// The name space a name needs: DOS for a short name without blanks, long otherwise.
uint8_t NameSpaceOf(const std::string& name)
{
    return name.size() > 12 || name.find(' ') != std::string::npos ? 4 : 0;
}

std::string GenericUtf8(const std::filesystem::path& path)
{
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

// A volume-relative folder as the store keeps it: '/'-separated, empty for the root.
std::string StoredFolder(const std::filesystem::path& folder, const std::filesystem::path& filesRoot)
{
    std::string relative = GenericUtf8(folder.lexically_relative(filesRoot));
    return relative == "." ? std::string() : relative;
}

TDeletion PlanDeletion(const TSimWorld& world, const std::string& path, const std::string& user,
                       TFolderListings& listings)
{
    const TVolumePath target = Resolve(world, path);
    const std::filesystem::path filesRoot = world.FilesFolder(target.server, target.volume);
    const std::optional<std::filesystem::path> live = FindOnDisk(filesRoot, target.path, &listings);
    std::error_code error;
    if (!live || target.path.empty())
        throw TWorldError(path + " does not exist");
    const TSimVolume& volume = *world.FindServer(target.server)->FindVolume(target.volume);
    const bool folder = std::filesystem::is_directory(*live, error);
    if (folder && volume.kind == TVolumeKind::unspecified)
        throw TWorldError(path +
                          " is a folder, and the world does not say how its volume keeps deleted folders "
                          "(a volume's kind: nss or traditional)");
    if (!folder && !std::filesystem::is_regular_file(*live, error))
        throw TWorldError(path + " is not a file");
    const uint32_t deletor = world.FindUserId(target.server, user);
    if (deletor == 0)
        throw TWorldError("server " + target.server + " knows no user " + user);

    TDeletion deletion{path,      *live, world.SalvageFolder(target.server, target.volume), {}, volume.kind,
                       filesRoot, folder};
    TDeletedFile& entry = deletion.entry;
    entry.folder = StoredFolder(live->parent_path(), filesRoot);
    entry.name = Utf8FromPath(live->filename());
    entry.nameSpace = NameSpaceOf(entry.name);
    entry.owner = deletor;
    entry.updater = deletor;
    entry.deletor = deletor;
    entry.deleted = SimNow();
    entry.created = entry.deleted;
    entry.updated = entry.deleted;
    entry.accessed = TSimTime{entry.deleted.year, entry.deleted.month, entry.deleted.day, 0, 0, 0};
    return deletion;
}

// Counts what a folder's deletion took.
struct TFolderCount
{
    size_t files = 0;
    size_t folders = 0;
};

// Deletes every live file below the folder into the store, each into the folder it was in, held by the
// folder's own deleted entry; the deleted files already there go inside it too. Returns the folder's entry.
uint32_t DeleteNssFolder(TSalvageStore& store, const std::filesystem::path& folder, TDeletedFile entry,
                         const std::filesystem::path& filesRoot, TFolderCount& count)
{
    entry.attributes = TDeletedFile::kFolderAttribute;
    const uint32_t folderId = store.Add(entry, std::string()).id;
    ++count.folders;
    const std::string stored = StoredFolder(folder, filesRoot);
    store.HideInFolder(stored, folderId);
    std::vector<std::filesystem::path> children;
    for (const auto& child : std::filesystem::directory_iterator(folder))
        children.push_back(child.path());
    std::sort(children.begin(), children.end());
    for (const std::filesystem::path& child : children)
    {
        TDeletedFile inside = entry;
        inside.folder = stored;
        inside.name = Utf8FromPath(child.filename());
        inside.nameSpace = NameSpaceOf(inside.name);
        inside.within = folderId;
        if (std::filesystem::is_directory(child))
        {
            DeleteNssFolder(store, child, inside, filesRoot, count);
            continue;
        }
        const std::optional<std::string> content = ReadWholeFile(child);
        if (!content)
            throw TWorldError("cannot read " + Utf8FromPath(child));
        inside.attributes = 0x20;
        store.Add(inside, *content);
        ++count.files;
    }
    return folderId;
}

// A traditional volume keeps no deleted folder: the deleted files of the tree, those deleted before and
// those deleted now, go to DELETED.SAV at the volume's root.
void DeleteTraditionalFolder(TSalvageStore& store, const TDeletion& deletion, TFolderCount& count)
{
    constexpr const char* kDeletedSave = "DELETED.SAV";
    const std::filesystem::path save = deletion.filesRoot / kDeletedSave;
    std::error_code error;
    if (!std::filesystem::is_directory(save, error))
    {
        std::filesystem::create_directory(save, error);
        if (error)
            throw TWorldError("cannot make " + Utf8FromPath(save) + ": " + error.message());
        MarkHiddenAndSystem(save);
    }
    store.MoveTree(StoredFolder(deletion.live, deletion.filesRoot), kDeletedSave);
    std::vector<std::filesystem::path> files;
    for (const auto& child : std::filesystem::recursive_directory_iterator(deletion.live))
        if (child.is_directory())
            ++count.folders;
        else
            files.push_back(child.path());
    ++count.folders;
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files)
    {
        TDeletedFile entry = deletion.entry;
        entry.folder = kDeletedSave;
        entry.name = Utf8FromPath(file.filename());
        entry.nameSpace = NameSpaceOf(entry.name);
        const std::optional<std::string> content = ReadWholeFile(file);
        if (!content)
            throw TWorldError("cannot read " + Utf8FromPath(file));
        store.Add(entry, *content);
        ++count.files;
    }
}

std::string DeletedText(const TDeletion& deletion, const TFolderCount& count)
{
    if (!deletion.folder)
        return deletion.path;
    return deletion.path + " (" + std::to_string(count.files) + " file(s) in " +
           std::to_string(count.folders) + " folder(s))";
}

// Every path is checked before anything changes, so a bad one leaves all files where they are. Each volume's
// store is read once and written once, however many files go into it: writing it per file made deleting a
// large folder take time in the square of its size. Files go before folders, so that a file named beside
// its folder is in the store when the folder takes its contents.
void DeleteAll(const TSimWorld& world, const std::vector<std::string>& paths, const std::string& user,
               std::ostream& out)
{
    std::vector<TDeletion> deletions;
    std::set<std::filesystem::path> planned;
    TFolderListings listings;
    for (const std::string& path : paths)
    {
        TDeletion deletion = PlanDeletion(world, path, user, listings);
        // A file named twice goes once.
        if (planned.insert(deletion.live).second)
            deletions.push_back(std::move(deletion));
    }
    std::stable_partition(deletions.begin(), deletions.end(), [](const TDeletion& d) { return !d.folder; });

    std::map<std::filesystem::path, TSalvageStore> stores;
    std::vector<TFolderCount> counts(deletions.size());
    for (size_t i = 0; i < deletions.size(); ++i)
    {
        const TDeletion& deletion = deletions[i];
        auto [place, added] = stores.try_emplace(deletion.salvage, deletion.salvage);
        if (added)
            place->second.Load();
        if (deletion.folder && deletion.kind == TVolumeKind::nss)
            DeleteNssFolder(place->second, deletion.live, deletion.entry, deletion.filesRoot, counts[i]);
        else if (deletion.folder)
            DeleteTraditionalFolder(place->second, deletion, counts[i]);
        else
        {
            const std::optional<std::string> content = ReadWholeFile(deletion.live);
            if (!content)
                throw TWorldError("cannot read " + deletion.path);
            place->second.Add(deletion.entry, *content);
        }
    }
    // The stores hold the files before the live copies go, so a crash in between loses nothing.
    for (auto& [folder, store] : stores)
        store.Save();
    for (size_t i = 0; i < deletions.size(); ++i)
    {
        const TDeletion& deletion = deletions[i];
        std::error_code error;
        if (deletion.folder)
            std::filesystem::remove_all(deletion.live, error);
        else
            std::filesystem::remove(deletion.live, error);
        if (error)
            throw TWorldError("deleted " + deletion.path +
                              " into the salvage store but could not remove it: " + error.message());
        out << "deleted " << DeletedText(deletion, counts[i]) << " as " << UpperName(user) << "\n";
    }
}

// The entries listed under one heading: a folder's reachable entries, or those inside one of its deleted
// folders (within that folder's entry).
struct TListedGroup
{
    std::string key;
    uint32_t within = 0;
    std::vector<const TDeletedFile*> entries;
};

void ListGroup(const TSimWorld& world, const std::string& drive, const std::string& server,
               const std::string& volume, const TListedGroup& group, std::ostream& out)
{
    std::string shown = drive + "\\" + group.key;
    std::replace(shown.begin(), shown.end(), '/', '\\');
    out << shown << "  (" << server << "/" << volume << ":" << group.key;
    if (group.within != 0)
        out << ", inside deleted folder #" << group.within;
    out << ")\n";
    for (const TDeletedFile* entry : group.entries)
    {
        std::string deletor = world.NameOfObject(server, entry->deletor);
        if (deletor.empty())
            deletor = "(unknown)";
        // The name's column counts characters, not the bytes of its UTF-8.
        const size_t width = CharacterCount(entry->name);
        out << "  " << entry->name << std::string(width < 40 ? 40 - width : 0, ' ') << std::setw(10);
        if (entry->IsFolder())
            out << "<DIR>";
        else
            out << entry->size;
        out << "  " << FormatSimTime(entry->deleted) << "  " << deletor << "\n";
    }
    out << "  " << group.entries.size() << " deleted file(s)\n";
}

// The folder's reachable entries and, with -r, those of every folder below it and inside its deleted folders,
// by folder and then by the deleted folder that holds them.
std::vector<TListedGroup> Groups(const TSalvageStore& store, const std::string& base, bool recursive)
{
    std::map<std::pair<std::string, uint32_t>, std::vector<const TDeletedFile*>> groups;
    groups[{base, 0}] = store.InFolder(base);
    if (recursive)
        for (const TDeletedFile& entry : store.Entries())
        {
            const std::string key = FolderKey(entry.folder);
            if (base.empty() || key == base || key.rfind(base + "/", 0) == 0)
                if (entry.within != 0 || key != base)
                    groups[{key, entry.within}].push_back(&entry);
        }
    std::vector<TListedGroup> listed;
    for (auto& [place, entries] : groups)
        listed.push_back({place.first, place.second, std::move(entries)});
    return listed;
}

int Salvage(const TCommandLine& line, std::ostream& out)
{
    if (line.paths.empty())
        throw TWorldError("salvage needs at least one folder");
    const TSimWorld world = LoadWorld(line.world);
    for (const std::string& path : line.paths)
    {
        const TVolumePath folder = Resolve(world, path);
        TSalvageStore store(world.SalvageFolder(folder.server, folder.volume));
        store.Load();
        for (const TListedGroup& group : Groups(store, FolderKey(folder.path), line.recursive))
            ListGroup(world, path.substr(0, 2), folder.server, folder.volume, group, out);
    }
    return 0;
}

// The paths of a list file: one a line, in UTF-8 with or without a byte order mark, blank lines left out.
void ReadPathList(const std::filesystem::path& list, std::vector<std::string>& paths)
{
    const std::optional<std::string> text = ReadWholeFile(list);
    if (!text)
        throw TWorldError("cannot read the list " + Utf8FromPath(list));
    std::istringstream lines(text->rfind("\xEF\xBB\xBF", 0) == 0 ? text->substr(3) : *text);
    for (std::string path; std::getline(lines, path);)
    {
        const size_t last = path.find_last_not_of(" \t\r");
        if (last != std::string::npos)
            paths.push_back(path.substr(0, last + 1));
    }
}

int Delete(const TCommandLine& line, std::ostream& out)
{
    std::vector<std::string> paths = line.paths;
    for (const std::filesystem::path& list : line.lists)
        ReadPathList(list, paths);
    if (line.user.empty() || paths.empty())
        throw TWorldError("delete needs --as USER and at least one path");
    DeleteAll(LoadWorld(line.world), paths, line.user, out);
    return 0;
}

} // namespace

int RunSimTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    TCommandLine line;
    if (!ParseCommandLine(arguments, line))
    {
        err << kUsage;
        return 2;
    }
    try
    {
        if (line.command == "init")
            return Init(line, out);
        if (line.command == "delete")
            return Delete(line, out);
        if (line.command == "salvage")
            return Salvage(line, out);
        err << kUsage;
        return 2;
    }
    catch (const std::exception& error)
    {
        err << "nwsim: " << error.what() << "\n";
        return 1;
    }
}

} // namespace nwsim
