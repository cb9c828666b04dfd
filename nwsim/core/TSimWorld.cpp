// Loading, checking and writing world.json.
#include "TSimWorld.h"

#include "CodePage.h"
#include "SimFiles.h"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

namespace nwsim
{
namespace
{

using json = nlohmann::json;

[[noreturn]] void Fail(const std::string& message)
{
    throw TWorldError(message);
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

uint32_t ReadNumber(const json& value, const std::string& what, uint64_t maximum)
{
    uint64_t number = 0;
    if (value.is_number_unsigned())
        number = value.get<uint64_t>();
    else if (value.is_string())
    {
        const std::string text = value.get<std::string>();
        char* end = nullptr;
        number = std::strtoull(text.c_str(), &end, 0);
        if (text.empty() || *end != '\0')
            Fail(what + " is not a number: " + Quoted(text));
    }
    else
        Fail(what + " must be a number");
    if (number > maximum)
        Fail(what + " is out of range");
    return static_cast<uint32_t>(number);
}

std::string ReadString(const json& object, const char* key, const std::string& what, bool required = true)
{
    const auto found = object.find(key);
    if (found == object.end() || found->is_null())
    {
        if (required)
            Fail(what + " has no \"" + key + "\"");
        return {};
    }
    if (!found->is_string())
        Fail(what + ": \"" + key + "\" must be a string");
    return found->get<std::string>();
}

template <typename T> T ReadOptional(const json& object, const char* key, const std::string& what, T fallback)
{
    const auto found = object.find(key);
    if (found == object.end())
        return fallback;
    if constexpr (std::is_same_v<T, bool>)
    {
        if (!found->is_boolean())
            Fail(what + ": \"" + key + "\" must be true or false");
        return found->get<bool>();
    }
    else
        return static_cast<T>(ReadNumber(*found, what + " " + key, std::numeric_limits<T>::max()));
}

void ReadVersion(const json& server, TSimServer& result, const std::string& what)
{
    const std::string version = ReadString(server, "version", what, false);
    if (version.empty())
        return;
    unsigned major = 0, minor = 0;
    char extra = 0;
    if (std::sscanf(version.c_str(), "%u.%u%c", &major, &minor, &extra) != 2 || major > 255 || minor > 255)
        Fail(what + ": version " + Quoted(version) + " is not MAJOR.MINOR");
    result.majorVersion = static_cast<uint8_t>(major);
    result.minorVersion = static_cast<uint8_t>(minor);
}

TBinderyObject ReadBinderyObject(const json& object, const std::string& what)
{
    TBinderyObject result;
    result.name = UpperName(ReadString(object, "name", what));
    const std::string where = what + " object " + Quoted(result.name);
    if (!object.contains("id"))
        Fail(where + " has no \"id\"");
    result.id = ReadNumber(object["id"], where + " id", 0xFFFFFFFF);
    if (object.contains("type"))
        result.type = static_cast<uint16_t>(ReadNumber(object["type"], where + " type", 0xFFFF));
    result.fullName = ReadString(object, "fullName", where, false);
    result.manager = ReadOptional(object, "manager", where, false);
    result.consoleOperator = ReadOptional(object, "consoleOperator", where, false);
    return result;
}

// A volume is its name, or an object with its name and its kind ("nss" or "traditional").
TSimVolume ReadVolume(const json& volume, const TSimServer& server, const std::string& what)
{
    if (!volume.is_string() && !volume.is_object())
        Fail(what + ": a volume must be a name or an object with a name");
    TSimVolume result;
    result.name =
        UpperName(volume.is_string() ? volume.get<std::string>() : ReadString(volume, "name", what));
    if (result.name.empty() || server.FindVolume(result.name) != nullptr)
        Fail(what + ": volume " + Quoted(result.name) + " is empty or named twice");
    result.number = static_cast<uint32_t>(server.volumes.size());
    const std::string kind = volume.is_object() ? ReadString(volume, "kind", what, false) : std::string();
    if (kind == "nss")
        result.kind = TVolumeKind::nss;
    else if (kind == "traditional")
        result.kind = TVolumeKind::traditional;
    else if (!kind.empty())
        Fail(what + ": volume " + Quoted(result.name) + " has the kind " + Quoted(kind) +
             "; a kind is \"nss\" or \"traditional\"");
    return result;
}

TSimServer ReadServer(const json& server, uint32_t index)
{
    if (!server.is_object())
        Fail("server " + std::to_string(index + 1) + " must be an object");
    TSimServer result;
    result.name = UpperName(ReadString(server, "name", "server " + std::to_string(index + 1)));
    const std::string what = "server " + Quoted(result.name);
    ReadVersion(server, result, what);
    result.revision = ReadOptional<uint8_t>(server, "revision", what, 0);
    result.tree = UpperName(ReadString(server, "tree", what, false));
    result.maxConnections = ReadOptional<uint16_t>(server, "maxConnections", what, 250);
    result.connectionsInUse = ReadOptional<uint16_t>(server, "connectionsInUse", what, 1);
    result.maxConnectionsUsed = ReadOptional<uint16_t>(server, "maxConnectionsUsed", what, 1);
    result.sftLevel = ReadOptional<uint8_t>(server, "sftLevel", what, 2);
    result.ttsLevel = ReadOptional<uint8_t>(server, "ttsLevel", what, 1);

    for (const json& volume : server.value("volumes", json::array()))
        result.volumes.push_back(ReadVolume(volume, result, what));

    std::set<uint32_t> ids;
    for (const json& object : server.value("bindery", json::array()))
    {
        TBinderyObject read = ReadBinderyObject(object, what);
        if (!ids.insert(read.id).second)
            Fail(what + ": duplicate object ID " + std::to_string(read.id) + " (" + Quoted(read.name) + ")");
        result.bindery.push_back(std::move(read));
    }
    return result;
}

// The further attributes of a directory object: {"Description": ["a value", "another"]}.
void ReadAttributes(const json& object, const std::string& what, TDirectoryObject& read)
{
    const auto found = object.find("attributes");
    if (found == object.end())
        return;
    if (!found->is_object())
        Fail(what + ": \"attributes\" must be an object of value lists");
    for (const auto& [name, values] : found->items())
    {
        const std::string where = what + " attribute " + Quoted(name);
        if (name.empty() || UpperName(name) == "OBJECT CLASS" || UpperName(name) == "FULL NAME")
            Fail(where + " is empty or described elsewhere");
        if (!values.is_array() || values.empty())
            Fail(where + " must be a list of at least one value");
        std::vector<std::string>& kept = read.attributes[name];
        for (const json& value : values)
        {
            if (!value.is_string())
                Fail(where + ": values must be strings");
            kept.push_back(value.get<std::string>());
        }
    }
}

void ReadDirectory(const json& directory, TSimWorld& world)
{
    world.tree = UpperName(ReadString(directory, "tree", "directory"));
    std::set<uint32_t> ids;
    std::set<std::string> names;
    for (const json& object : directory.value("objects", json::array()))
    {
        TDirectoryObject read;
        read.name = UpperName(ReadString(object, "name", "directory object"));
        const std::string what = "directory object " + Quoted(read.name);
        read.objectClass = ReadString(object, "class", what);
        if (!object.contains("id"))
            Fail(what + " has no \"id\"");
        read.id = ReadNumber(object["id"], what + " id", 0xFFFFFFFF);
        read.fullName = ReadString(object, "fullName", what, false);
        read.manager = ReadOptional(object, "manager", what, false);
        read.consoleOperator = ReadOptional(object, "consoleOperator", what, false);
        ReadAttributes(object, what, read);
        if (!ids.insert(read.id).second)
            Fail("directory: duplicate object ID " + std::to_string(read.id) + " (" + Quoted(read.name) +
                 ")");
        if (!names.insert(read.name).second)
            Fail("directory: " + Quoted(read.name) + " is named twice");
        world.directory.push_back(std::move(read));
    }
    for (const TDirectoryObject& object : world.directory)
    {
        const size_t dot = object.name.find('.');
        if (dot != std::string::npos && names.count(object.name.substr(dot + 1)) == 0)
            Fail("directory object " + Quoted(object.name) + " lies in a container that is not described");
    }
}

void ReadWorkstation(const json& workstation, TSimWorld& world)
{
    TSimWorkstation& result = world.workstation;
    for (const json& server : workstation.value("attached", json::array()))
    {
        const std::string name = UpperName(server.is_string() ? server.get<std::string>() : std::string());
        if (world.FindServer(name) == nullptr)
            Fail("workstation: attached to unknown server " + Quoted(name));
        result.attached.push_back(name);
    }
    result.primary = UpperName(ReadString(workstation, "primary", "workstation", false));
    if (result.primary.empty() && !result.attached.empty())
        result.primary = result.attached.front();
    if (!result.primary.empty() &&
        std::find(result.attached.begin(), result.attached.end(), result.primary) == result.attached.end())
        Fail("workstation: primary server " + Quoted(result.primary) + " is not attached");
    const json logins = workstation.value("logins", json::object());
    for (const auto& [server, login] : logins.items())
    {
        if (world.FindServer(UpperName(server)) == nullptr)
            Fail("workstation: login on unknown server " + Quoted(server));
        result.logins[UpperName(server)] =
            UpperName(login.is_string() ? login.get<std::string>() : std::string());
    }
    result.directoryLogin = UpperName(ReadString(workstation, "directoryLogin", "workstation", false));
    if (!result.directoryLogin.empty() && world.FindDirectoryObject(result.directoryLogin) == nullptr)
        Fail("workstation: directory login " + Quoted(result.directoryLogin) + " is not a directory object");
    if (workstation.contains("contextFlags"))
        result.contextFlags = ReadNumber(workstation["contextFlags"], "workstation contextFlags", 0xFFFFFFFF);
    result.nameContext = ReadString(workstation, "nameContext", "workstation", false);
    if (result.nameContext.empty() || UpperName(result.nameContext) == "[ROOT]")
        result.nameContext = "[Root]";
    else if (world.FindDirectoryObject(UpperName(result.nameContext)) == nullptr)
        Fail("workstation: name context " + Quoted(result.nameContext) + " is not a directory object");
    else
        result.nameContext = UpperName(result.nameContext);

    const json drives = workstation.value("drives", json::object());
    for (const auto& [letterText, drive] : drives.items())
    {
        const std::string what = "drive " + letterText;
        if (letterText.size() != 1 || !std::isalpha(static_cast<unsigned char>(letterText[0])))
            Fail(what + ": drive names are single letters");
        TDriveMapping mapping;
        mapping.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letterText[0])));
        mapping.server = UpperName(ReadString(drive, "server", what));
        mapping.volume = UpperName(ReadString(drive, "volume", what));
        mapping.path = ReadString(drive, "path", what, false);
        const TSimServer* server = world.FindServer(mapping.server);
        if (server == nullptr)
            Fail(what + ": is mapped to unknown server " + Quoted(mapping.server));
        if (server->FindVolume(mapping.volume) == nullptr)
            Fail(what + ": server " + Quoted(mapping.server) + " has no volume " + Quoted(mapping.volume));
        result.drives.push_back(mapping);
    }
}

