// The simulated directory's contexts, buffers and operations.
#include "TSimDirectory.h"

#include "CodePage.h"
#include "DirectoryNames.h"
#include "SimCodes.h"

#include <algorithm>
#include <cstring>

namespace nwsim
{
namespace
{

// The room one listed object takes in a result buffer, as the real client packs it.
constexpr uint32_t kListedObjectBytes = 128;
constexpr size_t kMaxDistinguishedName = 256;

bool TreeReachable(const TSimWorld& world)
{
    if (world.tree.empty())
        return false;
    for (const std::string& attached : world.workstation.attached)
        if (const TSimServer* server = world.FindServer(attached);
            server != nullptr && server->tree == world.tree)
            return true;
    return false;
}

std::string ParentOf(const std::string& distinguishedName)
{
    const size_t dot = distinguishedName.find('.');
    return dot == std::string::npos ? std::string() : distinguishedName.substr(dot + 1);
}

std::vector<TDirectoryAttribute> AttributesOf(const TDirectoryObject& object)
{
    const std::vector<TNameComponent> name = SplitDistinguishedName(object.name);
    std::vector<TDirectoryAttribute> attributes;
    attributes.push_back({"Object Class", kSyntaxClassName, {object.objectClass, "Top"}});
    if (!name.empty())
        attributes.push_back({name.front().type, kSyntaxCaseIgnoreString, {name.front().value}});
    if (!object.fullName.empty())
        attributes.push_back({"Full Name", kSyntaxCaseIgnoreString, {object.fullName}});
    for (const auto& [name, values] : object.attributes)
        attributes.push_back({name, kSyntaxCaseIgnoreString, values});
    return attributes;
}

} // namespace

TSimDirectory::TContext* TSimDirectory::FindContext(int32_t context)
{
    const auto found = contexts_.find(context);
    return found != contexts_.end() ? &found->second : nullptr;
}

const TSimDirectory::TContext* TSimDirectory::FindContext(int32_t context) const
{
    const auto found = contexts_.find(context);
    return found != contexts_.end() ? &found->second : nullptr;
}

TSimDirectory::TBuffer* TSimDirectory::FindBuffer(void* buffer)
{
    const auto found = buffers_.find(buffer);
    return found != buffers_.end() ? found->second.get() : nullptr;
}

int32_t TSimDirectory::BufferOf(int32_t context, void* buffer, TBuffer*& found)
{
    found = FindBuffer(buffer);
    if (FindContext(context) == nullptr)
        return kDSInvalidContext;
    return found != nullptr ? 0 : kDSInvalidRequest;
}

int32_t TSimDirectory::CreateContext()
{
    const int32_t handle = nextContext_++;
    contexts_[handle] = TContext{defaultFlags_, defaultNameContext_};
    return handle;
}

int32_t TSimDirectory::DuplicateContext(int32_t context)
{
    const TContext* source = FindContext(context);
    if (source == nullptr)
        return kDSInvalidContext;
    const TContext copy = *source;
    const int32_t handle = nextContext_++;
    contexts_[handle] = copy;
    return handle;
}

int32_t TSimDirectory::FreeContext(int32_t context)
{
    return contexts_.erase(context) != 0 ? 0 : kDSInvalidContext;
}

int32_t TSimDirectory::SetContext(const TSimWorld& world, int32_t context, int32_t key, const void* value)
{
    TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    if (value == nullptr)
        return kDSInvalidRequest;
    if (key == kContextKeyFlags)
    {
        std::memcpy(&found->flags, value, sizeof(found->flags));
        return 0;
    }
    if (key != kContextKeyNameContext)
        return kDSInvalidRequest;
    const std::string name(static_cast<const char*>(value), strnlen(static_cast<const char*>(value), 1024));
    if (CharacterCount(name) > kMaxDistinguishedName)
        return kDSInvalidRequest;
    if (IsRootName(name))
    {
        found->nameContext = kRootName;
        return 0;
    }
    bool isRoot = false;
    const TDirectoryObject* object = Resolve(world, TContext{found->flags, kRootName}, "." + name, isRoot);
    if (object == nullptr)
        return kDSNoSuchEntry;
    found->nameContext = object->name;
    return 0;
}

int32_t TSimDirectory::GetContext(int32_t context, int32_t key, void* value) const
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    if (value == nullptr)
        return kDSInvalidRequest;
    if (key == kContextKeyFlags)
    {
        std::memcpy(value, &found->flags, sizeof(found->flags));
        return 0;
    }
    if (key != kContextKeyNameContext)
        return kDSInvalidRequest;
    std::string shown;
    GetNameContext(context, shown);
    std::memcpy(value, shown.c_str(), shown.size() + 1);
    return 0;
}

