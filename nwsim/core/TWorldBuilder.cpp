// The layout of a new world and the demo world's files.
#include "TWorldBuilder.h"

#include "SimFiles.h"
#include "TSalvageStore.h"

#include <fstream>

namespace nwsim
{
namespace
{

constexpr uint16_t kUser = 0x0100;
constexpr uint16_t kGroup = 0x0200;
constexpr uint16_t kPrintQueue = 0x0300;

TSimWorld BaseWorld(const std::filesystem::path& folder)
{
    TSimWorld world;
    world.folder = folder;

    TSimServer nds;
    nds.name = "TARVEX";
    nds.majorVersion = 4;
    nds.minorVersion = 11;
    nds.tree = "TARVEX_TREE";
    nds.maxConnections = 250;
    nds.connectionsInUse = 17;
    nds.maxConnectionsUsed = 42;
    nds.volumes = {{"SYS", 0, TVolumeKind::traditional}, {"DATA", 1, TVolumeKind::nss}};
    nds.bindery = {{0x00000001, "SUPERVISOR", kUser, "Supervisor", true, true},
                   {0x00000002, "EVERYONE", kGroup, "", false, false}};

    TSimServer bindery;
    bindery.name = "OLDSRV";
    bindery.majorVersion = 3;
    bindery.minorVersion = 12;
    bindery.maxConnections = 100;
    bindery.connectionsInUse = 6;
    bindery.maxConnectionsUsed = 23;
    bindery.volumes = {{"SYS", 0, TVolumeKind::traditional}, {"VOL1", 1, TVolumeKind::traditional}};
    bindery.bindery = {{0x00000001, "SUPERVISOR", kUser, "Supervisor", true, true},
                       {0x01000003, "GUEST", kUser, "Guest", false, false},
                       {0x0A000011, "JSMITH", kUser, "John Smith", false, false},
                       {0x0A000012, "MBROWN", kUser, "Mary Brown", false, false},
                       {0x0A000013, "KLEE", kUser, "Kim Lee", false, false},
                       {0x0A000014, "PFISCHER", kUser, "Paula Fischer", false, false},
                       {0x02000001, "EVERYONE", kGroup, "", false, false},
                       {0x03000001, "LASER_Q", kPrintQueue, "", false, false}};

    world.servers = {nds, bindery};
    world.tree = "TARVEX_TREE";
    world.directory = {
        {"O=TARVEX", "Organization", 0x10000001, ""},
        {"OU=SALES.O=TARVEX", "Organizational Unit", 0x10000002, ""},
        {"OU=ENGINEERING.O=TARVEX", "Organizational Unit", 0x10000003, ""},
        {"CN=ADMIN.O=TARVEX", "User", 0x10000010, "Network Administrator", true, true},
        {"CN=BOB.OU=SALES.O=TARVEX", "User", 0x10000011, "Bob Miller"},
        {"CN=ALICE.OU=SALES.O=TARVEX", "User", 0x10000012, "Alice Wong"},
        {"CN=CAROL.OU=ENGINEERING.O=TARVEX", "User", 0x10000013, "Carol Diaz"},
        {"CN=DAVE.OU=ENGINEERING.O=TARVEX", "User", 0x10000014, ""},
        {"CN=STAFF.O=TARVEX", "Group", 0x10000020, ""},
        {"CN=TARVEX.O=TARVEX", "NCP Server", 0x10000030, ""},
        {"CN=TARVEX_DATA.O=TARVEX", "Volume", 0x10000031, ""},
        {"C=US", "Country", 0x10000040, ""},
        {"O=NORTHWIND.C=US", "Organization", 0x10000041, ""},
        {"CN=ERIN.O=NORTHWIND.C=US", "User", 0x10000042, "Erin Novak"},
    };

    TSimWorkstation& station = world.workstation;
    station.attached = {"TARVEX", "OLDSRV"};
    station.primary = "TARVEX";
    station.logins = {{"TARVEX", "ADMIN"}, {"OLDSRV", "SUPERVISOR"}};
    station.directoryLogin = "CN=ADMIN.O=TARVEX";
    station.drives = {{'F', "TARVEX", "DATA", ""}, {'G', "OLDSRV", "VOL1", ""}};
    return world;
}

void WriteLiveFile(const std::filesystem::path& path, const std::string& content)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out)
        throw TWorldError("cannot write " + Utf8FromPath(path));
}

// A small deterministic generator, so that every demo world is the same apart from its dates.
class TDemoRandom
{
public:
    uint32_t Next(uint32_t bound)
    {
        state_ = state_ * 1103515245u + 12345u;
        return (state_ >> 8) % bound;
    }

private:
    uint32_t state_ = 20261208;
};

struct TDemoVolume
{
    std::string server;
    std::string volume;
    std::vector<std::string> folders;
    std::vector<uint32_t> users;
};

class TDemoPopulator
{
public:
    TDemoPopulator(const TSimWorld& world, TSimTime now) : world_(world), now_(now) {}

