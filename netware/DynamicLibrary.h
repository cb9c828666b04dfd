// The platform seam through which the access layer loads the client libraries and finds their functions.
#pragma once

namespace nw
{

using TLibraryHandle = void*;
using TProcAddress = void (*)();

// Loads a library by file name, searching the program's own folder first. Returns nullptr when it cannot be
// loaded. The access layer never unloads a client library: it stays until the process ends.
TLibraryHandle LoadDynamicLibrary(const char* fileName);

// Returns the exported function of that plain name, or nullptr.
TProcAddress FindDynamicSymbol(TLibraryHandle library, const char* name);

} // namespace nw
