// The running simulated network as the workstation sees it: the loaded world and the connections to its
// attached servers.
#pragma once

#include "TSimWorld.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace nwsim
{

struct TSimConnection
{
    uint32_t handle = 0;    // 32-bit connection handle of the client
    uint32_t reference = 0; // connection reference of the client library
    uint16_t number = 0;    // the server's connection number
    std::string server;
};

class TSimNetwork
{
public:
    static TSimNetwork& Instance();

    // Replaces the network by the world in the folder. On failure the message goes to standard error and the
    // workstation is left without connections. Returns true when the world loaded.
    bool Load(const std::filesystem::path& folder);

    // Loads the world from NWSIM_WORLD, else from nwsim-world beside the core library, unless one is loaded.
    void EnsureLoaded();

    // The world, or nullptr when it failed to load.
    const TSimWorld* World();
    const std::string& WorldError() const { return worldError_; }

    const TSimConnection* PrimaryConnection();
    const TSimConnection* FindConnection(uint32_t handle);
    const TSimConnection* FindConnectionByReference(uint32_t reference);

    // Stores the client's error mode and returns the one before.
    uint8_t SwapErrorMode(uint8_t mode);

private:
    void Attach(const TSimWorld& world);

    bool loaded_ = false;
    std::optional<TSimWorld> world_;
    std::string worldError_;
    std::vector<TSimConnection> connections_;
    uint32_t primary_ = 0; // handle of the primary connection, 0 for none
    uint8_t errorMode_ = 0;
};

} // namespace nwsim
