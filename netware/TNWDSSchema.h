// The directory schema's names the program uses: attribute names by index and base classes by kind.
#pragma once

#include <cstdint>
#include <string>

namespace nw
{

// Attribute indexes (0 to 142); the program reads only the full name.
constexpr int kDSAttributeFullName = 29;
constexpr int kDSAttributeCount = 143;

// Class kinds (0 to 25) of listed objects.
enum class TNWDSClassKind : uint8_t
{
    AFPServer = 0,
    Alias,
    BinderyObject,
    BinderyQueue,
    Computer,
    Country,
    DirectoryMap,
    ExternalEntity,
    Group,
    List,
    Locality,
    MessageRoutingGroup,
    MessagingServer,
    NCPServer,
    Organization,
    OrganizationalRole,
    OrganizationalUnit,
    Printer,
    PrintServer,
    Profile,
    Queue,
    Server,
    Top,
    Unknown,
    User,
    Volume,
};

// The schema name of an attribute index; empty above 142.
std::string AttributeName(int index);

// The kind of a base class name, compared in upper case; Unknown for a name not in the schema.
TNWDSClassKind ClassKindOfBaseClass(const std::string& baseClass);

} // namespace nw
