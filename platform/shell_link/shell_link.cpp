#include "platform/shell_link/shell_link.h"

#include "platform/fs/attributes.h"
#include "platform/fs/drives.h"
#include "platform/fs/path.h"
#include "platform/shell_link/internal/link_files.h"
#include "platform/text/utf16.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

namespace kv::shell {
namespace {

// Link flags.
constexpr std::uint32_t kHasLinkInfo = 0x02;
constexpr std::uint32_t kHasRelativePath = 0x08;
constexpr std::uint32_t kHasWorkingDir = 0x10;
constexpr std::uint32_t kHasArguments = 0x20;
constexpr std::uint32_t kHasIconLocation = 0x40;
constexpr std::uint32_t kIsUnicode = 0x80;

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
// The shell-link class identifier 00021401-0000-0000-C000-000000000046.
constexpr unsigned char kLinkClassId[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                            0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

void put16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put64(std::string& out, std::uint64_t v) {
    put32(out, std::uint32_t(v));
    put32(out, std::uint32_t(v >> 32));
}

int storedShowCommand(int command) {
    switch (command) {
    case 3: // maximised
        return kShowMaximized;
    case 2: // the minimised commands
    case 6:
    case 7:
        return kShowMinNoActive;
    default:
        return kShowNormal;
    }
}

// A drive-letter path ("C:\...") has a location on a volume.
bool onDrive(const std::string& full) {
    return full.size() >= 3 && full[1] == ':' && full[2] == '\\';
}

// The location of the target: the volume of its drive and its full path (ANSI).
std::string linkInfo(const std::string& full) {
    std::string volume;
    const std::string label; // the machine's volumes have no labels
    put32(volume, std::uint32_t(16 + label.size() + 1));
    put32(volume, std::uint32_t(fs::driveType(full.substr(0, 3))));
    put32(volume, 0); // serial number
    put32(volume, 16);
    volume += label;
    volume += '\0';

    const std::uint32_t basePathOffset = kLinkInfoHeaderSize + std::uint32_t(volume.size());
    const std::uint32_t suffixOffset = basePathOffset + std::uint32_t(full.size() + 1);
    const std::uint32_t size = suffixOffset + 1;
    std::string info;
    put32(info, size);
    put32(info, kLinkInfoHeaderSize);
    put32(info, kVolumeIdAndLocalBasePath);
    put32(info, kLinkInfoHeaderSize);
    put32(info, basePathOffset);
    put32(info, 0); // no network location
    put32(info, suffixOffset);
    info += volume;
    info += full;
    info += '\0';
    info += '\0'; // empty common path suffix
    return info;
}

// A counted UTF-16 string; nothing when it is too long to count.
std::optional<std::string> stringData(std::string_view ansi) {
    const std::u16string units = text::toUtf16(ansi);
    if (units.size() > 0xFFFF) return std::nullopt;
    std::string out;
    put16(out, std::uint32_t(units.size()));
    return out + text::utf16LeBytes(units);
}

} // namespace

std::string shellLinkBytes(const ShellLink& link) {
    const std::string full = link.target.empty() ? "" : fs::fullPath(link.target);
    const bool located = onDrive(full);
    std::uint32_t flags = kIsUnicode;
    if (located)
        flags |= kHasLinkInfo;
    else if (!link.target.empty())
        flags |= kHasRelativePath;
    if (!link.workingFolder.empty()) flags |= kHasWorkingDir;
    if (!link.arguments.empty()) flags |= kHasArguments;
    if (!link.iconFile.empty()) flags |= kHasIconLocation;

    std::uint32_t attributes = 0;
    fs::FileTimes times;
    std::uint64_t size = 0;
    if (located) {
        const std::uint32_t a = fs::getAttributes(full);
        if (a != fs::kInvalidAttributes) {
            attributes = a;
            times = fs::getFileTimes(full).value_or(fs::FileTimes{});
            std::error_code error;
            if (!(a & fs::kAttrDirectory)) {
                const auto bytes = std::filesystem::file_size(fs::hostPath(full), error);
                if (!error) size = bytes;
            }
        }
    }

    std::string out;
    put32(out, kHeaderSize);
    out.append(reinterpret_cast<const char*>(kLinkClassId), sizeof kLinkClassId);
    put32(out, flags);
    put32(out, attributes);
    put64(out, times.creation);
    put64(out, times.lastAccess);
    put64(out, times.lastWrite);
    put32(out, std::uint32_t(size)); // the low 32 bits of the size
    put32(out, std::uint32_t(link.iconIndex));
    put32(out, std::uint32_t(storedShowCommand(link.showCommand)));
    put16(out, 0); // no hot key
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);

    if (located) out += linkInfo(full);
    // String data, in the format's order.
    for (const auto& [flag, value] :
         {std::pair{kHasRelativePath, &link.target}, std::pair{kHasWorkingDir, &link.workingFolder},
          std::pair{kHasArguments, &link.arguments}, std::pair{kHasIconLocation, &link.iconFile}}) {
        if (!(flags & flag)) continue;
        const std::optional<std::string> data = stringData(*value);
        if (!data) return "";
        out += *data;
    }
    put32(out, 0); // terminal block of the extra data
    return out;
}

bool saveShellLink(const ShellLink& link, std::string_view path) {
    const std::string bytes = shellLinkBytes(link);
    return !bytes.empty() && internal::writeLinkFile(path, bytes);
}

} // namespace kv::shell
