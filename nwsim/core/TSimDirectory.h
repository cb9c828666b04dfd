// The directory (NDS) side of the simulated network: contexts with their flags and name context, request and
// result buffers, listing, attribute reads, and names and IDs mapped both ways.
#pragma once

#include "TSimWorld.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace nwsim
{

// Context keys and flags with the directory client's values.
constexpr int32_t kContextKeyFlags = 1;
constexpr int32_t kContextKeyNameContext = 3;
constexpr uint32_t kFlagTypelessNames = 0x04;
constexpr uint32_t kDefaultContextFlags = 0x13; // dereference aliases, translate strings, canonicalize names

constexpr uint32_t kBufferOperationRead = 3;
constexpr uint32_t kObjectInfoSize = 80;
constexpr uint32_t kObjectInfoClassOffset = 12;
// Attribute syntaxes of the values the simulated directory holds.
constexpr uint32_t kSyntaxCaseIgnoreString = 3;
constexpr uint32_t kSyntaxClassName = 20;

struct TDirectoryAttribute
{
    std::string name;
    uint32_t syntax = kSyntaxCaseIgnoreString;
    std::vector<std::string> values;
};

class TSimDirectory
{
public:
    // What new contexts start with.
    void SetDefaults(const std::string& nameContext, uint32_t flags)
    {
        defaultNameContext_ = nameContext;
        defaultFlags_ = flags;
    }

    uint32_t ContextsInUse() const { return static_cast<uint32_t>(contexts_.size()); }
    uint32_t BuffersInUse() const { return static_cast<uint32_t>(buffers_.size()); }

    int32_t CreateContext();
    int32_t DuplicateContext(int32_t context);
    int32_t FreeContext(int32_t context);
    int32_t SetContext(const TSimWorld& world, int32_t context, int32_t key, const void* value);
    int32_t GetContext(int32_t context, int32_t key, void* value) const;
    // The name context as the context's flags show it.
    int32_t GetNameContext(int32_t context, std::string& name) const;

    int32_t AllocateBuffer(uint32_t size, void** buffer);
    int32_t InitializeBuffer(int32_t context, uint32_t operation, void* buffer);
    int32_t FreeBuffer(void* buffer);
    int32_t PutAttributeName(int32_t context, void* buffer, const std::string& name);
    // 0 when both the context and the buffer exist.
    int32_t CheckBuffer(int32_t context, void* buffer);

    // Fills the result buffer with the next objects below the named one; the iteration goes back to -1 after
    // the last buffer.
    int32_t List(const TSimWorld& world, int32_t context, const std::string& object, int32_t& iteration,
                 void* result);
    int32_t GetObjectCount(int32_t context, void* buffer, uint32_t& count);
    // The next listed object: its name as the context shows it, and the 80-byte information record.
    int32_t GetObjectName(int32_t context, void* buffer, std::string& name, uint8_t* information);

    // Reads the attributes named in the request buffer (or all of them) into the result buffer. Values that
    // do not fit go into the next buffers: the iteration then counts the values already given, and goes back
    // to -1 with the last buffer.
    int32_t Read(const TSimWorld& world, int32_t context, const std::string& object, bool allAttributes,
                 void* request, int32_t& iteration, void* result);
    int32_t GetAttributeCount(int32_t context, void* buffer, uint32_t& count);
    int32_t GetAttributeName(int32_t context, void* buffer, std::string& name, uint32_t& valueCount,
                             uint32_t& syntax);
    // The size in bytes of the next value, and the value itself (which moves on to the one after).
    int32_t ComputeValueSize(int32_t context, void* buffer, uint32_t& size);
    int32_t GetValue(int32_t context, void* buffer, std::string& value);

    int32_t Canonicalize(const TSimWorld& world, int32_t context, const std::string& name,
                         std::string& result);
    int32_t WhoAmI(const TSimWorld& world, int32_t context, std::string& name);
    int32_t MapNameToId(const TSimWorld& world, int32_t context, const std::string& name, uint32_t& id);
    int32_t MapIdToName(const TSimWorld& world, int32_t context, uint32_t id, std::string& name);

private:
    struct TContext
    {
        uint32_t flags = kDefaultContextFlags;
        std::string nameContext = "[Root]";
    };

    struct TListedObject
    {
        std::string name; // distinguished
        std::string baseClass;
        uint32_t subordinates = 0;
    };

    struct TBuffer
    {
        uint32_t size = 0;
        uint32_t operation = 0;
        std::vector<std::string> attributeNames;
        std::vector<TListedObject> objects;
        size_t objectCursor = 0;
        std::vector<TDirectoryAttribute> attributes;
        size_t attributeCursor = 0; // the next attribute whose name GetAttributeName gives
        size_t valueCursor = 0;     // the next value of the attribute last named
    };

    TContext* FindContext(int32_t context);
    const TContext* FindContext(int32_t context) const;
    TBuffer* FindBuffer(void* buffer);
    // The buffer of a request, checked together with its context: 0, or the code to answer with.
    int32_t BufferOf(int32_t context, void* buffer, TBuffer*& found);
    const TDirectoryObject* Resolve(const TSimWorld& world, const TContext& context, const std::string& name,
                                    bool& isRoot) const;
    std::string Shown(const TContext& context, const std::string& distinguishedName) const;
    const TDirectoryAttribute* CurrentAttribute(const TBuffer& buffer) const;

    std::string defaultNameContext_ = "[Root]";
    uint32_t defaultFlags_ = kDefaultContextFlags;
    std::map<int32_t, TContext> contexts_;
    int32_t nextContext_ = 1;
    std::map<void*, std::unique_ptr<TBuffer>> buffers_;
};

} // namespace nwsim
