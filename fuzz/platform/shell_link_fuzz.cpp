// The shell-link writer: a link made of any strings is written without a crash, and a
// reader of the binary shell-link format finds in what was written the header, the flags
// of the parts present, the target's location, the strings as given (in UTF-16) and the
// end of the extra data, with nothing left over.
//
// Input: target, arguments, working folder and icon file separated by NUL bytes, then a
// NUL byte and two bytes for the icon index and the show command.

#include "fuzz/driver/fuzz_support.h"
#include "platform/fs/path.h"
#include "platform/shell_link/shell_link.h"
#include "platform/text/utf16.h"

#include <cstring>
#include <optional>

namespace {

using kv::fuzz::check;

// Reads the little-endian fields of the link, each checked against the bytes left.
class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    std::optional<std::uint32_t> u32() {
        std::uint32_t v = 0;
        if (rest_.size() < 4) return std::nullopt;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(rest_[i]);
        rest_.remove_prefix(4);
        return v;
    }
    std::optional<std::uint16_t> u16() {
        if (rest_.size() < 2) return std::nullopt;
        const auto v = static_cast<std::uint16_t>(static_cast<unsigned char>(rest_[0]) |
                                                  static_cast<unsigned char>(rest_[1]) << 8);
        rest_.remove_prefix(2);
        return v;
    }
    std::optional<std::string_view> take(std::size_t n) {
        if (rest_.size() < n) return std::nullopt;
        const std::string_view part = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return part;
    }
    std::size_t left() const { return rest_.size(); }

private:
    std::string_view rest_;
};

// The text of a zero-ended string at an offset of a part; nothing when it does not end.
std::optional<std::string_view> zeroEnded(std::string_view part, std::uint32_t offset) {
    if (offset >= part.size()) return std::nullopt;
    const std::size_t end = part.find('\0', offset);
    if (end == std::string_view::npos) return std::nullopt;
    return part.substr(offset, end - offset);
}

void checkLink(const kv::shell::ShellLink& link, std::string_view bytes) {
    Reader r(bytes);
    check(r.u32() == 0x4Cu, "the header has its size");
    const auto classId = r.take(16);
    check(classId && static_cast<unsigned char>((*classId)[0]) == 0x01 &&
              static_cast<unsigned char>((*classId)[15]) == 0x46,
          "the header carries the shell-link class");
    const std::uint32_t flags = r.u32().value_or(0);
    check(r.take(4 + 24 + 4) && r.u32() == static_cast<std::uint32_t>(link.iconIndex),
          "the header carries the icon index");
    const std::uint32_t show = r.u32().value_or(0);
    check(show == 1 || show == 3 || show == 7, "the show command is one a link keeps");
    check(r.take(12).has_value(), "the header is whole");
    check((flags & 0x80) != 0, "the strings are UTF-16");
    const std::string full = link.target.empty() ? "" : kv::fs::fullPath(link.target);
    if (flags & 0x02) {
        const std::uint32_t infoSize = r.u32().value_or(0);
        const auto info = infoSize >= 4 ? r.take(infoSize - 4) : std::nullopt;
        check(info.has_value(), "the location fits the link");
        Reader ir(*info);
        check(ir.u32() == 0x1Cu && ir.u32() == 1u, "the location is a volume and a path");
        ir.u32();
        const std::uint32_t basePath = ir.u32().value_or(0);
        const std::string whole = std::string(4, '\0') + std::string(*info);
        check(zeroEnded(whole, basePath) == full, "the location's path is the target's");
    }
    const std::pair<std::uint32_t, const std::string*> strings[] = {{0x08, &link.target},
                                                                    {0x10, &link.workingFolder},
                                                                    {0x20, &link.arguments},
                                                                    {0x40, &link.iconFile}};
    for (const auto& [flag, value] : strings) {
        check(((flags & flag) != 0) == (!value->empty() && (flag != 0x08 || !(flags & 0x02))),
              "a string is there exactly when it is given");
        if (!(flags & flag)) continue;
        const std::uint16_t count = r.u16().value_or(0);
        const auto units = r.take(2u * count);
        check(units && kv::text::fromUtf16LeBytes(*units) == kv::text::toUtf16(*value),
              "a string is stored as given");
    }
    check(r.u32() == 0u && r.left() == 0, "the extra data ends the link");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::vector<std::string_view> parts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    kv::shell::ShellLink link;
    link.target = parts[0];
    if (parts.size() > 1) link.arguments = parts[1];
    if (parts.size() > 2) link.workingFolder = parts[2];
    if (parts.size() > 3) link.iconFile = parts[3];
    if (parts.size() > 4 && !parts[4].empty())
        link.iconIndex = static_cast<signed char>(parts[4][0]);
    if (parts.size() > 4 && parts[4].size() > 1) link.showCommand = parts[4][1];
    const std::string bytes = kv::shell::shellLinkBytes(link);
    if (bytes.empty()) return 0; // a string too long to count: no link
    checkLink(link, bytes);
    return 0;
}
