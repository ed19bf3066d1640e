#include "installer/setup/overwrite_rules.h"

#include "installer/common/version_info.h"
#include "platform/fs/enumerate.h"
#include "platform/fs/files.h"

#include <string>
#include <vector>

namespace kv::installer {

bool ShouldCopyFile(std::string_view source, std::string_view target, int mode) {
    if (mode == kOverwriteIfMissing) return !fs::exists(target);
    if (mode != kOverwriteNotOlder && mode != kOverwriteNewer) return true;
    if (!fs::exists(source) || !fs::exists(target)) return true;
    const std::string sourceVersion = GetFileVersion(source, 4);
    const std::string targetVersion = GetFileVersion(target, 4);
    if (!sourceVersion.empty() && !targetVersion.empty())
        return mode == kOverwriteNotOlder ? sourceVersion >= targetVersion
                                          : sourceVersion > targetVersion;
    const std::uint64_t sourceDate = FileDateOf(source);
    const std::uint64_t targetDate = FileDateOf(target);
    if (sourceDate == 0 || targetDate == 0) return true;
    return mode == kOverwriteNotOlder ? sourceDate >= targetDate : sourceDate > targetDate;
}

std::uint64_t FileDateOf(std::string_view path) {
    const std::vector<fs::DirEntry> entries = fs::findFiles(path);
    return entries.empty() ? 0 : entries.front().lastWrite;
}

} // namespace kv::installer