int32_t TSimDirectory::GetNameContext(int32_t context, std::string& name) const
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    name = found->nameContext == kRootName ? found->nameContext
                                           : JoinDistinguishedName(SplitDistinguishedName(found->nameContext),
                                                                   (found->flags & kFlagTypelessNames) != 0);
    return 0;
}

int32_t TSimDirectory::AllocateBuffer(uint32_t size, void** buffer)
{
    if (buffer == nullptr || size < 64)
        return kDSInvalidRequest;
    auto created = std::make_unique<TBuffer>();
    created->size = size;
    *buffer = created.get();
    buffers_[created.get()] = std::move(created);
    return 0;
}

int32_t TSimDirectory::InitializeBuffer(int32_t context, uint32_t operation, void* buffer)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    const uint32_t size = found->size;
    *found = TBuffer{};
    found->size = size;
    found->operation = operation;
    return 0;
}

int32_t TSimDirectory::FreeBuffer(void* buffer)
{
    return buffers_.erase(buffer) != 0 ? 0 : kDSInvalidRequest;
}

int32_t TSimDirectory::PutAttributeName(int32_t context, void* buffer, const std::string& name)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    if (found->operation == 0)
        return kDSInvalidRequest;
    found->attributeNames.push_back(name);
    return 0;
}

int32_t TSimDirectory::CheckBuffer(int32_t context, void* buffer)
{
    TBuffer* found = nullptr;
    return BufferOf(context, buffer, found);
}

const TDirectoryObject* TSimDirectory::Resolve(const TSimWorld& world, const TContext& context,
                                               const std::string& name, bool& isRoot) const
{
    isRoot = false;
    const std::optional<std::vector<TNameComponent>> resolved =
        ResolveRelativeName(name, context.nameContext);
    if (!resolved)
        return nullptr;
    if (resolved->empty())
    {
        isRoot = true;
        return nullptr;
    }
    for (const TDirectoryObject& object : world.directory)
        if (NameMatches(SplitDistinguishedName(object.name), *resolved))
            return &object;
    return nullptr;
}

std::string TSimDirectory::Shown(const TContext& context, const std::string& distinguishedName) const
{
    return AbbreviateName(distinguishedName, context.nameContext, (context.flags & kFlagTypelessNames) != 0);
}

int32_t TSimDirectory::List(const TSimWorld& world, int32_t context, const std::string& object,
                            int32_t& iteration, void* result)
{
    TBuffer* buffer = nullptr;
    if (const int32_t code = BufferOf(context, result, buffer))
        return code;
    const TContext* found = FindContext(context);
    if (!TreeReachable(world))
        return kDSTransportFailure;
    bool isRoot = false;
    const TDirectoryObject* parent = Resolve(world, *found, object, isRoot);
    if (parent == nullptr && !isRoot)
        return kDSNoSuchEntry;
    const std::string parentName = isRoot ? std::string() : parent->name;

    std::vector<TListedObject> children;
    for (const TDirectoryObject& child : world.directory)
        if (ParentOf(child.name) == parentName)
        {
            uint32_t subordinates = 0;
            for (const TDirectoryObject& below : world.directory)
                subordinates += ParentOf(below.name) == child.name ? 1 : 0;
            children.push_back({child.name, child.objectClass, subordinates});
        }

    const size_t first = iteration < 0 ? 0 : static_cast<size_t>(iteration);
    const size_t room = std::max<size_t>(1, buffer->size / kListedObjectBytes);
    const size_t last = std::min(children.size(), first + room);
    buffer->objects.assign(children.begin() + static_cast<long>(std::min(first, children.size())),
                           children.begin() + static_cast<long>(last));
    buffer->objectCursor = 0;
    iteration = last < children.size() ? static_cast<int32_t>(last) : -1;
    return 0;
}

