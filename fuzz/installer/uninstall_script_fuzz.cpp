// The uninstall script read back from an earlier installation and added to: any file is
// read without a crash and its lines come first unchanged; every line added keeps the
// blank-line, ";" and no-duplicate rules; the file holds exactly the lines kept, and
// reading a saved file gives its lines back.
//
// Input: the earlier file, a NUL byte, then the lines to add separated by LF, a line that
// starts with "!" forced (the "!" dropped).

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/folders.h"
#include "installer/common/text_lines.h"
#include "installer/common/text_utils.h"
#include "installer/setup/script.h"
#include "installer/setup/uninstall_script.h"
#include "platform/fs/files.h"
#include "platform/ui/headless/headless.h"

#include <algorithm>

namespace {

using kv::fuzz::check;
using namespace kv::installer;

// Whole-file saves after every line make each added line cost the file's size.
constexpr std::size_t kMaxAddedLines = 16;
constexpr const char* kFolder = "C:\\App";
constexpr const char* kFile = "C:\\App\\UnInstall.txt";

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

const TScript& script() {
    static const TScript s = [] {
        kv::ui::headless::install();
        TScript t;
        t.LoadFromText("SET_CREATE_UNINSTALL");
        return t;
    }();
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view input = kv::fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    const std::string_view earlier = input.substr(0, nul);
    std::vector<std::string_view> added;
    if (nul != std::string_view::npos) added = kv::fuzz::split(input.substr(nul + 1), '\n');
    if (added.size() > kMaxAddedLines) added.resize(kMaxAddedLines);

    kv::fs::createFolders(kFolder);
    check(kv::fs::writeFile(kFile, earlier), "the earlier file is written");
    const std::vector<std::string> read = ReadTextLines(kFile).value_or(std::vector<std::string>{});
    check(ReadTextLines(kFile) == read, "a file reads the same twice");
    check(SaveTextLines(kFile, read) && ReadTextLines(kFile) == read,
          "a saved file reads back as its lines");
    check(kv::fs::writeFile(kFile, earlier), "the earlier file is written again");

    SetTargetDir(kFolder);
    UninstallScript u(script());
    for (std::string_view line : added) {
        const bool force = !line.empty() && line.front() == '!';
        if (force) line.remove_prefix(1);
        u.AddUninstallLine(line, force);
    }
    if (added.empty()) return 0;

    const std::vector<std::string>& lines = u.Lines();
    check(lines.size() >= read.size() && lines.size() <= read.size() + added.size(),
          "the earlier lines come first and each added line is kept at most once");
    check(std::equal(read.begin(), read.end(), lines.begin()), "the earlier lines are unchanged");
    for (std::size_t i = read.size(); i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (isBlank(line)) {
            check(i == 0 || !isBlank(lines[i - 1]), "no blank line follows a blank line");
            continue;
        }
        check(line.back() != ')' || line.find('=') != std::string::npos,
              "a command line ends with ;");
        for (std::size_t j = 0; j < i; ++j)
            check(!SameTextStr(lines[j], line), "an added line is not already in the file");
    }
    if (lines.size() == read.size()) return 0; // nothing added, nothing saved
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    check(kv::fs::readFile(kFile) == content, "the file holds the lines kept");
    return 0;
}
