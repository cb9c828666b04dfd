// Searches a tree of many folders, a few of which hold deleted files, with the real Find window and prints
// where the time goes: the raw scans of the same folders through the access layer alone, the walk alone (the
// same search with every path refused at once, so that it enumerates, shows and pumps but scans nothing),
// the whole search, the message-queue checks and the server requests. Arguments: the number of folders
// (10000), the share of them that hold deleted files in percent (1), the deleted files in each of those (10)
// and the simulated latency per request in microseconds (0).
#include "BenchClock.h"
#include "NWSim.h"
#include "ServerRequests.h"
#include "SimFiles.h"
#include "TApplication.h"
#include "TItemIdList.h"
#include "TNWDirHandleLease.h"
#include "TNWNDS.h"
#include "TNWServer.h"
#include "TRetroveProgram.h"
#include "TSalvageStore.h"
#include "TTestWorld.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// G: is the bindery server OLDSRV's VOL1 in the mapped world.
constexpr char kRootKey[] = "FINDBENCH";
constexpr wchar_t kRoot[] = L"G:\\FINDBENCH";
constexpr int kFoldersPerBranch = 100;
constexpr int kRounds = 5;

struct TBenchTree
{
    // Every folder below the root (the root not counted), as volume keys.
    std::vector<std::string> folders;
    size_t holding = 0;
    size_t deleted = 0;
};

// Branches of a hundred folders each, one level below a branch folder: the root, the branch folders and
// their children make the number of folders asked for. Every hundredth folder (by the share) holds the
// deleted files.
bool MakeWorld(TTestWorld& world, int folders, int sharePercent, int filesEach, TBenchTree& tree)
{
    world.CreatePlain();
    const std::filesystem::path files = world.FilesFolder("OLDSRV", "VOL1");
    for (int i = 0; static_cast<int>(tree.folders.size()) < folders; ++i)
    {
        char branch[64];
        std::snprintf(branch, sizeof(branch), "%s/B%d", kRootKey, i);
        tree.folders.push_back(branch);
        for (int j = 0; j + 1 < kFoldersPerBranch && static_cast<int>(tree.folders.size()) < folders; ++j)
        {
            char folder[80];
            std::snprintf(folder, sizeof(folder), "%s/F%d", branch, j);
            tree.folders.push_back(folder);
        }
    }
    for (const std::string& folder : tree.folders)
        std::filesystem::create_directories(files / nwsim::PathFromUtf8(folder));
    nwsim::TSalvageStore store(world.SalvageFolder("OLDSRV", "VOL1"));
    store.Load();
    const size_t every = sharePercent > 0 ? std::max<size_t>(1, 100 / static_cast<size_t>(sharePercent)) : 0;
    for (size_t index = 0; every != 0 && index < tree.folders.size(); index += every)
    {
        ++tree.holding;
        for (int k = 0; k < filesEach; ++k)
        {
            nwsim::TDeletedFile file;
            file.folder = tree.folders[index];
            char name[64];
            std::snprintf(name, sizeof(name), "F%u_%d.TXT", static_cast<unsigned>(index), k);
            file.name = name;
            file.owner = 1;
            file.deletor = 1;
            file.deleted = nwsim::TSimTime{2026, 11, 2, 3, 4, 5};
            store.Add(file, "");
            ++tree.deleted;
        }
    }
    store.Save();
    return world.Load();
}

std::wstring DrivePath(const std::string& key)
{
    std::wstring path = L"G:\\";
    for (const char c : key)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path + L"\\";
}

// The access layer alone on every folder of the tree, as the Find window calls it for each.
double TimeRawScans(const TBenchTree& tree)
{
    const LARGE_INTEGER start = Now();
    for (size_t i = 0; i <= tree.folders.size(); ++i)
    {
        const std::wstring wide = i == 0 ? std::wstring(kRoot) + L"\\" : DrivePath(tree.folders[i - 1]);
        const std::string path(wide.begin(), wide.end());
        nw::TNWNDS::SetNameContext("[root]");
        nw::TNWNDS::AddContextFlags(5);
        nw::TNWDeletedList scanned =
            nw::TNWServer::ScanDeletedFiles(nw::TNWServer::GetPathConnection(path), path);
        if (!scanned.empty())
            nw::LeaseDirHandle(scanned.front().entry->Connection, scanned.front().entry->DirHandle).reset();
    }
    return Seconds(start, Now());
}

// A search by the Find window, with the time of its message-queue checks.
struct TSearchTimes
{
    double seconds = 0;
    double checkSeconds = 0;
    uint32_t checks = 0;
    size_t rows = 0;
};

