// The billboard's settings and text pages. Any settings list is read without a crash, the
// same way twice, and the settings written back as a list read as themselves. Any page file
// reads the same twice, its character set taken only from a first line that gives one, and
// saved again (with that line) reads back as itself. Its lines cut to any width give back
// each line's text, every piece carrying the big-text marker when its line does, and every
// piece of more than one word within the width.
//
// Input: the settings list, a NUL byte, the page file, a NUL byte, and the width (up to two
// bytes); missing parts are empty.

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/text_lines.h"
#include "installer/setup/billboard_settings.h"
#include "platform/fs/files.h"
#include "platform/ui/headless/headless.h"

#include <tuple>

namespace {

using kv::fuzz::check;
using kv::installer::BillboardSettings;
using kv::installer::TextPage;

constexpr const char* kPage = "C:\\Setup\\page.txt";
constexpr int kNoCharset = 1000; // a default no charset line can give

auto fields(const BillboardSettings& s) {
    return std::tie(s.waitForClose, s.framed, s.sizeToPicture, s.gradient, s.transparent,
                    s.placement, s.dx, s.dy, s.top, s.bottom, s.fontName, s.fontSize, s.fontColor,
                    s.charset, s.fontStyle, s.clientWidth, s.clientHeight, s.margin, s.stepTime);
}

// A delimiter for the written list: a byte in no text item and no number.
int freeDelimiter(const BillboardSettings& s) {
    const std::string used = s.placement + s.fontName + "0123456789-";
    for (int c : {'|', ',', ';'})
        if (used.find(static_cast<char>(c)) == std::string::npos) return c;
    for (int c = 1; c < 256; ++c)
        if (used.find(static_cast<char>(c)) == std::string::npos) return c;
    return -1;
}

std::string writeSettings(const BillboardSettings& s, char delimiter) {
    auto number = [](auto n) { return std::to_string(static_cast<int>(n)); };
    const std::string items[] = {s.waitForClose ? "1" : "0",
                                 s.framed ? "1" : "0",
                                 s.sizeToPicture ? "1" : "0",
                                 s.gradient ? "1" : "0",
                                 s.transparent ? "1" : "0",
                                 s.placement,
                                 number(s.dx),
                                 number(s.dy),
                                 number(s.top),
                                 number(s.bottom),
                                 s.fontName,
                                 number(s.fontSize),
                                 number(s.fontColor),
                                 number(s.charset),
                                 number(s.fontStyle),
                                 number(s.clientWidth),
                                 number(s.clientHeight),
                                 number(s.margin),
                                 number(s.stepTime)};
    std::string list(1, delimiter);
    for (const std::string& item : items)
        list += item + delimiter;
    return list;
}

bool samePage(const TextPage& a, const TextPage& b) {
    return a.lines == b.lines && a.charset == b.charset;
}

int measure(std::string_view text, bool big) {
    return static_cast<int>(text.size()) * (big ? 16 : 8);
}

void checkWrapped(const std::string& line, int width) {
    const std::vector<std::string> pieces = kv::installer::WrapLines({line}, width, measure);
    std::string text;
    for (char c : line)
        if (c != kv::installer::kBigMarker) text += c;
    const bool big = text.size() != line.size();
    check(!pieces.empty(), "a line gives at least one piece");
    std::string joined;
    for (std::string_view piece : pieces) {
        if (big) {
            check(piece.starts_with(kv::installer::kBigMarker), "a big line's pieces are marked");
            piece.remove_prefix(1);
        }
        check(piece.find(kv::installer::kBigMarker) == std::string_view::npos,
              "a piece holds no marker of its own");
        const std::size_t blank = piece.find(' ');
        const bool oneWord = blank == std::string_view::npos || blank + 1 == piece.size();
        check(oneWord || measure(piece, big) <= width, "a piece of words is within the width");
        joined += piece;
    }
    check(joined == text, "the pieces give back the line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        kv::fuzz::fuzzMachine();
        kv::ui::headless::install();
        return kv::fs::createFolders("C:\\Setup");
    }();
    check(ready, "the page's folder exists");
    const std::vector<std::string_view> parts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    const std::string_view list = parts[0];
    const std::string_view file = parts.size() > 1 ? parts[1] : std::string_view();
    const std::string_view widthBytes = parts.size() > 2 ? parts[2] : std::string_view();

    const BillboardSettings settings = kv::installer::ReadBillboardSettings(list);
    check(fields(kv::installer::ReadBillboardSettings(list)) == fields(settings),
          "the list reads the same twice");
    if (const int delimiter = freeDelimiter(settings); delimiter >= 0)
        check(fields(kv::installer::ReadBillboardSettings(
                  writeSettings(settings, static_cast<char>(delimiter)))) == fields(settings),
              "the settings written as a list read back as themselves");

    check(kv::fs::writeFile(kPage, std::string(file)), "the page is written");
    const TextPage page = kv::installer::ReadTextPage(kPage, kNoCharset);
    check(samePage(kv::installer::ReadTextPage(kPage, kNoCharset), page),
          "the page reads the same twice");
    const std::size_t fileLines = kv::installer::ReadTextLines(kPage).value().size();
    const bool charsetLine = page.charset != kNoCharset;
    check(!charsetLine || (page.charset >= 0 && page.charset <= 255),
          "a charset line gives a character set from 0 to 255");
    check(page.lines.size() + (charsetLine ? 1 : 0) == fileLines,
          "only the charset line is dropped");
    std::vector<std::string> saved = page.lines;
    if (charsetLine) saved.insert(saved.begin(), "|" + std::to_string(page.charset) + "|");
    check(kv::installer::SaveTextLines(kPage, saved), "the page is saved");
    check(samePage(kv::installer::ReadTextPage(kPage, kNoCharset), page),
          "the page saved reads back as itself");

    int width = 0;
    for (std::size_t i = 0; i < widthBytes.size() && i < 2; ++i)
        width = width * 256 + static_cast<unsigned char>(widthBytes[i]);
    if (widthBytes.empty()) width = 200;
    std::vector<std::string> each;
    for (const std::string& line : page.lines) {
        checkWrapped(line, width);
        for (std::string& piece : kv::installer::WrapLines({line}, width, measure))
            each.push_back(std::move(piece));
    }
    check(kv::installer::WrapLines(page.lines, width, measure) == each,
          "the lines are cut one by one");
    return 0;
}
