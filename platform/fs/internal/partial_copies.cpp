#include "platform/fs/internal/partial_copies.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <set>
#include <string>
#include <system_error>

namespace kv::fs::internal {
namespace {

std::mutex gMutex;
std::set<std::string> gSwept; // host folders swept by this process

} // namespace

// A partial copy's name ends in the suffix and the ended process's id. Each folder is swept
// once per process, before its first copy, so a second run over an interrupted one leaves
// none.
void sweepPartialCopies(const std::filesystem::path& folder) {
    {
        std::lock_guard lock(gMutex);
        if (!gSwept.insert(folder.string()).second) return;
    }
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        const std::size_t at = name.rfind(kPartialCopySuffix);
        if (at == std::string::npos || at + kPartialCopySuffix.size() == name.size()) continue;
        const std::string id = name.substr(at + kPartialCopySuffix.size());
        if (id.size() > 9 || id.find_first_not_of("0123456789") != std::string::npos) continue;
        const pid_t pid = static_cast<pid_t>(std::stol(id));
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            std::filesystem::remove(entry.path(), ec);
    }
}

void forgetSweptFolders() {
    std::lock_guard lock(gMutex);
    gSwept.clear();
}

} // namespace kv::fs::internal
