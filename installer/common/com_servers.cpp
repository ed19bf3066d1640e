#include "installer/common/com_servers.h"

#include "platform/fs/path.h"
#include "platform/process/libraries.h"
#include "platform/text/ansi.h"

#include <cstdint>
#include <string>

namespace kv::installer {
namespace {

constexpr unsigned kFailCriticalErrors = 1;
constexpr unsigned kAlteredSearchPath = 8;

bool isServerFile(std::string_view file) {
    const std::string name = fs::fileNamePart(file);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string_view ext = std::string_view(name).substr(dot);
    return text::equalsNoCase(ext, ".ocx") || text::equalsNoCase(ext, ".dll");
}

} // namespace

bool RegisterServer(std::string_view file, bool reg) {
    if (!isServerFile(file)) return false;
    if (process::OleInitialize(nullptr) < 0) return false;
    process::SetErrorMode(kFailCriticalErrors);
    bool ok = false;
    if (process::LibraryHandle library = process::LoadLibraryEx(file, kAlteredSearchPath)) {
        using EntryPoint = std::int32_t (*)(); // returns a result code, 0 for success
        auto entry = reinterpret_cast<EntryPoint>(
            process::GetProcAddress(library, reg ? "DllRegisterServer" : "DllUnregisterServer"));
        ok = entry && entry() == 0;
        process::FreeLibrary(library);
    }
    process::OleUninitialize();
    return ok;
}

} // namespace kv::installer
