#pragma once
// Version resources of PE files (32- and 64-bit): the resource of type 16 found through the
// file's headers and resource directory, and the values inside it. A file that is not a PE
// file, has no such resource or is damaged has no version resource.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::pe {

// The size in bytes of the version resource of a file (a machine path), 0 when it has none.
std::uint32_t versionInfoSize(std::string_view path);
// The version resource of a file, or nothing when it has none.
std::optional<std::string> versionInfo(std::string_view path);

// The fixed file information (sub-block "\").
struct FixedFileInfo {
    std::uint32_t signature = 0; // 0xFEEF04BD
    std::uint32_t structVersion = 0;
    std::uint32_t fileVersionMs = 0;
    std::uint32_t fileVersionLs = 0;
    std::uint32_t productVersionMs = 0;
    std::uint32_t productVersionLs = 0;
    std::uint32_t fileFlagsMask = 0;
    std::uint32_t fileFlags = 0;
    std::uint32_t fileOs = 0;
    std::uint32_t fileType = 0;
    std::uint32_t fileSubtype = 0;
    std::uint32_t fileDateMs = 0;
    std::uint32_t fileDateLs = 0;
};
std::optional<FixedFileInfo> queryFixedInfo(std::string_view block);

// One entry of the translation table (sub-block "\VarFileInfo\Translation").
struct Translation {
    std::uint16_t language = 0;
    std::uint16_t codePage = 0;
};
// The translation table; empty when the block has none.
std::vector<Translation> queryTranslations(std::string_view block);

// A string value named by its sub-block ("\StringFileInfo\040904E4\FileVersion"), each
// part matched without regard to case, in the active ANSI code page; nothing when the
// block has no such value.
std::optional<std::string> queryString(std::string_view block, std::string_view subBlock);

// The name of a language identifier ("English (United States)" for 0x0409).
std::string languageName(std::uint16_t language);

} // namespace kv::pe
