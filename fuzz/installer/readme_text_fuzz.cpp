// The licence and readme files: any file loads into the box without a crash, the same way
// twice. A ".txt" file shows as it stands; a rich-text file gives a text no longer than the
// file with its bold runs in order, apart and within the text, and that text and those runs
// written as rich text load back as themselves. Under character set 177 the box reads right
// to left exactly when its text does.
//
// Input: one byte of choices (bit 0: a ".txt" name, else ".rtf"; bit 1: character set 177,
// else 0), then the file's bytes.

#include "fuzz/driver/fuzz_support.h"
#include "installer/setup/readme_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/system/process.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <cctype>
#include <cstdio>

namespace {

using kv::fuzz::check;
using kv::ui::TextRun;

// setup at C:\Setup, and the readme window's box.
kv::ui::RichTextBox& box() {
    static kv::ui::RichTextBox& b = []() -> kv::ui::RichTextBox& {
        kv::fuzz::fuzzMachine();
        kv::fs::createFolders("C:\\Setup");
        kv::fs::writeFile("C:\\Setup\\setup", "");
        kv::machine::setProgram(kv::fs::hostPath("C:\\Setup\\setup"), {});
        kv::ui::headless::install();
        return kv::ui::app().form<kv::installer::TReadmeForm>().RichEdit1;
    }();
    return b;
}

// Rich text of a text and its bold runs: letters, digits and blanks as they stand, every
// other byte as \'hh, each bold run in a group of its own.
std::string richText(const std::string& text, const std::vector<TextRun>& bold) {
    std::string out = "{\\rtf1\\ansi ";
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool inRun = run < bold.size();
        if (inRun && static_cast<int>(i) == bold[run].start) out += "{\\b ";
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::isalnum(c) || c == ' ') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            out += hex;
        }
        if (inRun && static_cast<int>(i) + 1 == bold[run].start + bold[run].length) {
            out += "}";
            ++run;
        }
    }
    return out + "}";
}

struct Shown {
    std::string text;
    std::vector<TextRun> bold;
    bool rightToLeft = false;
    bool operator==(const Shown&) const = default;
};

Shown load(const std::string& name, int charset) {
    kv::ui::RichTextBox& b = box();
    kv::installer::LoadTextFile(b, name, charset);
    return {b.text(), b.boldRuns(), b.rightToLeft()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    box();
    const bool plain = (data[0] & 1) != 0;
    const int charset = (data[0] & 2) != 0 ? 177 : 0;
    const std::string content(kv::fuzz::asText(data + 1, size - 1));
    const std::string name = plain ? "README.TXT" : "readme.rtf";
    check(kv::fs::writeFile("C:\\Setup\\" + name, content), "the file is written");

    const Shown first = load(name, charset);
    check(load(name, charset) == first, "the file loads the same twice");
    if (charset == 177)
        check(first.rightToLeft == kv::installer::ReadsRightToLeft(first.text),
              "the box reads right to left when its text does");
    if (plain) {
        check(first.text == content && first.bold.empty(), "a .txt file shows as it stands");
        return 0;
    }
    check(first.text.size() <= content.size(), "rich text gives no more text than its file");
    int end = 0;
    for (const TextRun& run : first.bold) {
        check(run.length > 0 && run.start >= end &&
                  run.start + run.length <= static_cast<int>(first.text.size()),
              "bold runs are in order, apart and within the text");
        end = run.start + run.length;
    }
    kv::ui::RichTextBox& b = box();
    b.setRichText(richText(first.text, first.bold));
    check(b.text() == first.text && b.boldRuns() == first.bold,
          "the text and its bold runs written as rich text load back as themselves");
    return 0;
}
