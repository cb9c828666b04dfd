// Brings a deleted folder tree back with the real main window and prints where the time goes: the requests
// alone (the same tree's scans and recoveries made through the access layer, nothing else) and the whole
// Retrove, whose difference is the program's own share; and a one-file Retrove, the fixed cost of showing and
// hiding the action window that any Retrove pays, with the share beyond it.
// Arguments: the folders of the tree (100), the files in each (100) and the simulated latency per request in
// microseconds (0).
#include "BenchClock.h"
#include "MainCommands.h"
#include "NWSim.h"
#include "SimFiles.h"
#include "TApplication.h"
#include "TItemIdList.h"
#include "TNWDirHandleLease.h"
#include "TNWServer.h"
#include "TRetroveProgram.h"
#include "TSalvageStore.h"
#include "TTestWorld.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>

namespace
{

constexpr uint32_t kAlice = 0x10000012;
// F: is the directory server's NSS volume DATA in the mapped world; the tree was deleted from F:\BENCHROOT.
constexpr char kParentKey[] = "BENCHROOT";
// Three trees of one shape: the first is brought back by the requests alone, the second by the program, and
// the third stays deleted, as other incidents do on a busy volume, so that both passes meet a store of the
// same order of size.
constexpr const char* kRequestsTree = "TREEA";
constexpr const char* kProgramTree = "TREEB";
constexpr const char* kOtherTree = "TREEC";
constexpr const char* kOneFile = "ONE.TXT";
constexpr wchar_t kParent[] = L"F:\\BENCHROOT";
constexpr char kParentPath[] = "F:\\BENCHROOT\\";

nwsim::TDeletedFile Entry(const std::string& folder, const std::string& name, uint32_t within, bool isFolder)
{
    nwsim::TDeletedFile file;
    file.folder = folder;
    file.name = name;
    file.within = within;
    file.attributes = isFolder ? nwsim::TDeletedFile::kFolderAttribute : 0x20;
    file.owner = kAlice;
    file.deletor = kAlice;
    file.updater = kAlice;
    file.created = nwsim::TSimTime{2025, 1, 2, 3, 4, 5};
    file.updated = nwsim::TSimTime{2026, 5, 6, 7, 8, 9};
    file.accessed = nwsim::TSimTime{2026, 11, 1, 0, 0, 0};
    file.deleted = nwsim::TSimTime{2026, 11, 20, 9, 0, 0};
    return file;
}

// A deleted tree in F:\BENCHROOT: its own files and the other folders below it, each with as many files.
void AddTree(nwsim::TSalvageStore& store, const std::string& treeName, int folders, int files)
{
    const std::string treeFolder = std::string(kParentKey) + "/" + treeName;
    const uint32_t tree = store.Add(Entry(kParentKey, treeName, 0, true), "").id;
    for (int folder = 0; folder < folders; ++folder)
    {
        std::string at = treeFolder;
        uint32_t within = tree;
        if (folder > 0)
        {
            char name[16];
            std::snprintf(name, sizeof(name), "D%d", folder);
            within = store.Add(Entry(treeFolder, name, tree, true), "").id;
            at = treeFolder + "/" + std::string(name);
        }
        for (int file = 0; file < files; ++file)
        {
            char name[16];
            std::snprintf(name, sizeof(name), "F%d.TXT", file);
            store.Add(Entry(at, name, within, false), "");
        }
    }
}

// The plain world with the three trees deleted from F:\BENCHROOT.
bool MakeWorld(TTestWorld& world, int folders, int files)
{
    world.CreatePlain();
    std::filesystem::create_directories(world.FilesFolder("TARVEX", "DATA") / kParentKey);
    nwsim::TSalvageStore store(world.SalvageFolder("TARVEX", "DATA"));
    store.Load();
    AddTree(store, kRequestsTree, folders, files);
    AddTree(store, kProgramTree, folders, files);
    AddTree(store, kOtherTree, folders, files);
    store.Add(Entry(kParentKey, kOneFile, 0, false), "");
    store.Save();
    return world.Load();
}

// The requests alone: the tree's folder recovered, then each folder scanned and every entry in it recovered,
// as the program asks the access layer, with nothing around it. Returns the entries recovered.
size_t RecoverByRequestsAlone(const std::string& treeName)
{
    size_t recovered = 0;
    std::deque<std::string> folders{kParentPath};
    bool top = true;
    while (!folders.empty())
    {
        const std::string path = folders.front();
        folders.pop_front();
        nw::TNWDeletedList scanned =
            nw::TNWServer::ScanDeletedFiles(nw::TNWServer::GetPathConnection(path), path);
        if (scanned.empty())
            continue;
        const nw::TNWDirHandleShare lease =
            nw::LeaseDirHandle(scanned.front().entry->Connection, scanned.front().entry->DirHandle);
        for (const nw::TNWDeletedItem& item : scanned)
        {
            if (top && item.name != treeName)
                continue;
            const nw::TNWDeletedEntry& entry = *item.entry;
            if (!nw::TNWServer::RecoverDeletedFile(entry.Connection, entry.DirHandle, entry.Sequence,
                                                   entry.Volume, entry.DirBase, path + item.name,
                                                   path + item.name))
                continue;
            ++recovered;
            if ((entry.Info->Attributes & nw::kDirectoryAttribute) != 0)
                folders.push_back(path + item.name + "\\");
        }
        top = false;
    }
    return recovered;
}

std::optional<size_t> RowNamed(const TExtListView& list, const char* name)
{
    const std::wstring wanted(name, name + std::strlen(name));
    for (size_t row = 0; row < list.Count(); ++row)
        if (list.Row(row).caption == wanted)
            return row;
    return std::nullopt;
}

// The folder listed afresh, the row selected, then Retrove as the tool button gives it; its seconds.
std::optional<double> RetroveRow(TFMain& main, const char* name, uint32_t latency)
{
    main.ListDeletedFiles(kParent);
    TApplication::Instance().ProcessMessages();
    const std::optional<size_t> row = RowNamed(main.ExplorerList(), name);
    if (!row)
    {
        std::fprintf(stderr, "tree_bench: %s is not listed in %ls\n", name, kParent);
        return std::nullopt;
    }
    main.ExplorerList().SetSelected(*row, true);
    NWSimReset();
    NWSimSetLatency(latency);
    const LARGE_INTEGER start = Now();
    SendMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(cmBRetrove, 0), 0);
    return Seconds(start, Now());
}