void CheckTreeIdentities(const TSimWorld& world)
{
    std::set<uint32_t> directoryIds;
    for (const TDirectoryObject& object : world.directory)
        directoryIds.insert(object.id);
    for (const TSimServer& server : world.servers)
    {
        if (server.tree.empty())
            continue;
        if (server.tree != world.tree)
            Fail("server " + Quoted(server.name) + " belongs to unknown tree " + Quoted(server.tree));
        for (const TBinderyObject& object : server.bindery)
            if (directoryIds.count(object.id) != 0)
                Fail("server " + Quoted(server.name) + ": duplicate object ID " + std::to_string(object.id) +
                     " (" + Quoted(object.name) + " is also a directory object)");
    }
}

json VolumeJson(const TSimVolume& volume)
{
    switch (volume.kind)
    {
    case TVolumeKind::nss:
        return {{"name", volume.name}, {"kind", "nss"}};
    case TVolumeKind::traditional:
        return {{"name", volume.name}, {"kind", "traditional"}};
    default:
        return volume.name;
    }
}

json ObjectJson(const TBinderyObject& object)
{
    json result = {{"id", object.id}, {"name", object.name}, {"type", object.type}};
    if (!object.fullName.empty())
        result["fullName"] = object.fullName;
    if (object.manager)
        result["manager"] = true;
    if (object.consoleOperator)
        result["consoleOperator"] = true;
    return result;
}

