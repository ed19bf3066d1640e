// The machine profile and the drives' tables: any text is read without a crash; a profile
// read, written and read again is written the same, and a table saved and read back keeps
// every entry that carries something.
//
// Input: the profile text, then optionally a NUL byte and the text of drive C:'s table.

#include "fuzz/driver/fuzz_support.h"
#include "platform/fs/internal/table.h"
#include "platform/system/host_files.h"
#include "platform/system/machine.h"
#include "platform/system/profile.h"

namespace {

using kv::fuzz::check;
namespace fsi = kv::fs::internal;

bool sameEntries(const fsi::Table& a, const fsi::Table& b) {
    fsi::Table kept;
    for (const auto& [key, entry] : a)
        if (!entry.shortName.empty() || entry.hasAttributes) kept.emplace(key, entry);
    if (kept.size() != b.size()) return false;
    for (const auto& [key, entry] : kept) {
        const auto it = b.find(key);
        if (it == b.end() || it->second.shortName != entry.shortName ||
            it->second.hasAttributes != entry.hasAttributes ||
            it->second.attributes != entry.attributes)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view input = kv::fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    const kv::machine::Profile profile = kv::machine::parseProfile(input.substr(0, nul));
    const std::string text = kv::machine::formatProfile(profile);
    check(kv::machine::formatProfile(kv::machine::parseProfile(text)) == text,
          "a profile written and read back is written the same");
    if (nul == std::string_view::npos) return 0;
    const std::filesystem::path table = kv::machine::current().tableFolder() / "C.table";
    std::filesystem::create_directories(table.parent_path());
    check(kv::machine::writeHostFileAtomically(table, std::string(input.substr(nul + 1))),
          "the table file is written");
    const fsi::Table first = *fsi::readTable('C');
    check(fsi::updateTable('C', [](fsi::Table&) { return true; }), "the table is saved");
    check(sameEntries(first, *fsi::readTable('C')),
          "a table saved and read back keeps its entries");
    return 0;
}