void PrintShare(const char* what, double seconds, double requestSeconds, size_t entries)
{
    std::printf("%s %9.3f s, %.1f%% over the requests, %.2f us per entry\n", what, seconds,
                requestSeconds > 0 ? seconds / requestSeconds * 100 : 0.0,
                seconds * 1e6 / static_cast<double>(entries));
}

size_t LiveEntries(const TTestWorld& world, const char* treeName)
{
    size_t count = 0;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(
             world.FilesFolder("TARVEX", "DATA") / kParentKey / treeName, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        ++count;
    return count + 1; // the tree's folder itself
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const char* folder = std::getenv("RETROVE_GUI_WORLD");
    const int folders = argc > 1 ? _wtoi(argv[1]) : 100;
    const int files = argc > 2 ? _wtoi(argv[2]) : 100;
    const uint32_t latency = argc > 3 ? static_cast<uint32_t>(_wtoi(argv[3])) : 0;
    if (folder == nullptr || folders <= 0 || files < 0)
    {
        std::fprintf(stderr,
                     "usage: tree_bench [FOLDERS [FILES [LATENCY_US]]] with RETROVE_GUI_WORLD mapped\n");
        return 2;
    }
    TTestWorld world(nwsim::PathFromUtf8(folder));
    if (!MakeWorld(world, folders, files))
    {
        std::fprintf(stderr, "tree_bench: the world did not load: %s\n", NWSimWorldError());
        return 1;
    }
    // The program starts on the world: the access layer that both passes use is its own.
    TApplication::Instance().Initialize();
    TRetroveProgram program;
    program.Start();
    TFMain& main = *program.Forms().FMain;
    main.ShowFirstTime();
    TApplication::Instance().ProcessMessages();

    // Both passes run with the trees' folder open in the main window, under the same watch of the folder.
    main.TreeDel().GoTo(TItemIdList::FromPath(kParent).Get());
    TApplication::Instance().ProcessMessages();
    NWSimSetLatency(latency);
    const LARGE_INTEGER requestStart = Now();
    const size_t byRequests = RecoverByRequestsAlone(kRequestsTree);
    const double requestSeconds = Seconds(requestStart, Now());
    const size_t liveByRequests = LiveEntries(world, kRequestsTree);

    // The action window alone, as the program shows and hides it for any Retrove: one deleted file.
    const std::optional<double> oneFileSeconds = RetroveRow(main, kOneFile, latency);
    // The second tree, brought back by the program.
    const std::optional<double> retroveSeconds = RetroveRow(main, kProgramTree, latency);
    if (!oneFileSeconds || !retroveSeconds)
        return 1;
    const size_t liveByProgram = LiveEntries(world, kProgramTree);

    const size_t entries = static_cast<size_t>(folders) * static_cast<size_t>(files + 1);
    std::printf("tree of %d folders with %d files each, %zu entries, latency %u us per request\n", folders,
                files, entries, latency);
    std::printf("requests alone       %9.3f s, %zu entries back, %zu live after\n", requestSeconds,
                byRequests, liveByRequests);
    std::printf("whole Retrove        %9.3f s, %zu live after\n", *retroveSeconds, liveByProgram);
    PrintShare("program's own share ", *retroveSeconds - requestSeconds, requestSeconds, entries);
    std::printf("one-file Retrove     %9.3f s (the action window shown and hidden)\n", *oneFileSeconds);
    PrintShare("share beyond that   ", *retroveSeconds - *oneFileSeconds - requestSeconds, requestSeconds,
               entries);
    return liveByRequests == liveByProgram ? 0 : 1;
}
