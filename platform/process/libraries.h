#pragma once
// Libraries of the machine (execution-extension libraries, COM servers): host shared
// objects, whatever their file names say, whose exported C functions are found by name.
// Failures set fs::lastError(); the loader's own reason is kept as well.

#include <string>
#include <string_view>

namespace kv::process {

// Errors of the library calls, numbered as the platform numbers them.
constexpr int kErrorModuleNotFound = 126;
constexpr int kErrorProcNotFound = 127;
constexpr int kErrorBadExeFormat = 193;

// A loaded library; null when none.
using LibraryHandle = void*;

// Loads the shared object at a machine path (immediate binding, its symbols kept to
// itself). Loading one library twice gives the same handle, counted. A file that is no
// shared object for this host gives null and harms nothing.
LibraryHandle LoadLibrary(std::string_view path);
// The same; the flags (the altered search path) change nothing here.
LibraryHandle LoadLibraryEx(std::string_view path, unsigned flags);
// The address of an exported C function, or null.
void* GetProcAddress(LibraryHandle library, std::string_view name);
// Releases one load of the library.
bool FreeLibrary(LibraryHandle library);
// The loader's reason for the last failure of this thread's calls above.
const std::string& libraryErrorText();

// Accepted and without effect here: OLE needs no set-up, and no critical-error box exists.
long OleInitialize(void* reserved);
void OleUninitialize();
unsigned SetErrorMode(unsigned mode);

} // namespace kv::process
