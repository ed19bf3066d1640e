#include "installer/common/version_info.h"

#include "installer/common/text_utils.h"
#include "platform/text/ansi.h"

#include <cstdio>

namespace kv::installer {

TVersionInfo::TVersionInfo(std::string_view path) {
    std::optional<std::string> block = pe::versionInfo(path);
    if (!block) return;
    block_ = std::move(*block);
    read_ = true;
    for (const pe::Translation& t : pe::queryTranslations(block_)) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%04X%04X", unsigned(t.language), unsigned(t.codePage));
        translations_.push_back(hex);
        languageNames_.push_back(pe::languageName(t.language));
    }
    fixed_ = pe::queryFixedInfo(block_);
}

std::string TVersionInfo::GetValue(std::string_view key) const {
    if (!read_) return "";
    for (const std::string& translation : translations_) {
        const std::optional<std::string> value =
            pe::queryString(block_, "\\StringFileInfo\\" + translation + "\\" + std::string(key));
        if (value && !value->empty()) return *value;
    }
    return "";
}

std::string NormalizeVersion(std::string_view version, int width) {
    if (version.empty()) return "";
    std::string result;
    bool first = true;
    for (std::string_view part : text::splitAt(version, '.')) {
        if (!first) result += '.';
        result += PadZeros(part, width);
        first = false;
    }
    return result;
}

std::string GetFileVersion(std::string_view path, int width) {
    return NormalizeVersion(TVersionInfo(path).GetValue("FileVersion"), width);
}

} // namespace kv::installer
