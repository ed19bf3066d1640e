#include "platform/shell_link/internal/link_files.h"

#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"

#include <string>

namespace kv::shell::internal {

bool writeLinkFile(std::string_view path, std::string_view content) {
    const std::string full = fs::fullPath(path);
    if (full.empty() || full[0] == 'Z') {
        fs::setLastError(full.empty() ? fs::kErrorInvalidName : fs::kErrorAccessDenied);
        return false;
    }
    return fs::writeFile(full, content);
}

} // namespace kv::shell::internal
