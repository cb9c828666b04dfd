// The user names of a scan's rows, each kept once.
#include "TUserNamePool.h"

uint32_t TUserNamePool::Intern(const std::string& name)
{
    if (const auto known = ids_.find(name); known != ids_.end())
        return known->second;
    const auto id = static_cast<uint32_t>(names_.size());
    names_.push_back(name);
    ids_.emplace(name, id);
    return id;
}