// The capital of a Latin letter of the Windows code pages (ASCII, Latin-1 and Latin Extended-A); any other
// character as it is. Latin Extended-A pairs each capital with its small letter, the capital first.
char32_t UpperLetter(char32_t c)
{
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    if (c == 0xFF)
        return 0x178;
    if (c == 0x131) // the dotless i
        return U'I';
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 0 ? c - 1 : c;
    return c;
}

} // namespace

std::string UpperName(std::string text)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
    {
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return text;
    }
    std::string upper;
    upper.reserve(text.size());
    for (size_t position = 0; position < text.size();)
    {
        const size_t start = position;
        if (const std::optional<char32_t> codePoint = NextCodePoint(text, position))
            AppendCodePoint(upper, UpperLetter(*codePoint));
        else
            upper += text[start];
    }
    return upper;
}

const TSimVolume* TSimServer::FindVolume(const std::string& volumeName) const
{
    const std::string wanted = UpperName(volumeName);
    for (const TSimVolume& volume : volumes)
        if (volume.name == wanted)
            return &volume;
    return nullptr;
}

const TBinderyObject* TSimServer::FindObject(uint32_t id) const
{
    for (const TBinderyObject& object : bindery)
        if (object.id == id)
            return &object;
    return nullptr;
}

const TBinderyObject* TSimServer::FindObject(const std::string& objectName, uint16_t type) const
{
    const std::string wanted = UpperName(objectName);
    for (const TBinderyObject& object : bindery)
        if (object.name == wanted && object.type == type)
            return &object;
    return nullptr;
}