int32_t TSimDirectory::GetObjectCount(int32_t context, void* buffer, uint32_t& count)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    count = static_cast<uint32_t>(found->objects.size());
    return 0;
}

int32_t TSimDirectory::GetObjectName(int32_t context, void* buffer, std::string& name, uint8_t* information)
{
    TBuffer* results = nullptr;
    if (const int32_t code = BufferOf(context, buffer, results))
        return code;
    if (results->objectCursor >= results->objects.size())
        return kDSInvalidRequest;
    const TContext* found = FindContext(context);
    const TListedObject& object = results->objects[results->objectCursor++];
    name = Shown(*found, object.name);
    if (information != nullptr)
    {
        std::memset(information, 0, kObjectInfoSize);
        std::memcpy(information + 4, &object.subordinates, sizeof(uint32_t));
        const size_t length =
            std::min<size_t>(object.baseClass.size(), kObjectInfoSize - kObjectInfoClassOffset - 1);
        std::memcpy(information + kObjectInfoClassOffset, object.baseClass.data(), length);
    }
    return 0;
}

int32_t TSimDirectory::Read(const TSimWorld& world, int32_t context, const std::string& object,
                            bool allAttributes, void* request, int32_t& iteration, void* result)
{
    TBuffer* results = nullptr;
    if (const int32_t code = BufferOf(context, result, results))
        return code;
    const TContext* found = FindContext(context);
    const TBuffer* requested = allAttributes ? nullptr : FindBuffer(request);
    if (!allAttributes && (requested == nullptr || requested->operation != kBufferOperationRead))
        return kDSInvalidRequest;
    if (!TreeReachable(world))
        return kDSTransportFailure;
    bool isRoot = false;
    const TDirectoryObject* target = Resolve(world, *found, object, isRoot);
    if (target == nullptr)
        return kDSNoSuchEntry;

    std::vector<TDirectoryAttribute> chosen;
    size_t valueCount = 0;
    for (const TDirectoryAttribute& attribute : AttributesOf(*target))
    {
        const bool wanted =
            allAttributes || std::any_of(requested->attributeNames.begin(), requested->attributeNames.end(),
                                         [&](const std::string& name) {
                                             return UpperName(name) == UpperName(attribute.name);
                                         });
        if (!wanted)
            continue;
        chosen.push_back(attribute);
        valueCount += attribute.values.size();
    }
    if (chosen.empty())
        return kDSNoSuchAttribute;

    // The values go in their order from the first one not given yet, each attribute's name before its first
    // value in this buffer, until the next value would not fit.
    const size_t start = iteration < 0 ? 0 : static_cast<size_t>(iteration);
    if (start >= valueCount)
        return kDSInvalidRequest;
    std::vector<TDirectoryAttribute> packed;
    size_t bytes = 0;
    size_t position = 0;
    bool full = false;
    for (const TDirectoryAttribute& attribute : chosen)
    {
        for (const std::string& value : attribute.values)
        {
            if (position++ < start)
                continue;
            const bool named = !packed.empty() && packed.back().name == attribute.name;
            const size_t cost = value.size() + 8 + (named ? 0 : attribute.name.size() + 16);
            if (bytes + cost > results->size)
            {
                full = true;
                --position;
                break;
            }
            if (!named)
                packed.push_back({attribute.name, attribute.syntax, {}});
            packed.back().values.push_back(value);
            bytes += cost;
        }
        if (full)
            break;
    }
    if (packed.empty())
        return kDSInsufficientBuffer;
    results->attributes = std::move(packed);
    results->attributeCursor = 0;
    results->valueCursor = 0;
    iteration = full ? static_cast<int32_t>(position) : -1;
    return 0;
}

