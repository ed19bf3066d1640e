// The PE version reader: any file image, and any version block, is read without a crash;
// a version resource found is a well-formed block that lies within the image, and every
// query on it stays within it.

#include "fuzz/driver/fuzz_support.h"
#include "platform/pe/internal/pe_image.h"
#include "platform/pe/internal/version_block.h"
#include "platform/pe/version_resource.h"

#include <cstdio>

namespace {

using kv::fuzz::check;
namespace pi = kv::pe::internal;

bool within(std::string_view part, std::string_view whole) {
    return part.empty() || (part.data() >= whole.data() &&
                            part.data() + part.size() <= whole.data() + whole.size());
}

// Queries every value the client and the installers ask for.
void queryAll(std::string_view block) {
    kv::pe::queryFixedInfo(block);
    if (const auto root = pi::findValue(block, "\\"))
        check(within(root->bytes, block), "a value lies within its block");
    std::vector<std::string> names = {"040904E4", "040904B0"};
    for (const kv::pe::Translation& t : kv::pe::queryTranslations(block)) {
        char name[9];
        std::snprintf(name, sizeof name, "%04X%04X", t.language, t.codePage);
        names.emplace_back(name);
        kv::pe::languageName(t.language);
    }
    for (const std::string& name : names)
        for (const char* key : {"FileVersion", "CompanyName", "ProductVersion"}) {
            const std::string path = "\\StringFileInfo\\" + name + "\\" + key;
            kv::pe::queryString(block, path);
            if (const auto v = pi::findValue(block, path))
                check(within(v->bytes, block), "a value lies within its block");
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = kv::fuzz::asText(data, size);
    if (const std::optional<std::string> block = pi::versionResourceOfImage(input)) {
        check(block->size() <= input.size(), "a version resource lies within its image");
        check(pi::isVersionBlock(*block), "a version resource found is a version block");
        queryAll(*block);
    }
    // The input as a version block itself.
    std::size_t length = 0;
    if (pi::isVersionBlock(input, &length)) check(length <= input.size(), "a block fits its data");
    queryAll(input);
    return 0;
}
