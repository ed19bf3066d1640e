#include "platform/pe/internal/pe_image.h"

#include "platform/pe/internal/bytes.h"
#include "platform/pe/internal/version_block.h"

#include <vector>

namespace kv::pe::internal {
namespace {

constexpr std::uint32_t kVersionType = 16;
constexpr std::uint32_t kVersionName = 1;
constexpr std::uint32_t kHighBit = 0x80000000u;
// A version block's length is a 16-bit number.
constexpr std::size_t kMaxBlock = 0xFFFF;

struct Section {
    std::uint32_t address = 0; // relative virtual address
    std::uint32_t rawSize = 0;
    std::uint32_t rawPointer = 0;
};

// Where a relative virtual address lies in the file, and how many bytes of its section's
// data follow it there.
struct FileSpan {
    std::uint64_t offset = 0;
    std::uint64_t available = 0;
};

std::optional<FileSpan> locate(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections)
        if (rva >= s.address && rva - s.address < s.rawSize)
            return FileSpan{std::uint64_t(s.rawPointer) + (rva - s.address),
                            s.rawSize - (rva - s.address)};
    return std::nullopt;
}

struct Entry {
    std::uint32_t name = 0;
    std::uint32_t target = 0;
};

// The entries of the resource directory at `offset` of the resource data.
std::optional<std::vector<Entry>> directoryAt(const ReadAt& read, const FileSpan& resources,
                                              std::uint32_t offset) {
    std::string header;
    if (offset > resources.available || resources.available - offset < 16 ||
        !read(resources.offset + offset, 16, header))
        return std::nullopt;
    const std::uint64_t count = std::uint64_t(*u16At(header, 12)) + *u16At(header, 14);
    if ((resources.available - offset - 16) / 8 < count) return std::nullopt;
    std::string table;
    if (!read(resources.offset + offset + 16, std::size_t(count * 8), table)) return std::nullopt;
    std::vector<Entry> entries;
    for (std::uint64_t i = 0; i < count; ++i)
        entries.push_back({*u32At(table, i * 8), *u32At(table, i * 8 + 4)});
    return entries;
}

// The sub-directory offset of the entry with the given numeric name, else (when `orFirst`)
// of the first entry that has a sub-directory.
std::optional<std::uint32_t> subdirectory(const std::vector<Entry>& entries, std::uint32_t name,
                                          bool orFirst) {
    for (const Entry& e : entries)
        if (e.name == name && (e.target & kHighBit)) return e.target & ~kHighBit;
    if (orFirst)
        for (const Entry& e : entries)
            if (e.target & kHighBit) return e.target & ~kHighBit;
    return std::nullopt;
}

std::optional<std::vector<Section>> sectionsOf(const ReadAt& read, std::uint64_t at,
                                               std::uint16_t count) {
    std::string table;
    if (!read(at, std::size_t(count) * 40, table)) return std::nullopt;
    std::vector<Section> sections;
    for (std::size_t i = 0; i < count; ++i)
        sections.push_back(
            {*u32At(table, i * 40 + 12), *u32At(table, i * 40 + 16), *u32At(table, i * 40 + 20)});
    return sections;
}

// The relative virtual address of the resource directory, from the optional header.
std::optional<std::uint32_t> resourceAddress(std::string_view optional) {
    const auto magic = u16At(optional, 0);
    if (!magic) return std::nullopt;
    std::size_t directories = 0;
    if (*magic == 0x10B)
        directories = 96; // PE32
    else if (*magic == 0x20B)
        directories = 112; // PE32+
    else
        return std::nullopt;
    const auto count = u32At(optional, directories - 4);
    const auto address = u32At(optional, directories + 2 * 8);
    if (!count || *count < 3 || !address || *address == 0) return std::nullopt;
    return address;
}

} // namespace

std::optional<std::string> findVersionResource(const ReadAt& read) {
    std::string dos;
    if (!read(0, 64, dos) || dos.compare(0, 2, "MZ") != 0) return std::nullopt;
    const std::uint64_t pe = *u32At(dos, 0x3C);
    std::string coff;
    if (!read(pe, 24, coff) || coff.compare(0, 4, std::string_view("PE\0\0", 4)) != 0)
        return std::nullopt;
    const std::uint16_t sectionCount = *u16At(coff, 6);
    const std::uint16_t optionalSize = *u16At(coff, 20);
    std::string optional;
    if (!read(pe + 24, optionalSize, optional)) return std::nullopt;
    const auto rva = resourceAddress(optional);
    if (!rva) return std::nullopt;
    const auto sections = sectionsOf(read, pe + 24 + optionalSize, sectionCount);
    if (!sections) return std::nullopt;
    const auto resources = locate(*sections, *rva);
    if (!resources) return std::nullopt;

    // Type 16, name 1 (else the first name), the first language.
    const auto types = directoryAt(read, *resources, 0);
    const auto typeDir = types ? subdirectory(*types, kVersionType, false) : std::nullopt;
    const auto names = typeDir ? directoryAt(read, *resources, *typeDir) : std::nullopt;
    const auto nameDir = names ? subdirectory(*names, kVersionName, true) : std::nullopt;
    const auto languages = nameDir ? directoryAt(read, *resources, *nameDir) : std::nullopt;
    if (!languages) return std::nullopt;
    const Entry* data = nullptr;
    for (const Entry& e : *languages)
        if (!(e.target & kHighBit)) {
            data = &e;
            break;
        }
    if (!data || data->target > resources->available || resources->available - data->target < 16)
        return std::nullopt;
    std::string dataEntry;
    if (!read(resources->offset + data->target, 16, dataEntry)) return std::nullopt;
    const auto where = locate(*sections, *u32At(dataEntry, 0));
    const std::uint32_t size = *u32At(dataEntry, 4);
    if (!where || size > where->available) return std::nullopt;
    std::string block;
    if (!read(where->offset, std::min<std::size_t>(size, kMaxBlock), block)) return std::nullopt;
    std::size_t length = 0;
    if (!isVersionBlock(block, &length)) return std::nullopt;
    block.resize(length);
    return block;
}

std::optional<std::string> versionResourceOfImage(std::string_view image) {
    return findVersionResource([image](std::uint64_t offset, std::size_t size, std::string& out) {
        if (!within(image, offset, size)) return false;
        out.assign(image.substr(offset, size));
        return true;
    });
}

} // namespace kv::pe::internal
