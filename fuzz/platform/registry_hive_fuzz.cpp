// The registry's hive files: any text is read without a crash or is refused with a reason;
// a hive read is saved and read again to the same tree and the same text.

#include "fuzz/driver/fuzz_support.h"
#include "platform/registry/internal/hive_format.h"

namespace {

using kv::fuzz::check;
namespace ri = kv::registry::internal;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kv::fuzz::asText(data, size);
    ri::KeyNode root;
    std::uint64_t generation = 0;
    std::string error;
    if (!ri::parseHive(text, root, generation, error)) {
        check(!error.empty(), "a refused hive gives its reason");
        return 0;
    }
    check(generation == ri::generationOf(text), "the header's generation is the hive's");
    const std::string saved = ri::formatHive(root, generation);
    ri::KeyNode again;
    std::uint64_t generationAgain = 0;
    check(ri::parseHive(saved, again, generationAgain, error), "a saved hive reads back");
    check(generationAgain == generation, "a saved hive keeps its generation");
    check(ri::formatHive(again, generationAgain) == saved, "a hive saved and loaded equals itself");
    return 0;
}
