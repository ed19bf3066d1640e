#include "installer/common/file_ops.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/text_utils.h"

namespace kv::installer {
namespace {

std::string child(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + std::string(name);
}

template <typename Search>
std::string onDrives(std::string_view name, int driveType, Search search) {
    if (name.empty()) return {};
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        if (internal::driveTypeOf(letter) != driveType) continue;
        std::string found = search(std::string(1, letter) + ":\\", name);
        if (!found.empty()) return found;
    }
    return {};
}

} // namespace

std::string FindFileInTree(std::string_view folder, std::string_view fileName) {
    if (fileName.empty()) return {};
    const std::string path = child(folder, fileName);
    if (internal::fileExists(path)) return path;
    for (const std::string& sub : internal::subfolderNames(folder)) {
        std::string found = FindFileInTree(child(folder, sub), fileName);
        if (!found.empty()) return found;
    }
    return {};
}

std::string FindFileOnDrives(std::string_view fileName, int driveType) {
    return onDrives(fileName, driveType, FindFileInTree);
}

std::string FindDirInTree(std::string_view folder, std::string_view name) {
    if (name.empty()) return {};
    if (LastPosText(name, folder) == 1) return std::string(folder);
    for (const std::string& sub : internal::subfolderNames(folder)) {
        std::string found = FindDirInTree(child(folder, sub), name);
        if (!found.empty()) return found;
    }
    return {};
}

std::string FindDirOnDrives(std::string_view name, int driveType) {
    return onDrives(name, driveType, FindDirInTree);
}

} // namespace kv::installer
