#include "installer/common/file_ops.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/text_utils.h"
#include "platform/text/ansi.h"

#include <iostream>

namespace kv::installer {
namespace {

std::string child(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') path += '\\';
    return path + std::string(name);
}

std::string directoryPart(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string{} : std::string(path.substr(0, slash));
}

// The folder of a mask: "C:\*.tmp" lies in C:'s root, not in its current folder.
std::string maskFolder(std::string_view mask) {
    std::string folder = directoryPart(mask);
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

std::string namePart(std::string_view path) {
    const auto slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool hasStar(std::string_view path) {
    return path.find('*') != std::string_view::npos;
}

// Base and extension split at the last dot; the extension keeps its dot.
std::pair<std::string, std::string> splitExtension(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return {std::string(name), {}};
    return {std::string(name.substr(0, dot)), std::string(name.substr(dot))};
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

bool AppendTextToFile(std::string_view path, std::string_view text, std::uint64_t fileTime) {
    return internal::appendToFile(path, text, fileTime);
}

double DiskFreeSpace(std::string_view path) {
    const char letter =
        path.empty() ? internal::currentDrive() : text::toUpper(std::string(1, path.front()))[0];
    return internal::freeBytesOn(letter).value_or(-1.0);
}

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

void DeleteByMask(std::string_view mask, bool clearAttributes) {
    const std::string folder = maskFolder(mask);
    // A drive's root is never emptied, however the mask came to name it.
    if (internal::isDriveRoot(folder)) return;
    for (const std::string& name : internal::fileNames(folder, namePart(mask))) {
        const std::string path = child(folder, name);
        if (clearAttributes) internal::setReadOnly(path, false);
        internal::deleteFile(path);
    }
}

void DeleteTree(std::string_view folder, bool clearAttributes) {
    if (folder.empty() || internal::isDriveRoot(folder)) return;
    DeleteByMask(child(folder, "*.*"), clearAttributes);
    for (const std::string& sub : internal::subfolderNames(folder)) {
        DeleteTree(child(folder, sub), clearAttributes);
        internal::removeFolder(child(folder, sub));
    }
    internal::removeFolder(folder);
}

void CopyTree(std::string_view source, std::string_view target) {
    if (text::equalsNoCase(source, target) || !internal::folderExists(source) ||
        internal::isDriveRoot(target))
        return;
    // A target inside the source would be copied into itself without end.
    const std::string inside = std::string(source) + (source.ends_with('\\') ? "" : "\\");
    if (target.size() > inside.size() &&
        text::equalsNoCase(target.substr(0, inside.size()), inside))
        return;
    if (!internal::createFolders(target)) return;
    for (const std::string& name : internal::fileNames(source))
        internal::copyFile(child(source, name), child(target, name));
    for (const std::string& sub : internal::subfolderNames(source))
        CopyTree(child(source, sub), child(target, sub));
}

std::string WildcardTargetName(std::string_view sourceName, std::string_view targetPattern) {
    std::string pattern = namePart(targetPattern);
    if (pattern.empty()) pattern = "*.*";
    if (pattern == "*.*") return std::string(sourceName);
    const auto [sourceBase, sourceExt] = splitExtension(sourceName);
    auto [patternBase, patternExt] = splitExtension(pattern);
    if (pattern.front() == '*') return sourceBase + patternExt;
    if (pattern.back() == '*') {
        while (!patternBase.empty() && patternBase.back() == '*')
            patternBase.pop_back();
        return patternBase + sourceExt;
    }
    return pattern;
}

int CopyFiles(std::string_view source, std::string_view target, bool createFolders) {
    if (!hasStar(source) && !hasStar(target)) return internal::copyFile(source, target) ? 1 : 0;
    std::string pattern(target);
    if (internal::folderExists(pattern) && pattern.back() != '\\') pattern += '\\';
    const std::string sourceFolder = directoryPart(source);
    const std::string targetFolder = directoryPart(pattern);
    if (createFolders) internal::createFolders(targetFolder);
    if (!internal::folderExists(targetFolder)) return 0;
    int copied = 0;
    for (const std::string& name : internal::fileNames(sourceFolder, namePart(source)))
        if (internal::copyFile(child(sourceFolder, name),
                               child(targetFolder, WildcardTargetName(name, pattern))))
            ++copied;
    return copied;
}

int MoveFiles(std::string_view source, std::string_view target) {
    if (!hasStar(source) && !hasStar(target)) return internal::moveFile(source, target) ? 1 : 0;
    const std::string folder = directoryPart(source);
    int renamed = 0;
    for (const std::string& name : internal::fileNames(folder, namePart(source)))
        if (internal::moveFile(child(folder, name),
                               child(folder, WildcardTargetName(name, target))))
            ++renamed;
    return renamed;
}

bool RenameDirectory(std::string_view folder, std::string_view newNameOrPath) {
    if (!internal::folderExists(folder)) return false;
    std::string parent = directoryPart(newNameOrPath);
    if (parent.empty()) parent = directoryPart(folder);
    const std::string newName = namePart(newNameOrPath);
    if (!internal::folderExists(parent) || newName.empty()) return false;
    const std::string newPath = child(parent, newName);
    std::cout << ">" << folder << "<    >" << newPath << "<" << std::endl;
    return internal::moveFile(folder, newPath);
}

} // namespace kv::installer
