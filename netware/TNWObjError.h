// The exception class of the connection component.
#pragma once

#include <stdexcept>

namespace nw
{

class TNWObjError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace nw
