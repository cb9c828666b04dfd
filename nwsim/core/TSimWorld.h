// The description of a simulated network: servers with volumes and bindery objects, the directory tree, and
// the workstation's attachments and drive mappings. Loaded from world.json in the world folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace nwsim
{

struct TBinderyObject
{
    uint32_t id = 0;
    std::string name;
    uint16_t type = 0x0100;
    std::string fullName;
    bool manager = false;
    bool consoleOperator = false;
};

// How a volume keeps a deleted folder. NSS keeps the folder itself as a deleted entry of its parent, with its
// contents deleted inside it; a traditional volume keeps no folder and moves the deleted files that were in
// it to DELETED.SAV at its root. A volume of no kind holds deleted files only.
enum class TVolumeKind
{
    unspecified,
    nss,
    traditional
};

struct TSimVolume
{
    std::string name;
    uint32_t number = 0;
    TVolumeKind kind = TVolumeKind::unspecified;
};

struct TSimServer
{
    std::string name;
    uint8_t majorVersion = 4;
    uint8_t minorVersion = 11;
    uint8_t revision = 0;
    std::string tree; // empty for a bindery server
    uint16_t maxConnections = 250;
    uint16_t connectionsInUse = 1;
    uint16_t maxConnectionsUsed = 1;
    uint8_t sftLevel = 2;
    uint8_t ttsLevel = 1;
    std::vector<TSimVolume> volumes;
    std::vector<TBinderyObject> bindery;

    const TSimVolume* FindVolume(const std::string& volumeName) const;
    const TBinderyObject* FindObject(uint32_t id) const;
    const TBinderyObject* FindObject(const std::string& objectName, uint16_t type) const;
};

struct TDirectoryObject
{
    std::string name; // typed and distinguished: CN=BOB.OU=SALES.O=TARVEX
    std::string objectClass;
    uint32_t id = 0;
    std::string fullName;
    bool manager = false;
    bool consoleOperator = false;
    // Further attributes by name, each with its values (case-ignore strings).
    std::map<std::string, std::vector<std::string>> attributes{};
};

// Who is logged in on a connection: a bindery object or, on a server of the tree, a directory user.
struct TLoginIdentity
{
    std::string name; // bindery name, or the directory user's common name
    uint32_t id = 0;
    bool manager = false;
    bool consoleOperator = false;
};

struct TDriveMapping
{
    char letter = 'F';
    std::string server;
    std::string volume;
    std::string path; // folder below the volume root, '/'-separated, empty for the root
};

struct TSimWorkstation
{
    std::vector<std::string> attached; // in connection order
    std::string primary;
    std::map<std::string, std::string> logins; // server name to the bindery name logged in there
    std::string directoryLogin;                // typed name of the directory identity
    std::string nameContext = "[Root]";        // the directory name context new contexts start in
    uint32_t contextFlags = 0x13;              // the flags new contexts start with
    std::vector<TDriveMapping> drives;
};

struct TSimWorld
{
    std::filesystem::path folder;
    std::vector<TSimServer> servers;
    std::string tree;
    std::vector<TDirectoryObject> directory;
    TSimWorkstation workstation;

    const TSimServer* FindServer(const std::string& serverName) const;
    const TDriveMapping* FindDrive(char letter) const;
    // The folder of a volume's live files, and the folder of its salvage store.
    std::filesystem::path FilesFolder(const std::string& serverName, const std::string& volumeName) const;
    std::filesystem::path SalvageFolder(const std::string& serverName, const std::string& volumeName) const;

    // The name of an object as the server knows it: its bindery name, else, on a server of the directory
    // tree, its typed directory name. Empty when nobody has that ID.
    std::string NameOfObject(const std::string& serverName, uint32_t id) const;
    // The ID of a user given by bindery name, typed directory name or directory common name; 0 when unknown.
    uint32_t FindUserId(const std::string& serverName, const std::string& userName) const;

    const TDirectoryObject* FindDirectoryObject(const std::string& distinguishedName) const;
    const TDirectoryObject* FindDirectoryObject(uint32_t id) const;
    // The identity logged in on the server, or nothing when the workstation has no login there.
    std::optional<TLoginIdentity> LoginOn(const std::string& serverName) const;
};

class TWorldError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads and checks folder/world.json. Throws TWorldError with a message that names the fault.
TSimWorld LoadWorld(const std::filesystem::path& folder);

// The world.json text of a world.
std::string WorldToJson(const TSimWorld& world);

// Upper-cases the letters of a UTF-8 name, accented Latin ones too, as NetWare compares names without regard
// to case in its code page.
std::string UpperName(std::string text);

} // namespace nwsim