const TSimServer* TSimWorld::FindServer(const std::string& serverName) const
{
    const std::string wanted = UpperName(serverName);
    for (const TSimServer& server : servers)
        if (server.name == wanted)
            return &server;
    return nullptr;
}

const TDriveMapping* TSimWorld::FindDrive(char letter) const
{
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const TDriveMapping& drive : workstation.drives)
        if (drive.letter == wanted)
            return &drive;
    return nullptr;
}

std::filesystem::path TSimWorld::FilesFolder(const std::string& serverName,
                                             const std::string& volumeName) const
{
    return folder / "volumes" / PathFromUtf8(UpperName(serverName)) / PathFromUtf8(UpperName(volumeName)) /
           "files";
}

std::filesystem::path TSimWorld::SalvageFolder(const std::string& serverName,
                                               const std::string& volumeName) const
{
    return folder / "volumes" / PathFromUtf8(UpperName(serverName)) / PathFromUtf8(UpperName(volumeName)) /
           "salvage";
}

std::string TSimWorld::NameOfObject(const std::string& serverName, uint32_t id) const
{
    const TSimServer* server = FindServer(serverName);
    if (server == nullptr)
        return {};
    if (const TBinderyObject* object = server->FindObject(id))
        return object->name;
    if (!server->tree.empty())
        for (const TDirectoryObject& object : directory)
            if (object.id == id)
                return object.name;
    return {};
}

uint32_t TSimWorld::FindUserId(const std::string& serverName, const std::string& userName) const
{
    const TSimServer* server = FindServer(serverName);
    if (server == nullptr)
        return 0;
    const std::string wanted = UpperName(userName);
    if (const TBinderyObject* object = server->FindObject(wanted, 0x0100))
        return object->id;
    if (server->tree.empty())
        return 0;
    for (const TDirectoryObject& object : directory)
    {
        const std::string commonName = object.name.substr(0, object.name.find('.'));
        if (object.name == wanted || commonName == "CN=" + wanted)
            return object.id;
    }
    return 0;
}

const TDirectoryObject* TSimWorld::FindDirectoryObject(const std::string& distinguishedName) const
{
    const std::string wanted = UpperName(distinguishedName);
    for (const TDirectoryObject& object : directory)
        if (object.name == wanted)
            return &object;
    return nullptr;
}

const TDirectoryObject* TSimWorld::FindDirectoryObject(uint32_t id) const
{
    for (const TDirectoryObject& object : directory)
        if (object.id == id)
            return &object;
    return nullptr;
}

