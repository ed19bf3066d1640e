#include "installer/setup/billboard_settings.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/installed_fonts.h"
#include "installer/common/text_lines.h"
#include "installer/setup/background_layout.h"

#include <algorithm>

namespace kv::installer {
namespace {

constexpr int kMaxPixels = 1000000;

} // namespace

BillboardSettings ReadBillboardSettings(std::string_view list) {
    BillboardSettings s;
    auto item = [&](int i) { return ListItem(list, i); };
    auto number = [&](int i, int fallback) { return NumberOr(item(i), fallback); };
    s.waitForClose = item(0) == "1";
    s.framed = item(1) == "1";
    s.sizeToPicture = item(2) == "1";
    s.gradient = item(3) == "1";
    s.transparent = item(4) == "1";
    if (!item(5).empty()) s.placement = item(5);
    // Offsets, client size and margin, in pixels, are held within a million pixels either
    // way, so that the window's size and place, their sums, stay whole numbers.
    auto pixels = [&](int i) { return std::clamp(number(i, 0), -kMaxPixels, kMaxPixels); };
    s.dx = pixels(6);
    s.dy = pixels(7);
    s.top = static_cast<ui::Color>(number(8, 0));
    s.bottom = static_cast<ui::Color>(number(9, 16711680));
    s.fontName = InstalledFaceOrArial(item(10).empty() ? "Arial" : item(10));
    s.fontSize = std::clamp(number(11, 14), -kMaxPixels, kMaxPixels); // drawn at twice the size too
    s.fontColor = static_cast<ui::Color>(number(12, 16777215));
    s.charset = number(13, 1);
    s.fontStyle = number(14, 0);
    s.clientWidth = pixels(15);
    s.clientHeight = pixels(16);
    s.margin = pixels(17);
    s.stepTime = number(18, 1);
    return s;
}

std::string TakeBillboardData(const std::string& data, std::vector<std::string>& files) {
    if (!data.empty() || files.empty()) return data;
    std::string first = files.front();
    files.erase(files.begin());
    return first;
}

TextPage ReadTextPage(const std::string& path, int defaultCharset) {
    TextPage page;
    page.charset = defaultCharset;
    const auto lines = ReadTextLines(path);
    if (!lines) {
        page.lines = {"", "    File Not Found!"};
        return page;
    }
    page.lines = *lines;
    if (!page.lines.empty()) {
        const int charset = NumberOr(ListItem(page.lines.front(), 0), -1);
        if (charset >= 0 && charset <= 255) {
            page.charset = charset;
            page.lines.erase(page.lines.begin());
        }
    }
    return page;
}

std::vector<std::string> WrapLines(const std::vector<std::string>& lines, int width,
                                   const std::function<int(std::string_view, bool big)>& measure) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::string text;
        for (char c : line)
            if (c != kBigMarker) text += c;
        const bool big = text.size() != line.size();
        const std::string marker = big ? std::string(1, kBigMarker) : std::string();
        // Words with their following blank.
        std::vector<std::string> words;
        std::size_t from = 0;
        while (from < text.size()) {
            std::size_t blank = text.find(' ', from);
            const std::size_t end = blank == std::string::npos ? text.size() : blank + 1;
            words.push_back(text.substr(from, end - from));
            from = end;
        }
        if (words.empty()) {
            out.push_back(marker);
            continue;
        }
        std::string piece;
        for (const std::string& word : words) {
            if (!piece.empty() && measure(piece + word, big) > width) {
                out.push_back(marker + piece);
                piece.clear();
            }
            piece += word;
        }
        out.push_back(marker + piece);
    }
    return out;
}

} // namespace kv::installer
