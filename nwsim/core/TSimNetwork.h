// The running simulated network as the workstation sees it: the loaded world, the connections to its servers,
// the servers' clocks, and the file and directory services over them.
#pragma once

#include "TSimDirectory.h"
#include "TSimFileService.h"
#include "TSimTime.h"
#include "TSimWorld.h"

#include <cstdint>
#include <filesystem>
#include <map>
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
    std::optional<TLoginIdentity> login; // nothing for a connection opened but not logged in
    TSimTime loginTime;
    uint16_t broadcastMode = 0;
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

    TSimConnection* PrimaryConnection();
    TSimConnection* FindConnection(uint32_t handle);
    TSimConnection* FindConnectionByReference(uint32_t reference);
    TSimConnection* FindConnectionToServer(const std::string& serverName);
    const std::vector<TSimConnection>& Connections() const { return connections_; }
    // The server of a connection, or nullptr for an unknown connection.
    const TSimServer* ServerOf(uint32_t handle);

    // The connection to a server of the world, made (without a login) when there is none yet.
    TSimConnection* OpenConnection(const std::string& serverName);
    bool SetPrimary(uint32_t handle);
    // Remembers the preferred server; false for a server the network does not know.
    bool SetPreferredServer(const std::string& serverName);
    const std::string& PreferredServer() const { return preferred_; }

    // A server's clock, which runs on from the time it was last set.
    TSimTime ServerClock(const std::string& serverName) const;
    void SetServerClock(const std::string& serverName, const TSimTime& time);

    // Stores the client's error mode and returns the one before.
    uint8_t SwapErrorMode(uint8_t mode);

    TSimFileService& Files() { return files_; }
    TSimDirectory& Directory() { return directory_; }

private:
    TSimConnection& AddConnection(const std::string& serverName, bool loggedIn);

    bool loaded_ = false;
    std::optional<TSimWorld> world_;
    std::string worldError_;
    std::vector<TSimConnection> connections_;
    uint32_t primary_ = 0; // handle of the primary connection, 0 for none
    std::string preferred_;
    std::map<std::string, int64_t> clockOffsets_; // seconds ahead of the workstation's clock, per server
    uint8_t errorMode_ = 0;
    TSimFileService files_;
    TSimDirectory directory_;
};

} // namespace nwsim
