#pragma once
// Registration of COM servers through their own entry points.

#include <string_view>

namespace kv::installer {

// Loads a ".ocx" or ".dll" file (any case; other files are not loaded) and calls its
// "DllRegisterServer" (`reg` set) or "DllUnregisterServer". True only when that returns 0.
bool RegisterServer(std::string_view file, bool reg);

} // namespace kv::installer
