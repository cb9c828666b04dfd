// Loading the world and attaching the workstation to its servers.
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
    worldError_.clear();
    try
    {
        world_ = LoadWorld(folder);
    }
    catch (const std::exception& error)
    {
        worldError_ = error.what();
        std::fprintf(stderr, "nwsim: the simulated network has no connections: %s\n", worldError_.c_str());
        std::fflush(stderr);
        return false;
    }
    Attach(*world_);
    return true;
}

void TSimNetwork::EnsureLoaded()
{
    if (!loaded_)
        Load(DefaultWorldFolder());
}

void TSimNetwork::Attach(const TSimWorld& world)
{
    uint32_t index = 0;
    for (const std::string& server : world.workstation.attached)
    {
        TSimConnection connection;
        connection.handle = kFirstConnectionHandle + index * 0x101;
        connection.reference = kFirstConnectionReference + index * 0x10;
        connection.number = static_cast<uint16_t>(3 + index * 4);
        connection.server = server;
        connections_.push_back(connection);
        if (server == world.workstation.primary)
            primary_ = connection.handle;
        ++index;
    }
}

const TSimWorld* TSimNetwork::World()
{
    EnsureLoaded();
    return world_ ? &*world_ : nullptr;
}

const TSimConnection* TSimNetwork::PrimaryConnection()
{
    EnsureLoaded();
    return primary_ != 0 ? FindConnection(primary_) : nullptr;
}

const TSimConnection* TSimNetwork::FindConnection(uint32_t handle)
{
    EnsureLoaded();
    for (const TSimConnection& connection : connections_)
        if (connection.handle == handle)
            return &connection;
    return nullptr;
}

const TSimConnection* TSimNetwork::FindConnectionByReference(uint32_t reference)
{
    EnsureLoaded();
    for (const TSimConnection& connection : connections_)
        if (connection.reference == reference)
            return &connection;
    return nullptr;
}

uint8_t TSimNetwork::SwapErrorMode(uint8_t mode)
{
    const uint8_t previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

} // namespace nwsim
