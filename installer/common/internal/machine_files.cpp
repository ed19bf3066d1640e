#include "installer/common/internal/machine_files.h"

#include "installer/common/system_queries.h"
#include "platform/fs/attributes.h"
#include "platform/fs/drives.h"
#include "platform/fs/enumerate.h"
#include "platform/fs/file.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"

namespace kv::installer::internal {
namespace {

// Files of every attribute (read-only, hidden, system, archive) or folders only.
std::vector<std::string> entries(std::string_view folder, std::string_view mask, bool folders) {
    std::vector<std::string> names;
    for (const fs::DirEntry& entry : fs::listFolder(folder, mask))
        if (((entry.attributes & fs::kAttrDirectory) != 0) == folders) names.push_back(entry.name);
    return names;
}

} // namespace

std::filesystem::path hostPathOf(std::string_view path) {
    return fs::hostPath(path);
}

namespace {

std::string profileMachineFile(std::string_view file) {
    if (!file.empty() && file.find('\\') == std::string_view::npos)
        return GetWindowsDir(true) + std::string(file);
    return std::string(file);
}

} // namespace

std::string profileHostFile(std::string_view file) {
    return fs::hostPath(profileMachineFile(file)).string();
}

std::string writableProfileHostFile(std::string_view file) {
    const std::string path = profileMachineFile(file);
    return fs::isWriteProtected(path) ? std::string() : fs::hostPath(path).string();
}

bool isDriveRoot(std::string_view path) {
    return fs::fullPath(path).size() == 3;
}

bool fileExists(std::string_view path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

bool folderExists(std::string_view path) {
    return fs::isDirectory(path);
}

int driveTypeOf(char letter) {
    return fs::driveType(std::string(1, letter) + ":\\");
}

char currentDrive() {
    const std::string folder = fs::currentFolder();
    return folder.empty() ? 'C' : folder[0];
}

std::optional<double> freeBytesOn(char letter) {
    const auto space = fs::diskSpace(std::string(1, letter) + ":\\");
    if (!space) return std::nullopt;
    return static_cast<double>(space->freeBytes);
}

bool matchesMask(std::string_view name, std::string_view mask) {
    return fs::matchesMask(name, mask);
}

std::vector<std::string> fileNames(std::string_view folder, std::string_view mask) {
    return entries(folder, mask, false);
}

std::vector<std::string> subfolderNames(std::string_view folder) {
    return entries(folder, "*", true);
}

bool setReadOnly(std::string_view path, bool readOnly) {
    const std::uint32_t attributes = fs::getAttributes(path);
    if (attributes == fs::kInvalidAttributes) return false;
    if (!readOnly) return fs::setAttributes(path, fs::kAttrNormal);
    return fs::setAttributes(path, (attributes & ~fs::kAttrNormal) | fs::kAttrReadOnly);
}

bool isReadOnly(std::string_view path) {
    const std::uint32_t attributes = fs::getAttributes(path);
    return attributes != fs::kInvalidAttributes && (attributes & fs::kAttrReadOnly) != 0;
}

bool deleteFile(std::string_view path) {
    return fs::deleteFile(path);
}

bool removeFolder(std::string_view path) {
    return fs::removeFolder(path);
}

bool createFolders(std::string_view path) {
    return fs::createFolders(path);
}

bool copyFile(std::string_view from, std::string_view to) {
    return fs::copyFile(from, to, false);
}

bool moveFile(std::string_view from, std::string_view to) {
    return fs::moveFile(from, to, false);
}

bool appendToFile(std::string_view path, std::string_view text, std::uint64_t fileTime) {
    fs::File file =
        fs::File::open(path, fs::Access::Write, fs::Share::Shared, fs::Disposition::OpenAlways);
    if (!file.isOpen() || !file.seek(file.size())) return false;
    const long written = file.write(text.data(), text.size());
    file.close();
    if (fileTime != 0) fs::setFileTimes(path, {0, 0, fileTime});
    return written == static_cast<long>(text.size());
}

} // namespace kv::installer::internal
