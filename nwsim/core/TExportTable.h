// Hiding a function from the lookup by name of a loaded client library.
#pragma once

namespace nwsim
{

// Makes the lookup of the exported function fail (hidden) or succeed again. Returns false when the module has
// no such export or this platform cannot change it.
bool SetExportHidden(void* module, const char* function, bool hidden);

} // namespace nwsim
