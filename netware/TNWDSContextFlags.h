// The directory context flags of the connection component: each property sets its bit in the global context.
#pragma once

#include <cstdint>

namespace nw
{

class TNWDSContextFlags
{
public:
    enum TFlag : uint32_t
    {
        DereferenceAliasesBit = 0x01,
        TranslateStringsBit = 0x02,
        TypelessNamesBit = 0x04,
        AsyncModeBit = 0x08,
        CanonicalizeNamesBit = 0x10,
        DereferenceBaseClassBit = 0x40,
        DisallowReferralsBit = 0x80,
    };

    bool DereferenceAliases() const { return Get(DereferenceAliasesBit); }
    bool TranslateStrings() const { return Get(TranslateStringsBit); }
    bool TypelessNames() const { return Get(TypelessNamesBit); }
    bool AsyncMode() const { return Get(AsyncModeBit); }
    bool CanonicalizeNames() const { return Get(CanonicalizeNamesBit); }
    bool DereferenceBaseClass() const { return Get(DereferenceBaseClassBit); }
    bool DisallowReferrals() const { return Get(DisallowReferralsBit); }

    // Stores the value and sets or clears the bit in the global directory context.
    void Set(TFlag flag, bool value);
    bool Get(TFlag flag) const { return (values_ & flag) != 0; }

    // The flags in the order the component applies them when it is created.
    static constexpr TFlag kCreationOrder[] = {
        TypelessNamesBit,     DereferenceAliasesBit,   TranslateStringsBit, AsyncModeBit,
        CanonicalizeNamesBit, DereferenceBaseClassBit, DisallowReferralsBit};

private:
    // Dereference aliases, translate strings and canonicalize names.
    uint32_t values_ = DereferenceAliasesBit | TranslateStringsBit | CanonicalizeNamesBit;
};

} // namespace nw
