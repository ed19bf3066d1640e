// Batch files: any file runs to its end or gives up at a jump back once its bound has
// passed, never hangs nor crashes; a batch without a jump runs to its end; ERRORLEVEL is
// only ever 0 or 1; a read-only file is never deleted, and a file the batch does not name
// stays.
//
// Input: the batch file. It runs in C:\Work beside a.txt, the read-only ro.txt, the empty
// folder Empty and the folder Full holding keep.txt; C:\Keep.txt lies outside.

#include "fuzz/driver/fuzz_support.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/process/batch.h"
#include "platform/text/ansi.h"

#include <chrono>

namespace {

using kv::fuzz::check;
namespace fs = kv::fs;
namespace process = kv::process;

constexpr const char* kBatch = "C:\\Work\\run.bat";

void layOut() {
    fs::createFolders("C:\\Work\\Empty");
    fs::createFolders("C:\\Work\\Full");
    fs::writeFile("C:\\Work\\a.txt", "a");
    fs::writeFile("C:\\Work\\Full\\keep.txt", "k");
    fs::writeFile("C:\\Keep.txt", "k");
    if (!fs::exists("C:\\Work\\ro.txt")) {
        fs::writeFile("C:\\Work\\ro.txt", "r");
        fs::setAttributes("C:\\Work\\ro.txt", fs::kAttrReadOnly);
    }
}

bool hasJump(std::string_view text) {
    for (std::size_t at = 0; at + 4 <= text.size(); ++at)
        if (kv::text::equalsNoCase(text.substr(at, 4), "GOTO")) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view text = kv::fuzz::asText(data, size);
    layOut();
    check(fs::writeFile(kBatch, text), "the batch is written");

    // No waits, and a short bound, so that a loop gives up within the fuzzer's time-out.
    const process::BatchLimits limits{.jumpWait = std::chrono::milliseconds(0),
                                      .bound = std::chrono::milliseconds(2)};
    const process::BatchResult r = process::runBatch(kBatch, limits);
    check(r.end == process::BatchEnd::Done || r.end == process::BatchEnd::GaveUp,
          "a batch that is there is read");
    check(r.end == process::BatchEnd::Done || hasJump(text), "only a jump back gives up");
    check(r.errorLevel == 0 || r.errorLevel == 1, "ERRORLEVEL is 0 or 1");
    check(fs::exists("C:\\Work\\ro.txt"), "a read-only file is never deleted");
    const std::string upper = kv::text::toUpper(text);
    check(fs::exists("C:\\Keep.txt") || upper.find("KEEP") != std::string::npos ||
              upper.find_first_of("*?") != std::string::npos,
          "a file the batch does not name stays");
    return 0;
}
