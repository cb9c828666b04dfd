// A list of texts, each with a 32-bit value attached (a connection number, a handle or an object ID).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nw
{

struct TNWStringItem
{
    std::string text;
    uint32_t object = 0;
    bool operator==(const TNWStringItem&) const = default;
};

using TNWStringList = std::vector<TNWStringItem>;

} // namespace nw