std::optional<TLoginIdentity> TSimWorld::LoginOn(const std::string& serverName) const
{
    const TSimServer* server = FindServer(serverName);
    const auto login = workstation.logins.find(UpperName(serverName));
    if (server == nullptr || login == workstation.logins.end() || login->second.empty())
        return std::nullopt;
    for (const TBinderyObject& object : server->bindery)
        if (object.name == login->second && object.type == 0x0100)
            return TLoginIdentity{object.name, object.id, object.manager, object.consoleOperator};
    if (server->tree.empty())
        return std::nullopt;
    for (const TDirectoryObject& object : directory)
        if (object.name.substr(0, object.name.find('.')) == "CN=" + login->second)
            return TLoginIdentity{login->second, object.id, object.manager, object.consoleOperator};
    return std::nullopt;
}

TSimWorld LoadWorld(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / "world.json";
    const std::optional<std::string> text = ReadWholeFile(file);
    if (!text)
        Fail("cannot read " + Utf8FromPath(file));
    json document;
    try
    {
        document = json::parse(*text);
    }
    catch (const json::parse_error& error)
    {
        Fail(Utf8FromPath(file) + " is not valid JSON: " + error.what());
    }
    if (!document.is_object())
        Fail(Utf8FromPath(file) + " must hold a JSON object");

    try
    {
        TSimWorld world;
        world.folder = folder;
        uint32_t index = 0;
        for (const json& server : document.value("servers", json::array()))
        {
            TSimServer read = ReadServer(server, index++);
            if (world.FindServer(read.name) != nullptr)
                Fail("server " + Quoted(read.name) + " is described twice");
            world.servers.push_back(std::move(read));
        }
        if (document.contains("directory"))
            ReadDirectory(document["directory"], world);
        CheckTreeIdentities(world);
        ReadWorkstation(document.value("workstation", json::object()), world);
        return world;
    }
    catch (const json::exception& error)
    {
        Fail(Utf8FromPath(file) + ": " + error.what());
    }
}

std::string WorldToJson(const TSimWorld& world)
{
    json servers = json::array();
    for (const TSimServer& server : world.servers)
    {
        json volumes = json::array();
        for (const TSimVolume& volume : server.volumes)
            volumes.push_back(VolumeJson(volume));
        json bindery = json::array();
        for (const TBinderyObject& object : server.bindery)
            bindery.push_back(ObjectJson(object));
        json entry = {
            {"name", server.name},
            {"version", std::to_string(server.majorVersion) + "." + std::to_string(server.minorVersion)},
            {"revision", server.revision},
            {"maxConnections", server.maxConnections},
            {"connectionsInUse", server.connectionsInUse},
            {"maxConnectionsUsed", server.maxConnectionsUsed},
            {"sftLevel", server.sftLevel},
            {"ttsLevel", server.ttsLevel},
            {"volumes", volumes},
            {"bindery", bindery}};
        if (!server.tree.empty())
            entry["tree"] = server.tree;
        servers.push_back(entry);
    }

    json document = {{"servers", servers}};
    if (!world.tree.empty())
    {
        json objects = json::array();
        for (const TDirectoryObject& object : world.directory)
        {
            json entry = {{"name", object.name}, {"class", object.objectClass}, {"id", object.id}};
            if (!object.fullName.empty())
                entry["fullName"] = object.fullName;
            if (object.manager)
                entry["manager"] = true;
            if (object.consoleOperator)
                entry["consoleOperator"] = true;
            if (!object.attributes.empty())
                entry["attributes"] = object.attributes;
            objects.push_back(entry);
        }
        document["directory"] = {{"tree", world.tree}, {"objects", objects}};
    }

    const TSimWorkstation& station = world.workstation;
    json drives = json::object();
    for (const TDriveMapping& drive : station.drives)
        drives[std::string(1, drive.letter)] = {
            {"server", drive.server}, {"volume", drive.volume}, {"path", drive.path}};
    document["workstation"] = {{"attached", station.attached},
                               {"primary", station.primary},
                               {"logins", station.logins},
                               {"directoryLogin", station.directoryLogin},
                               {"nameContext", station.nameContext},
                               {"contextFlags", station.contextFlags},
                               {"drives", drives}};
    return document.dump(2) + "\n";
}

} // namespace nwsim