int32_t TSimDirectory::GetAttributeCount(int32_t context, void* buffer, uint32_t& count)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    count = static_cast<uint32_t>(found->attributes.size());
    found->attributeCursor = 0;
    return 0;
}

int32_t TSimDirectory::GetAttributeName(int32_t context, void* buffer, std::string& name,
                                        uint32_t& valueCount, uint32_t& syntax)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    if (found->attributeCursor >= found->attributes.size())
        return kDSInvalidRequest;
    const TDirectoryAttribute& attribute = found->attributes[found->attributeCursor++];
    name = attribute.name;
    valueCount = static_cast<uint32_t>(attribute.values.size());
    syntax = attribute.syntax;
    found->valueCursor = 0;
    return 0;
}

const TDirectoryAttribute* TSimDirectory::CurrentAttribute(const TBuffer& buffer) const
{
    if (buffer.attributeCursor == 0 || buffer.attributeCursor > buffer.attributes.size())
        return nullptr;
    const TDirectoryAttribute& attribute = buffer.attributes[buffer.attributeCursor - 1];
    return buffer.valueCursor < attribute.values.size() ? &attribute : nullptr;
}

int32_t TSimDirectory::ComputeValueSize(int32_t context, void* buffer, uint32_t& size)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    const TDirectoryAttribute* attribute = CurrentAttribute(*found);
    if (attribute == nullptr)
        return kDSInvalidRequest;
    size = static_cast<uint32_t>(attribute->values[found->valueCursor].size() + 1);
    return 0;
}

int32_t TSimDirectory::GetValue(int32_t context, void* buffer, std::string& value)
{
    TBuffer* found = nullptr;
    if (const int32_t code = BufferOf(context, buffer, found))
        return code;
    const TDirectoryAttribute* attribute = CurrentAttribute(*found);
    if (attribute == nullptr)
        return kDSInvalidRequest;
    value = attribute->values[found->valueCursor++];
    return 0;
}

int32_t TSimDirectory::Canonicalize(const TSimWorld& world, int32_t context, const std::string& name,
                                    std::string& result)
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    const std::optional<std::vector<TNameComponent>> resolved = ResolveRelativeName(name, found->nameContext);
    if (!resolved || resolved->empty())
        return kDSInvalidRequest;
    // A typeless name takes the types of the object it names, else the types of its components' places.
    bool isRoot = false;
    const TDirectoryObject* object = Resolve(world, *found, name, isRoot);
    const std::vector<TNameComponent> typed =
        object != nullptr ? SplitDistinguishedName(object->name) : TypeByPosition(*resolved);
    result = JoinDistinguishedName(typed, (found->flags & kFlagTypelessNames) != 0);
    return result.size() > kMaxDistinguishedName ? kDSInsufficientBuffer : 0;
}

int32_t TSimDirectory::WhoAmI(const TSimWorld& world, int32_t context, std::string& name)
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    if (!TreeReachable(world) || world.workstation.directoryLogin.empty())
        return kDSNoSuchEntry;
    name = Shown(*found, world.workstation.directoryLogin);
    return 0;
}

int32_t TSimDirectory::MapNameToId(const TSimWorld& world, int32_t context, const std::string& name,
                                   uint32_t& id)
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    bool isRoot = false;
    const TDirectoryObject* object = Resolve(world, *found, name, isRoot);
    if (object == nullptr)
        return kDSNoSuchEntry;
    id = object->id;
    return 0;
}

int32_t TSimDirectory::MapIdToName(const TSimWorld& world, int32_t context, uint32_t id, std::string& name)
{
    const TContext* found = FindContext(context);
    if (found == nullptr)
        return kDSInvalidContext;
    const TDirectoryObject* object = world.FindDirectoryObject(id);
    if (object == nullptr)
        return kDSNoSuchEntry;
    name = Shown(*found, object->name);
    return 0;
}

} // namespace nwsim