TSearchTimes TimeSearch(TFFind& find)
{
    TSearchTimes times;
    find.SetEventPump([&] {
        const LARGE_INTEGER start = Now();
        TApplication::Instance().ProcessMessages();
        times.checkSeconds += Seconds(start, Now());
        ++times.checks;
    });
    const LARGE_INTEGER start = Now();
    find.BFindClick();
    times.seconds = Seconds(start, Now());
    times.rows = find.FindList().Count();
    return times;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const int folders = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int share = argc > 2 ? _wtoi(argv[2]) : 1;
    const int filesEach = argc > 3 ? _wtoi(argv[3]) : 10;
    const uint32_t latency = argc > 4 ? static_cast<uint32_t>(_wtoi(argv[4])) : 0;
    const char* worldFolder = std::getenv("RETROVE_GUI_WORLD");
    if (worldFolder == nullptr || folders <= 0 || share < 0 || filesEach < 0)
    {
        std::fprintf(stderr, "usage: find_bench [FOLDERS [SHARE_PERCENT [FILES_EACH [LATENCY_US]]]] with "
                             "RETROVE_GUI_WORLD mapped\n");
        return 2;
    }
    TTestWorld world(nwsim::PathFromUtf8(worldFolder));
    TBenchTree tree;
    if (!MakeWorld(world, folders, share, filesEach, tree))
    {
        std::fprintf(stderr, "find_bench: the world did not load: %s\n", NWSimWorldError());
        return 1;
    }
    TApplication::Instance().Initialize();
    TRetroveProgram program;
    program.Start();
    TFMain& main = *program.Forms().FMain;
    main.ShowFirstTime();
    TApplication::Instance().ProcessMessages();
    TFFind& find = *program.Forms().FFind;
    find.SetImageLists(main.SmallImage(), main.LargeImage());
    find.SLook_In().Location().Assign(TItemIdList::FromPath(kRoot).Get());
    find.FormShow();
    ShowWindow(find.Handle(), SW_SHOW);
    TApplication::Instance().ProcessMessages();
    NWSimSetLatency(latency);

    // The raw scans and the search in turn, five times, the best of each counting: the first round also warms
    // the file system's caches, and the machine's other work falls on both alike. Under Wine the scans' time
    // can move by a tenth from one round to the next even on an idle machine; the best rounds are the least
    // disturbed ones.
    double rawSeconds = 0;
    TSearchTimes search;
    for (int round = 0; round < kRounds; ++round)
    {
        const double raw = TimeRawScans(tree);
        NWSimReset();
        NWSimSetLatency(latency);
        const TSearchTimes times = TimeSearch(find);
        if (round == 0 || raw < rawSeconds)
            rawSeconds = raw;
        if (round == 0 || times.seconds < search.seconds)
            search = times;
    }
    const uint32_t requests = ServerRequests();
    std::string perFunction;
    for (const char* function : kCountedCalls)
        perFunction += std::string(" ") + function + " " + std::to_string(NWSimCallCount(function));
    // The walk alone: no path resolves, so no folder is scanned, and the refusals cost no latency.
    NWSimSetLatency(0);
    NWSimFailCalls("NWParseNetWarePath", 0x899C, 1, 0);
    const TSearchTimes walk = TimeSearch(find);
    NWSimReset();
    const size_t rows = search.rows;
    const double added = search.seconds - rawSeconds;

    std::printf(
        "folders %zu (and the root), %zu holding %zu deleted files, latency %u us per request, best of "
        "%d rounds\n",
        tree.folders.size(), tree.holding, tree.deleted, latency, kRounds);
    std::printf("rows found           %9zu\n", rows);
    std::printf("raw scans            %9.3f s (%.1f us per folder)\n", rawSeconds,
                rawSeconds * 1e6 / static_cast<double>(tree.folders.size() + 1));
    std::printf("walk alone           %9.3f s (%.1f us per folder; queue checks %.3f s of it)\n",
                walk.seconds, walk.seconds * 1e6 / static_cast<double>(tree.folders.size() + 1),
                walk.checkSeconds);
    std::printf("search in total      %9.3f s\n", search.seconds);
    std::printf("queue checks         %9u, %.3f s (%.1f us each)\n", search.checks, search.checkSeconds,
                search.checks ? search.checkSeconds * 1e6 / search.checks : 0.0);
    std::printf("requests             %9u (%s )\n", requests, perFunction.c_str());
    std::printf("the walk adds        %9.1f%% to the raw scans (%.1f%% without the queue checks)\n",
                rawSeconds > 0 ? added * 100 / rawSeconds : 0.0,
                rawSeconds > 0 ? (added - search.checkSeconds) * 100 / rawSeconds : 0.0);
    find.BNewClick();
    return 0;
}
