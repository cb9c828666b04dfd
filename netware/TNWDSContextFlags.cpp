// Writing the component's directory context flags.
#include "TNWDSContextFlags.h"

#include "TNWNDS.h"

namespace nw
{

void TNWDSContextFlags::Set(TFlag flag, bool value)
{
    values_ = value ? values_ | flag : values_ & ~static_cast<uint32_t>(flag);
    if (value)
        TNWNDS::AddContextFlags(TNWNDS::GetContextFlags() | flag);
    else
        TNWNDS::SetContextFlags(TNWNDS::GetContextFlags() & ~static_cast<uint32_t>(flag));
}

} // namespace nw
