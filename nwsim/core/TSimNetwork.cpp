// Loading the world, the workstation's connections and the servers' clocks.
#include "TSimNetwork.h"

#include "SimFiles.h"

#include <cstdio>

namespace nwsim
{
namespace
{

// Handles above 0xFFFF and references of another range, so that a client that truncates or confuses them
// fails visibly.
constexpr uint32_t kFirstConnectionHandle = 0x00C10001;
constexpr uint32_t kFirstConnectionReference = 0x5C000011;

} // namespace

TSimNetwork& TSimNetwork::Instance()
{
    static TSimNetwork network;
    return network;
}

bool TSimNetwork::Load(const std::filesystem::path& folder)
{
    loaded_ = true;
    world_.reset();
    connections_.clear();
    primary_ = 0;
    preferred_.clear();
    clockOffsets_.clear();
    worldError_.clear();
    files_ = TSimFileService();
    directory_ = TSimDirectory();
    try
    {
        world_ = LoadWorld(folder);
    }
    catch (const std::exception& error)
    {
        worldError_ = error.what();
        ReportProblem("the simulated network has no connections: " + worldError_);
        return false;
    }
    for (const std::string& server : world_->workstation.attached)
    {
        const TSimConnection& connection = AddConnection(server, true);
        if (server == world_->workstation.primary)
            primary_ = connection.handle;
    }
    directory_.SetDefaults(world_->workstation.nameContext, world_->workstation.contextFlags);
    return true;
}

void TSimNetwork::EnsureLoaded()
{
    if (!loaded_)
        Load(DefaultWorldFolder());
}

TSimConnection& TSimNetwork::AddConnection(const std::string& serverName, bool loggedIn)
{
    const uint32_t index = static_cast<uint32_t>(connections_.size());
    TSimConnection connection;
    connection.handle = kFirstConnectionHandle + index * 0x101;
    connection.reference = kFirstConnectionReference + index * 0x10;
    connection.number = static_cast<uint16_t>(3 + index * 4);
    connection.server = serverName;
    if (loggedIn)
        connection.login = world_->LoginOn(serverName);
    connection.loginTime = AddSeconds(SimNow(), -3600 * static_cast<int64_t>(index + 1));
    connections_.push_back(connection);
    return connections_.back();
}

const TSimWorld* TSimNetwork::World()
{
    EnsureLoaded();
    return world_ ? &*world_ : nullptr;
}

TSimConnection* TSimNetwork::PrimaryConnection()
{
    EnsureLoaded();
    return primary_ != 0 ? FindConnection(primary_) : nullptr;
}

TSimConnection* TSimNetwork::FindConnection(uint32_t handle)
{
    EnsureLoaded();
    for (TSimConnection& connection : connections_)
        if (connection.handle == handle)
            return &connection;
    return nullptr;
}

TSimConnection* TSimNetwork::FindConnectionByReference(uint32_t reference)
{
    EnsureLoaded();
    for (TSimConnection& connection : connections_)
        if (connection.reference == reference)
            return &connection;
    return nullptr;
}

TSimConnection* TSimNetwork::FindConnectionToServer(const std::string& serverName)
{
    EnsureLoaded();
    const std::string wanted = UpperName(serverName);
    for (TSimConnection& connection : connections_)
        if (connection.server == wanted)
            return &connection;
    return nullptr;
}

const TSimServer* TSimNetwork::ServerOf(uint32_t handle)
{
    const TSimConnection* connection = FindConnection(handle);
    return connection != nullptr && world_ ? world_->FindServer(connection->server) : nullptr;
}

TSimConnection* TSimNetwork::OpenConnection(const std::string& serverName)
{
    if (TSimConnection* existing = FindConnectionToServer(serverName))
        return existing;
    if (!world_ || world_->FindServer(serverName) == nullptr)
        return nullptr;
    return &AddConnection(UpperName(serverName), false);
}

bool TSimNetwork::SetPrimary(uint32_t handle)
{
    if (FindConnection(handle) == nullptr)
        return false;
    primary_ = handle;
    return true;
}

bool TSimNetwork::SetPreferredServer(const std::string& serverName)
{
    EnsureLoaded();
    if (!world_ || world_->FindServer(serverName) == nullptr)
        return false;
    preferred_ = UpperName(serverName);
    return true;
}

TSimTime TSimNetwork::ServerClock(const std::string& serverName) const
{
    const auto offset = clockOffsets_.find(UpperName(serverName));
    return AddSeconds(SimNow(), offset != clockOffsets_.end() ? offset->second : 0);
}

void TSimNetwork::SetServerClock(const std::string& serverName, const TSimTime& time)
{
    clockOffsets_[UpperName(serverName)] = SecondsSince1970(time) - SecondsSince1970(SimNow());
}

uint8_t TSimNetwork::SwapErrorMode(uint8_t mode)
{
    const uint8_t previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

} // namespace nwsim
