#include "installer/setup/uninstall_script.h"

#include "installer/common/file_names.h"
#include "installer/common/folders.h"
#include "installer/common/paths.h"
#include "installer/common/text_lines.h"
#include "installer/common/text_utils.h"
#include "installer/setup/script.h"

#include <algorithm>

namespace kv::installer {
namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::string UninstallScript::UninstallFileName() {
    if (!fileName_.empty()) return fileName_;
    const std::string folder = GetTargetDir();
    if (folder.empty()) return "";
    std::string name = SetTrailingSlash(folder, true) + GetUninstallFileName(false);
    const std::string stamp = script_.Text(ScriptText::ProgStamp);
    if (!stamp.empty()) name.insert(name.rfind('.'), "_" + stamp);
    fileName_ = name;
    return fileName_;
}

void UninstallScript::AddUninstallLine(std::string_view line, bool force) {
    if (!script_.Flag(ScriptFlag::CreateUninstall)) return;
    const bool replayed = loadOnce();
    const bool added = append(line, force);
    if (!loaded_) {
        if (added) early_.emplace_back(line, force);
    } else if (added || replayed) {
        SaveTextLines(fileName_, lines_);
    }
}

void UninstallScript::AddScriptRemoveLines() {
    const std::string folder = SetTrailingSlash(GetTargetDir(), false);
    for (std::string line : script_.List(ScriptList::Removal)) {
        const std::size_t at = line.find("<TARGET_DIR>");
        if (at != std::string::npos)
            line.replace(at, std::string_view("<TARGET_DIR>").size(), folder);
        AddUninstallLine(line, false);
    }
}

bool UninstallScript::loadOnce() {
    if (loaded_ || UninstallFileName().empty()) return false;
    loaded_ = true;
    lines_ = ReadTextLines(fileName_).value_or(std::vector<std::string>{});
    const bool replayed = !early_.empty();
    for (const auto& [line, force] : std::exchange(early_, {}))
        append(line, force);
    return replayed;
}

bool UninstallScript::append(std::string_view line, bool force) {
    if (isBlank(line)) {
        if (!lines_.empty() && isBlank(lines_.back())) return false;
        if (!force && std::any_of(lines_.begin(), lines_.end(), isBlank)) return false;
        lines_.emplace_back(line);
        return true;
    }
    std::string text(line);
    if (text.back() == ')' && text.find('=') == std::string::npos) text += ';';
    for (const std::string& held : lines_)
        if (SameTextStr(held, text)) return false;
    lines_.push_back(std::move(text));
    return true;
}

} // namespace kv::installer
