// The directory schema's attribute and class names.
#include "TNWDSSchema.h"

#include <iterator>

namespace nw
{
namespace
{

constexpr const char* kAttributeNames[] = {"Account Balance",
                                           "ACL",
                                           "Aliased Object Name",
                                           "Allow Unlimited Credit",
                                           "Authority Revocation",
                                           "Back Link",
                                           "Bindery Object Restriction",
                                           "Bindery Property",
                                           "Bindery Type",
                                           "C",
                                           "CA Private Key",
                                           "CA Public Key",
                                           "Cartridge",
                                           "Certificate Revocation",
                                           "Certificate Validity Interval",
                                           "Object Class",
                                           "CN",
                                           "Convergence",
                                           "Cross Certificate Pair",
                                           "Default Queue",
                                           "Description",
                                           "Detect Intruder",
                                           "Device",
                                           "Revision",
                                           "EMail Address",
                                           "External Name",
                                           "Equivalent To Me",
                                           "External Synchronizer",
                                           "Facsimile Telephone Number",
                                           "Full Name",
                                           "Generational Qualifier",
                                           "GID",
                                           "Given Name",
                                           "Group Membership",
                                           "High Convergence Sync Interval",
                                           "Higher Privileges",
                                           "Home Directory",
                                           "Host Device",
                                           "Host Resource Name",
                                           "Host Server",
                                           "Inherited ACL",
                                           "Initials",
                                           "Intruder Attempt Reset Interval",
                                           "Intruder Lockout Reset Interval",
                                           "L",
                                           "Language",
                                           "Last Login Time",
                                           "Last Referenced Time",
                                           "Locked By Intruder",
                                           "Lockout After Detection",
                                           "Login Allowed Time Map",
                                           "Login Disabled",
                                           "Login Expiration Time",
                                           "Login Grace Limit",
                                           "Login Grace Remaining",
                                           "Login Intruder Address",
                                           "Login Intruder Attempts",
                                           "Login Intruder Limit",
                                           "Login Intruder Reset Time",
                                           "Login Maximum Simultaneous",
                                           "Login Script",
                                           "Login Time",
                                           "Low Convergence Reset Time",
                                           "Low Convergence Sync Interval",
                                           "Mailbox ID",
                                           "Mailbox Location",
                                           "Member",
                                           "Memory",
                                           "Message Routing Group",
                                           "Message Server",
                                           "Messaging Database Location",
                                           "Messaging Server",
                                           "Messaging Server Type",
                                           "Minimum Account Balance",
                                           "Network Address",
                                           "Network Access Restriction",
                                           "NNS Domain",
                                           "Notify",
                                           "O",
                                           "Obituary",
                                           "Object Class",
                                           "Operator",
                                           "OU",
                                           "Owner",
                                           "Page Description Language",
                                           "Partition Control",
                                           "Partition Creation Time",
                                           "Password Allow Change",
                                           "Password Expiration Interval",
                                           "Password Expiration Time",
                                           "Password Minimum Length",
                                           "Password Required",
                                           "Password Unique Required",
                                           "Passwords Used",
                                           "Path",
                                           "Physical Delivery Office Name",
                                           "Postal Address",
                                           "Postal Code",
                                           "Postal Office Box",
                                           "Postmaster",
                                           "Print Job Configuration",
                                           "Print Server",
                                           "Printer",
                                           "Printer Configuration",
                                           "Printer Control",
                                           "Private Key",
                                           "Profile",
                                           "Profile Membership",
                                           "Public Key",
                                           "Queue",
                                           "Queue Directory",
                                           "Received Up To",
                                           "Reference",
                                           "Replica",
                                           "Replica Up To",
                                           "Resource",
                                           "Revision",
                                           "Role Occupant",
                                           "S",
                                           "SA",
                                           "SAP Name",
                                           "Security Equals",
                                           "Security Flags",
                                           "See Also",
                                           "Serial Number",
                                           "Server",
                                           "Server Holds",
                                           "Status",
                                           "Supported Connections",
                                           "Supported Gateway",
                                           "Supported Services",
                                           "Supported Typefaces",
                                           "Surname",
                                           "Synchronizes Up To",
                                           "Telephone Number",
                                           "Title",
                                           "Type Creator Map",
                                           "UID",
                                           "Unknown",
                                           "Unknown Base Class",
                                           "User",
                                           "Version",
                                           "Volume"};
static_assert(std::size(kAttributeNames) == kDSAttributeCount);

struct TClassName
{
    const char* name;
    TNWDSClassKind kind;
};

constexpr TClassName kClassNames[] = {
    {"AFP SERVER", TNWDSClassKind::AFPServer},
    {"ALIAS", TNWDSClassKind::Alias},
    {"BINDERY OBJECT", TNWDSClassKind::BinderyObject},
    {"BINDERY QUEUE", TNWDSClassKind::BinderyQueue},
    {"COMPUTER", TNWDSClassKind::Computer},
    {"COUNTRY", TNWDSClassKind::Country},
    {"DIRECTORY MAP", TNWDSClassKind::DirectoryMap},
    {"EXTERNAL ENTITY", TNWDSClassKind::ExternalEntity},
    {"GROUP", TNWDSClassKind::Group},
    {"LIST", TNWDSClassKind::List},
    {"LOCALITY", TNWDSClassKind::Locality},
    {"MESSAGE ROUTING GROUP", TNWDSClassKind::MessageRoutingGroup},
    {"MESSAGING SERVER", TNWDSClassKind::MessagingServer},
    {"NCP SERVER", TNWDSClassKind::NCPServer},
    {"ORGANIZATION", TNWDSClassKind::Organization},
    {"ORGANIZATIONAL ROLE", TNWDSClassKind::OrganizationalRole},
    {"ORGANIZATIONAL UNIT", TNWDSClassKind::OrganizationalUnit},
    {"PRINTER", TNWDSClassKind::Printer},
    {"PRINT SERVER", TNWDSClassKind::PrintServer},
    {"PROFILE", TNWDSClassKind::Profile},
    {"QUEUE", TNWDSClassKind::Queue},
    {"SERVER", TNWDSClassKind::Server},
    {"TOP", TNWDSClassKind::Top},
    {"USER", TNWDSClassKind::User},
    {"VOLUME", TNWDSClassKind::Volume},
};

} // namespace

std::string AttributeName(int index)
{
    if (index < 0 || index >= kDSAttributeCount)
        return {};
    return kAttributeNames[index];
}

TNWDSClassKind ClassKindOfBaseClass(const std::string& baseClass)
{
    std::string upper = baseClass;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    for (const TClassName& entry : kClassNames)
        if (upper == entry.name)
            return entry.kind;
    return TNWDSClassKind::Unknown;
}

} // namespace nw