    void Populate(const TDemoVolume& volume, uint32_t count)
    {
        TSalvageStore store(world_.SalvageFolder(volume.server, volume.volume));
        const std::filesystem::path files = world_.FilesFolder(volume.server, volume.volume);
        for (const std::string& folder : volume.folders)
            std::filesystem::create_directories(files / PathFromUtf8(folder));

        for (uint32_t i = 0; i < count; ++i)
        {
            const std::string folder =
                volume.folders[random_.Next(static_cast<uint32_t>(volume.folders.size()))];
            AddDeleted(store, volume, folder, GeneratedName(i), i);
        }
        AddSpecialCases(store, volume, files);
        store.Save();
    }

private:
    std::string GeneratedName(uint32_t index)
    {
        static const char* const stems[] = {"REPORT", "MEMO",    "BUDGET", "NOTES",    "PLAN",   "INVOICE",
                                            "DRAFT",  "MINUTES", "ORDER",  "SCHEDULE", "LETTER", "SUMMARY"};
        static const char* const extensions[] = {"TXT", "DOC", "XLS", "DAT", "BAK", "WK1"};
        return std::string(stems[random_.Next(12)]) + std::to_string(index % 97) + "." +
               extensions[random_.Next(6)];
    }

    TDeletedFile Entry(const TDemoVolume& volume, const std::string& folder, const std::string& name)
    {
        const uint32_t users = static_cast<uint32_t>(volume.users.size());
        TDeletedFile entry;
        entry.folder = folder;
        entry.name = name;
        entry.nameSpace = name.size() > 12 || name.find(' ') != std::string::npos ? 4 : 0;
        entry.attributes = random_.Next(4) == 0 ? 0x21 : 0x20;
        entry.owner = volume.users[random_.Next(users)];
        entry.updater = volume.users[random_.Next(users)];
        entry.deletor = volume.users[random_.Next(users)];
        entry.deleted = AddSeconds(now_, -static_cast<int64_t>(random_.Next(30 * 86400)));
        entry.updated = AddSeconds(entry.deleted, -static_cast<int64_t>(random_.Next(90 * 86400)));
        entry.created = AddSeconds(entry.updated, -static_cast<int64_t>(random_.Next(400 * 86400)));
        entry.accessed = entry.deleted;
        entry.accessed.hour = entry.accessed.minute = entry.accessed.second = 0;
        if (random_.Next(3) == 0)
        {
            entry.archived = AddSeconds(entry.updated, static_cast<int64_t>(random_.Next(3 * 86400)));
            entry.archiver = volume.users[random_.Next(users)];
        }
        return entry;
    }

    void AddDeleted(TSalvageStore& store, const TDemoVolume& volume, const std::string& folder,
                    const std::string& name, uint32_t seed)
    {
        const std::string content = "Demo content of " + name + " (" + std::to_string(seed) + ")\r\n" +
                                    std::string(random_.Next(4000), 'x');
        store.Add(Entry(volume, folder, name), content);
    }

    void AddSpecialCases(TSalvageStore& store, const TDemoVolume& volume, const std::filesystem::path& files)
    {
        const std::string& folder = volume.folders.front();
        // A deleted name that exists again.
        AddDeleted(store, volume, folder, "README.TXT", 9001);
        WriteLiveFile(files / PathFromUtf8(folder) / "README.TXT", "The current README.\r\n");
        // Several deleted versions of one name.
        for (uint32_t version = 0; version < 3; ++version)
            AddDeleted(store, volume, folder, "FORECAST.XLS", 9100 + version);
        // Long names.
        AddDeleted(store, volume, folder, "Quarterly sales projection for the northern region.xls", 9200);
        AddDeleted(store, volume, folder, "Minutes of the project steering meeting, December.doc", 9201);
        // A folder that exists but holds no deleted files.
        std::filesystem::create_directories(files / "EMPTY");
        WriteLiveFile(files / PathFromUtf8(folder) / "PLAN.TXT", "A live file beside the deleted ones.\r\n");
    }

    const TSimWorld& world_;
    TSimTime now_;
    TDemoRandom random_;
};

void PopulateDemo(const TSimWorld& world)
{
    TDemoPopulator populator(world, SimNow());
    populator.Populate({"TARVEX",
                        "DATA",
                        {"PROJECTS", "PROJECTS/ALPHA", "PROJECTS/BETA", "REPORTS", "REPORTS/2026",
                         "USERS/BOB", "USERS/ALICE", "SHARED"},
                        {0x10000010, 0x10000011, 0x10000012, 0x10000013, 0x10000014, 0x00000001}},
                       220);
    populator.Populate({"OLDSRV",
                        "VOL1",
                        {"ACCOUNTS", "ARCHIVE", "PUBLIC", "PUBLIC/FORMS"},
                        {0x00000001, 0x0A000011, 0x0A000012, 0x0A000013, 0x0A000014}},
                       120);
}

} // namespace

void CreateWorld(const std::filesystem::path& folder, bool demo)
{
    std::error_code error;
    if (std::filesystem::exists(folder / "world.json", error))
        throw TWorldError(Utf8FromPath(folder) + " already holds a world");
    std::filesystem::create_directories(folder, error);
    if (error)
        throw TWorldError("cannot create " + Utf8FromPath(folder) + ": " + error.message());

    const TSimWorld world = BaseWorld(folder);
    for (const TSimServer& server : world.servers)
        for (const TSimVolume& volume : server.volumes)
        {
            std::filesystem::create_directories(world.FilesFolder(server.name, volume.name), error);
            std::filesystem::create_directories(world.SalvageFolder(server.name, volume.name), error);
        }
    if (demo)
        PopulateDemo(world);
    if (!WriteFileAtomically(folder / "world.json", WorldToJson(world)))
        throw TWorldError("cannot write " + Utf8FromPath(folder / "world.json"));
}

} // namespace nwsim
