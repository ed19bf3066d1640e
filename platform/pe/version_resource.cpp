#include "platform/pe/version_resource.h"

#include "platform/fs/file.h"
#include "platform/pe/internal/bytes.h"
#include "platform/pe/internal/pe_image.h"
#include "platform/pe/internal/version_block.h"
#include "platform/text/utf16.h"

namespace kv::pe {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;

std::optional<std::string> readResource(std::string_view path) {
    fs::File file = fs::File::open(path, fs::Access::Read);
    if (!file.isOpen()) return std::nullopt;
    const std::int64_t fileSize = file.size();
    if (fileSize <= 0) return std::nullopt;
    return internal::findVersionResource(
        [&](std::uint64_t offset, std::size_t size, std::string& out) {
            if (offset > std::uint64_t(fileSize) || size > std::uint64_t(fileSize) - offset)
                return false;
            out.resize(size);
            if (size == 0) return true;
            if (!file.seek(std::int64_t(offset))) return false;
            for (std::size_t done = 0; done < size;) {
                const long n = file.read(out.data() + done, size - done);
                if (n <= 0) return false;
                done += std::size_t(n);
            }
            return true;
        });
}

} // namespace

std::uint32_t versionInfoSize(std::string_view path) {
    const std::optional<std::string> block = readResource(path);
    return block ? std::uint32_t(block->size()) : 0;
}

std::optional<std::string> versionInfo(std::string_view path) {
    return readResource(path);
}

std::optional<FixedFileInfo> queryFixedInfo(std::string_view block) {
    const auto value = internal::findValue(block, "\\");
    if (!value || value->text || value->bytes.size() < 52) return std::nullopt;
    std::uint32_t v[13];
    for (std::size_t i = 0; i < 13; ++i)
        v[i] = *internal::u32At(value->bytes, i * 4);
    if (v[0] != kFixedSignature) return std::nullopt;
    return FixedFileInfo{v[0], v[1], v[2], v[3],  v[4],  v[5], v[6],
                         v[7], v[8], v[9], v[10], v[11], v[12]};
}

std::vector<Translation> queryTranslations(std::string_view block) {
    std::vector<Translation> table;
    const auto value = internal::findValue(block, "\\VarFileInfo\\Translation");
    if (!value || value->text) return table;
    for (std::size_t at = 0; at + 4 <= value->bytes.size(); at += 4)
        table.push_back(
            {*internal::u16At(value->bytes, at), *internal::u16At(value->bytes, at + 2)});
    return table;
}

std::optional<std::string> queryString(std::string_view block, std::string_view subBlock) {
    auto value = internal::findValue(block, subBlock);
    if (!value) return std::nullopt;
    std::u16string units = text::fromUtf16LeBytes(value->bytes);
    if (!value->text) units = units.substr(0, units.find(u'\0'));
    return text::fromUtf16(units);
}

} // namespace kv::pe
