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

// A live file on its way into the salvage store.
struct TDeletion
{
    std::string path; // as the operator gave it
    std::filesystem::path live;
    std::filesystem::path salvage;
    TDeletedFile entry;
};

TDeletion PlanDeletion(const TSimWorld& world, const std::string& path, const std::string& user,
                       TFolderListings& listings)
{
    const TVolumePath target = Resolve(world, path);
    const std::filesystem::path filesRoot = world.FilesFolder(target.server, target.volume);
    const std::optional<std::filesystem::path> live = FindOnDisk(filesRoot, target.path, &listings);
    std::error_code error;
    if (!live || target.path.empty())
        throw TWorldError(path + " does not exist");
    if (!std::filesystem::is_regular_file(*live, error))
        throw TWorldError(path + " is not a file");
    const uint32_t deletor = world.FindUserId(target.server, user);
    if (deletor == 0)
        throw TWorldError("server " + target.server + " knows no user " + user);

    TDeletion deletion{path, *live, world.SalvageFolder(target.server, target.volume), {}};
    TDeletedFile& entry = deletion.entry;
    entry.folder = Utf8FromPath(live->parent_path().lexically_relative(filesRoot));
    if (entry.folder == ".")
        entry.folder.clear();
    entry.name = Utf8FromPath(live->filename());
    entry.nameSpace = entry.name.size() > 12 || entry.name.find(' ') != std::string::npos ? 4 : 0;
    entry.owner = deletor;
    entry.updater = deletor;
    entry.deletor = deletor;
    entry.deleted = SimNow();
    entry.created = entry.deleted;
    entry.updated = entry.deleted;
    entry.accessed = TSimTime{entry.deleted.year, entry.deleted.month, entry.deleted.day, 0, 0, 0};
    return deletion;
}

// Every path is checked before anything changes, so a bad one leaves all files where they are. Each volume's
// store is read once and written once, however many files go into it: writing it per file made deleting a
// large folder take time in the square of its size.
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

    std::map<std::filesystem::path, TSalvageStore> stores;
    for (const TDeletion& deletion : deletions)
    {
        auto [place, added] = stores.try_emplace(deletion.salvage, deletion.salvage);
        if (added)
            place->second.Load();
        const std::optional<std::string> content = ReadWholeFile(deletion.live);
        if (!content)
            throw TWorldError("cannot read " + deletion.path);
        place->second.Add(deletion.entry, *content);
    }
    // The stores hold the files before the live copies go, so a crash in between loses nothing.
    for (const auto& [folder, store] : stores)
        store.Save();
    for (const TDeletion& deletion : deletions)
    {
        std::error_code error;
        std::filesystem::remove(deletion.live, error);
        if (error)
            throw TWorldError("deleted " + deletion.path +
                              " into the salvage store but could not remove it: " + error.message());
        out << "deleted " << deletion.path << " as " << UpperName(user) << "\n";
    }
}

void ListFolder(const TSimWorld& world, const std::string& shownPath, const TVolumePath& folder,
                const TSalvageStore& store, std::ostream& out)
{
    const std::vector<const TDeletedFile*> entries = store.InFolder(folder.path);
    out << shownPath << "  (" << folder.server << "/" << folder.volume << ":" << FolderKey(folder.path)
        << ")\n";
    for (const TDeletedFile* entry : entries)
    {
        std::string deletor = world.NameOfObject(folder.server, entry->deletor);
        if (deletor.empty())
            deletor = "(unknown)";
        // The name's column counts characters, not the bytes of its UTF-8.
        const size_t width = CharacterCount(entry->name);
        out << "  " << entry->name << std::string(width < 40 ? 40 - width : 0, ' ') << std::setw(10)
            << entry->size << "  " << FormatSimTime(entry->deleted) << "  " << deletor << "\n";
    }
    out << "  " << entries.size() << " deleted file(s)\n";
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
        std::set<std::string> folders{FolderKey(folder.path)};
        if (line.recursive)
            for (const TDeletedFile& entry : store.Entries())
            {
                const std::string key = FolderKey(entry.folder);
                const std::string base = FolderKey(folder.path);
                if (base.empty() || key == base || key.rfind(base + "/", 0) == 0)
                    folders.insert(key);
            }
        for (const std::string& key : folders)
        {
            std::string shown = path.substr(0, 2) + "\\" + key;
            std::replace(shown.begin(), shown.end(), '/', '\\');
            ListFolder(world, shown, TVolumePath{folder.server, folder.volume, key}, store, out);
        }
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
