#include "installer/common/process_ops.h"

#include "installer/common/internal/host_wait.h"
#include "installer/common/system_queries.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/processes.h"
#include "platform/text/ansi.h"

#include <string>

namespace kv::installer {
namespace {

constexpr std::uint32_t kWaitRound = 1000;

// Whether the process's executable is the given path. Short forms only count when both
// paths exist, so two paths that have none never match each other.
bool matches(std::string_view path, const std::string& image, bool fullPathOnly) {
    if (image.empty() || path.empty()) return false;
    if (text::equalsNoCase(path, image)) return true;
    if (!fullPathOnly && text::equalsNoCase(path, fs::fileNamePart(image))) return true;
    const std::string shortImage = fs::shortPath(image);
    return !shortImage.empty() && text::equalsNoCase(shortImage, fs::shortPath(path));
}

int findProcess(std::string_view path, bool fullPathOnly) {
    for (int id : process::processIds())
        if (matches(path, process::processImagePath(id), fullPathOnly)) return id;
    return 0;
}

int findAny(std::string_view path) {
    return IsWinNT() ? FindProcessNT(path, false) : FindProcess9x(path, false);
}

} // namespace

// The machine's process list serves both variants: it holds each process's full image
// path, as a 9x snapshot entry and an NT process's first module do.
int FindProcess9x(std::string_view path, bool fullPathOnly) {
    return findProcess(path, fullPathOnly);
}

int FindProcessNT(std::string_view path, bool fullPathOnly) {
    return findProcess(path, fullPathOnly);
}

bool IsProcessRunning(std::string_view path) {
    return findAny(path) != 0;
}

void WaitProcessEnd(std::string_view path) {
    if (IsWinNT()) {
        const int id = FindProcessNT(path, false);
        if (id == 0) return;
        do
            internal::waitHostRound(kWaitRound, [id] { return !IsProcessIdAlive(id); });
        while (IsProcessIdAlive(id));
        return;
    }
    do
        internal::waitHostRound(kWaitRound, [&] { return FindProcess9x(path, false) == 0; });
    while (FindProcess9x(path, false) != 0);
}

std::vector<int> GetProcessIds() {
    return process::processIds();
}

bool IsProcessIdAlive(int id) {
    return id != 0 && process::isProcessAlive(id);
}

} // namespace kv::installer
