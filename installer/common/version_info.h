#pragma once
// Version information of files from their version resources, and version texts made
// comparable as text.

#include "platform/pe/version_resource.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

class TVersionInfo {
public:
    // Reads the file's version block and, when it was read, its translation table and
    // fixed file information.
    explicit TVersionInfo(std::string_view path);
    virtual ~TVersionInfo() = default;
    TVersionInfo(const TVersionInfo&) = default;
    TVersionInfo& operator=(const TVersionInfo&) = default;
    TVersionInfo(TVersionInfo&&) = default;
    TVersionInfo& operator=(TVersionInfo&&) = default;

    // The value of a string-table key from the first translation that has a non-empty
    // one; empty when none has, or when the block was not read.
    std::string GetValue(std::string_view key) const;

    bool HasBlock() const { return read_; }
    // Each translation as eight hexadecimal digits, language first ("040904E4").
    const std::vector<std::string>& Translations() const { return translations_; }
    // The name of each translation's language, in the same order.
    const std::vector<std::string>& LanguageNames() const { return languageNames_; }
    const std::optional<pe::FixedFileInfo>& FixedInfo() const { return fixed_; }

private:
    std::string block_;
    bool read_ = false;
    std::vector<std::string> translations_;
    std::vector<std::string> languageNames_;
    std::optional<pe::FixedFileInfo> fixed_;
};

// Each dot-separated part left-padded with "0" to `width` characters (longer parts stay
// as they are), joined with "."; empty for an empty text.
std::string NormalizeVersion(std::string_view version, int width);
// NormalizeVersion of the file's "FileVersion" string; empty for a file without one.
std::string GetFileVersion(std::string_view path, int width);

} // namespace kv::installer
