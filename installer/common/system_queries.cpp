#include "installer/common/system_queries.h"

#include "installer/common/internal/reset.h"
#include "installer/common/internal/system_text.h"
#include "installer/common/paths.h"
#include "platform/fs/program.h"
#include "platform/system/known_folders.h"
#include "platform/system/machine.h"
#include "platform/system/resources.h"
#include "platform/system/restart.h"
#include "platform/ui/application.h"

#include <optional>

namespace kv::installer {
namespace {

// The platform reads these folders into 256-character buffers.
constexpr std::size_t kFolderBuffer = 256;

internal::OsVersionValues versionValues() {
    const machine::OsVersion& os = machine::current().profile().os;
    return {os.platformId, os.major, os.minor, os.build, os.servicePack};
}

struct Cache {
    std::optional<bool> manifest;
    std::optional<bool> themed;
};

Cache& cache() {
    static Cache c;
    return c;
}

std::string folder(machine::KnownFolder which, bool withSlash) {
    std::string path = machine::knownFolderPath(which);
    if (path.size() >= kFolderBuffer) path.resize(kFolderBuffer - 1);
    return SetTrailingSlash(path, withSlash);
}

} // namespace

bool IsWin9x() {
    return machine::current().profile().os.platformId == 1;
}
bool IsWinNT() {
    return machine::current().profile().os.platformId == 2;
}
bool IsWinXP() {
    return internal::isWinXP(versionValues());
}
std::string GetOSShortName() {
    return internal::osShortName(versionValues());
}
std::string GetOSDescription() {
    return internal::osDescription(versionValues());
}

bool HasManifestResource() {
    if (!cache().manifest)
        cache().manifest = machine::hasResourceOfType(machine::kResourceManifest);
    return *cache().manifest;
}

bool IsThemed() {
    if (!cache().themed)
        cache().themed =
            HasManifestResource() && IsWinXP() && machine::current().profile().visualStyles;
    return *cache().themed;
}

void internal::resetSystemQueries() {
    cache() = Cache{};
}

std::string GetExeName() {
    return fs::programPath();
}

std::string GetExeDir(bool withSlash) {
    const std::string exe = GetExeName();
    const auto slash = exe.rfind('\\');
    return SetTrailingSlash(slash == std::string::npos ? exe : exe.substr(0, slash + 1), withSlash);
}

std::string GetWindowsDir(bool withSlash) {
    return folder(machine::KnownFolder::Windows, withSlash);
}
std::string GetSystemDir(bool withSlash) {
    return folder(machine::KnownFolder::System, withSlash);
}
std::string GetTempDir(bool withSlash) {
    return folder(machine::KnownFolder::Temp, withSlash);
}

std::string GetCommandTail() {
    return internal::commandTail(fs::commandLine(), GetExeName());
}

std::string GetSwitchValue(std::string_view switchText) {
    return internal::switchValue(GetCommandTail(), switchText);
}

bool RebootWindows() {
    // The shutdown privilege is every user's on this machine, so nothing can refuse it.
    if (!machine::requestRestart()) return false;
    ui::app().end(0);
}

bool IsAdmin() {
    return machine::current().profile().isAdmin;
}

} // namespace kv::installer
