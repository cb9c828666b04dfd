// The user names of one scan's rows, each kept once: a folder of many deleted files names the same few users
// on every row.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class TUserNamePool
{
public:
    // The number that stands for the name from now on.
    uint32_t Intern(const std::string& name);
    // The name that Intern gave the number for.
    const std::string& Name(uint32_t id) const { return names_[id]; }
    size_t Count() const { return names_.size(); }

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, uint32_t> ids_;
};
