// Setup.log fed with any texts (execution logs of other programs among them): no crash,
// each text adds at most as many lines and characters as it holds, and the file always
// holds every line so far.
//
// Input: the texts, separated by NUL bytes.

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/folders.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_log.h"
#include "platform/fs/files.h"
#include "platform/ui/headless/headless.h"

namespace {

using kv::fuzz::check;
using namespace kv::installer;

// The log is saved after every text, so each text costs a file write.
constexpr std::size_t kMaxTexts = 16;
constexpr const char* kFolder = "C:\\App";
constexpr const char* kFile = "C:\\App\\Setup.log";

const TScript& script() {
    static const TScript s = [] {
        kv::ui::headless::install();
        TScript t;
        t.LoadFromText("SET_CREATE_SETUP_LOG");
        return t;
    }();
    return s;
}

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos;
         at = text.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    std::vector<std::string_view> texts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    if (texts.size() > kMaxTexts) texts.resize(kMaxTexts);
    kv::fs::createFolders(kFolder);
    SetTargetDir(kFolder);
    SetupLog log(script());
    for (std::string_view text : texts) {
        const std::size_t before = log.Lines().size();
        log.Log(text);
        const std::size_t after = log.Lines().size();
        check(after <= before + count(text, "\r\n") + 1, "a text adds at most its own lines");
        check(after >= before, "no line is lost");
    }
    std::size_t given = 0, kept = 0;
    for (std::string_view text : texts)
        given += text.size();
    std::string content;
    for (const std::string& line : log.Lines()) {
        kept += line.size();
        content += line + "\r\n";
    }
    check(kept <= given, "no line holds more than the texts gave");
    check(kv::fs::readFile(kFile) == content, "the file holds every line so far");
    return 0;
}
