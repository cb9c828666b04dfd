// Lists a folder of many deleted entries by 20 users into the real main window and prints where the time
// goes: the server requests alone, the whole listing, the message-queue checks, the final sort, the requests
// per entry, what the rows add to the working set, the sorts by Name and by Deleted and the scroll to the end
// that follow, the peak working set, and the rows built alone without server, control or event loop.
// Arguments: the number of entries (100000) and the simulated latency per request in microseconds (0).
#include "BenchClock.h"
#include "DeletedFileListRows.h"
#include "FilterCriteria.h"
#include "NWSim.h"
#include "ServerRequests.h"
#include "SimFiles.h"
#include "TApplication.h"
#include "TListModel.h"
#include "TLocaleCellFormat.h"
#include "TNWDirHandleLease.h"
#include "TNWServer.h"
#include "TRetroveProgram.h"
#include "TSalvageStore.h"
#include "TTestWorld.h"

#include <nlohmann/json.hpp>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace
{

constexpr int kUsers = 20;
constexpr uint32_t kFirstUserId = 0x0B000001;
// G: is the bindery server OLDSRV's VOL1 in the mapped world.
constexpr char kFolderKey[] = "BENCH";
constexpr wchar_t kFolder[] = L"G:\\BENCH";
constexpr char kPath[] = "G:\\BENCH\\";
const char* const kExtensions[] = {".TXT", ".DOC", ".XLS"};

// The deleted entries of G:\BENCH, deleted by the 20 users in turn, written into the world's store.
void FillStore(const std::filesystem::path& salvage, int entries)
{
    nwsim::TSalvageStore store(salvage);
    store.Load();
    for (int i = 0; i < entries; ++i)
    {
        nwsim::TDeletedFile file;
        file.folder = kFolderKey;
        char name[32];
        std::snprintf(name, sizeof(name), "F%d%s", entries - i, kExtensions[i % 3]);
        file.name = std::string(name);
        const uint32_t user = kFirstUserId + static_cast<uint32_t>(i % kUsers);
        file.owner = user;
        file.deletor = user;
        file.updater = user;
        file.archiver = kFirstUserId + static_cast<uint32_t>((i + 1) % kUsers);
        file.created = nwsim::TSimTime{2025, 1, 2, 3, 4, 5};
        file.updated = nwsim::TSimTime{2026, 5, 6, 7, 8, 9};
        file.archived = nwsim::TSimTime{2026, 6, 7, 8, 9, 10};
        file.accessed = nwsim::TSimTime{2026, 11, 1, 0, 0, 0};
        file.deleted = nwsim::TSimTime{2026,
                                       11,
                                       static_cast<uint8_t>(1 + i % 28),
                                       static_cast<uint8_t>(i % 24),
                                       static_cast<uint8_t>(i % 60),
                                       static_cast<uint8_t>(i % 59)};
        store.Add(file, "");
    }
    store.Save();
}

// Fills the store in a process of its own, so that what writing it costs stays out of this one's peak.
bool FillStoreApart(int entries)
{
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --fill " + std::to_wstring(entries);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode == 0;
}

// The plain world with 20 bindery users on OLDSRV and the entries in G:\BENCH.
bool MakeWorld(TTestWorld& world, int entries)
{
    world.CreatePlain();
    const std::filesystem::path jsonPath = world.Folder() / "world.json";
    nlohmann::json description;
    {
        std::ifstream in(jsonPath);
        in >> description;
    }
    for (nlohmann::json& server : description["servers"])
        if (server["name"] == "OLDSRV")
            for (int user = 0; user < kUsers; ++user)
            {
                char name[32];
                std::snprintf(name, sizeof(name), "BENCHUSER%d", user);
                server["bindery"].push_back({{"id", kFirstUserId + user}, {"name", name}, {"type", 256}});
            }
    world.WriteWorldJson(description.dump(1));
    std::filesystem::create_directories(world.FilesFolder("OLDSRV", "VOL1") / kFolderKey);
    return FillStoreApart(entries) && world.Load();
}

// The program's own work per row without the server, the list control or the event loop, over one scan of
// the folder: the criteria, the icon and the row as the listing adds it, then its eleven cells as the first
// reading of the row makes them (a paint, or a sort by a column after the name). The scan's entries are
// taken in batches, and only the rows of each batch are timed.
struct TRowTimes
{
    double added = 0;
    double cells = 0;
};

TRowTimes TimeRowsAlone()
{
    constexpr size_t kBatch = 4096;
    const TFilterCriteria criteria;
    const auto format = std::make_shared<const TLocaleCellFormat>();
    std::optional<TDeletedRowMaker> maker;
    TListModel rows;
    std::vector<nw::TNWDeletedItem> batch;
    double addSeconds = 0;
    size_t scanned = 0;
    const auto addBatch = [&] {
        const LARGE_INTEGER start = Now();
        for (nw::TNWDeletedItem& item : batch)
            if (MatchCriteria(criteria, item.name, *item.entry->Info))
                rows.Add(maker->Make(item.name, *item.entry));
        addSeconds += Seconds(start, Now());
        batch.clear();
    };
    nw::TNWServer::ForEachDeletedFile(
        nw::TNWServer::GetPathConnection(kPath), kPath, [&](nw::TNWDeletedItem& item) {
            if (!maker)
                maker.emplace(nw::LeaseDirHandle(item.entry->Connection, item.entry->DirHandle), format);
            ++scanned;
            batch.push_back(std::move(item));
            if (batch.size() == kBatch)
                addBatch();
            return true;
        });
    addBatch();
    if (scanned == 0)
        return {};
    const LARGE_INTEGER added = Now();
    size_t cells = 0;
    for (size_t row = 0; row < rows.Count(); ++row)
        cells += rows.Row(row).subItems.size();
    const LARGE_INTEGER made = Now();
    if (cells != rows.Count() * (dcCount - 1))
        std::fprintf(stderr, "listing_bench: %zu cells made for %zu rows\n", cells, rows.Count());
    const double count = static_cast<double>(scanned);
    return {addSeconds / count, Seconds(added, made) / count};
}

// The requests alone: each entry is built and dropped at once, so that this pass holds no list of its own.
double TimeRequestsAlone()
{
    const LARGE_INTEGER start = Now();
    nw::TNWDirHandleShare lease;
    nw::TNWServer::ForEachDeletedFile(
        nw::TNWServer::GetPathConnection(kPath), kPath, [&](nw::TNWDeletedItem& item) {
            if (!lease)
                lease = nw::LeaseDirHandle(item.entry->Connection, item.entry->DirHandle);
            return true;
        });
    return Seconds(start, Now());
}

PROCESS_MEMORY_COUNTERS MemoryNow()
{
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory;
}

double Megabytes(size_t bytes)
{
    return static_cast<double>(bytes) / 1048576.0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const char* folder = std::getenv("RETROVE_GUI_WORLD");
    if (folder != nullptr && argc == 3 && std::wstring(argv[1]) == L"--fill")
    {
        FillStore(nwsim::PathFromUtf8(folder) / "volumes" / "OLDSRV" / "VOL1" / "salvage", _wtoi(argv[2]));
        return 0;
    }
    const int entries = argc > 1 ? _wtoi(argv[1]) : 100000;
    const uint32_t latency = argc > 2 ? static_cast<uint32_t>(_wtoi(argv[2])) : 0;
    if (folder == nullptr || entries <= 0)
    {
        std::fprintf(stderr, "usage: listing_bench [ENTRIES [LATENCY_US]] with RETROVE_GUI_WORLD mapped\n");
        return 2;
    }
    TTestWorld world(nwsim::PathFromUtf8(folder));
    const LARGE_INTEGER worldStart = Now();
    if (!MakeWorld(world, entries))
    {
        std::fprintf(stderr, "listing_bench: the world did not load: %s\n", NWSimWorldError());
        return 1;
    }
    const double worldSeconds = Seconds(worldStart, Now());
    TApplication::Instance().Initialize();
    TRetroveProgram program;
    program.Start();
    TFMain& main = *program.Forms().FMain;
    main.ShowFirstTime();
    TApplication::Instance().ProcessMessages();
    NWSimSetLatency(latency);

    // The requests alone: the access layer on the same folder, as the listing calls it; the better of two
    // runs.
    const double requestSeconds = std::min(TimeRequestsAlone(), TimeRequestsAlone());

    uint32_t checks = 0;
    double checkSeconds = 0;
    main.SetListingEventPump([&] {
        const LARGE_INTEGER start = Now();
        TApplication::Instance().ProcessMessages();
        checkSeconds += Seconds(start, Now());
        ++checks;
    });
    LARGE_INTEGER sortStart{};
    double sortSeconds = 0;
    main.ExplorerList().OnSortBegin = [&] { sortStart = Now(); };
    main.ExplorerList().OnSortFinished = [&] { sortSeconds += Seconds(sortStart, Now()); };
    // The counters start afresh for the listing; the reset clears the latency too.
    NWSimReset();
    NWSimSetLatency(latency);
    const size_t setBefore = MemoryNow().WorkingSetSize;
    const LARGE_INTEGER listStart = Now();
    main.ListDeletedFiles(kFolder);
    const double totalSeconds = Seconds(listStart, Now());
    const uint32_t requests = ServerRequests();
    const size_t rows = main.ExplorerList().Count();
    const size_t setAfter = MemoryNow().WorkingSetSize;
    const double finalSort = sortSeconds;

    // What an operator does next with a long list: sort it by name and by the day of deletion, and go to its
    // end.
    TExtListView& list = main.ExplorerList();
    sortSeconds = 0;
    list.SortBy(dcName);
    const double nameSort = sortSeconds;
    sortSeconds = 0;
    list.SortBy(dcDeleted);
    const double deletedSort = sortSeconds;
    const LARGE_INTEGER scrollStart = Now();
    if (rows > 0)
        ListView_EnsureVisible(list.Handle(), static_cast<int>(rows - 1), FALSE);
    UpdateWindow(list.Handle());
    TApplication::Instance().ProcessMessages();
    const double scrollSeconds = Seconds(scrollStart, Now());

    const PROCESS_MEMORY_COUNTERS memory = MemoryNow();
    const double overhead = totalSeconds - requestSeconds - checkSeconds;
    std::printf("entries %d, rows %zu, latency %u us per request\n", entries, rows, latency);
    std::printf("world written        %9.3f s\n", worldSeconds);
    std::printf("requests alone       %9.3f s\n", requestSeconds);
    std::printf("listing in total     %9.3f s\n", totalSeconds);
    std::printf("queue checks         %9u, %.3f s (%.1f us each)\n", checks, checkSeconds,
                checks ? checkSeconds * 1e6 / checks : 0.0);
    std::printf("final sort           %9.3f s\n", finalSort);
    std::printf("requests per entry   %9.2f (", static_cast<double>(requests) / entries);
    for (const char* function : kCountedCalls)
        std::printf(" %s %u", function, NWSimCallCount(function));
    std::printf(" )\n");
    // The same requests with the rows in memory (after the counters were printed): a large heap and store
    // make each request slower too.
    const double requestsAfter = TimeRequestsAlone();
    std::printf("own overhead         %9.3f s, %.2f us per row\n", overhead,
                rows ? overhead * 1e6 / rows : 0.0);
    std::printf("total / requests     %9.3f\n", requestSeconds > 0 ? totalSeconds / requestSeconds : 0.0);
    std::printf("requests after it    %9.3f s (own overhead against them: %.2f us per row)\n", requestsAfter,
                rows ? (totalSeconds - requestsAfter - checkSeconds) * 1e6 / rows : 0.0);
    std::printf("working set          %9.1f MB before the listing, %.1f MB after it\n", Megabytes(setBefore),
                Megabytes(setAfter));
    std::printf("bytes per row        %9.0f\n",
                rows ? (static_cast<double>(setAfter) - static_cast<double>(setBefore)) / rows : 0.0);
    std::printf("sort by Name         %9.3f s\n", nameSort);
    std::printf("sort by Deleted      %9.3f s\n", deletedSort);
    std::printf("scroll to the end    %9.3f s\n", scrollSeconds);
    std::printf("peak working set     %9.1f MB\n", Megabytes(memory.PeakWorkingSetSize));
    main.ClearDeletedList();
    // After the peak was read: this holds a scan of its own.
    const TRowTimes alone = TimeRowsAlone();
    std::printf("rows built alone     %9.2f us per row (criteria, icon, row)\n", alone.added * 1e6);
    std::printf("cells made alone     %9.2f us per row (the eleven cells, on the first reading)\n",
                alone.cells * 1e6);
    return 0;
}
