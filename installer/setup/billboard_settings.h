#pragma once
// The billboard's settings list and its text pages: reading the items with their defaults,
// choosing the settings and files from the script, reading a page file and cutting its lines
// to the window's width.

#include "platform/ui/types.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

struct BillboardSettings {
    bool waitForClose = false;  // item 0 "1": at the end of copying, wait for Close
    bool framed = false;        // 1
    bool sizeToPicture = false; // 2
    bool gradient = false;      // 3
    bool transparent = false;   // 4
    std::string placement = "Center";
    int dx = 0, dy = 0;
    ui::Color top = 0;
    ui::Color bottom = 16711680;
    std::string fontName = "Arial"; // 10, "Arial" when not installed
    int fontSize = 14;
    ui::Color fontColor = 16777215;
    int charset = 1;
    int fontStyle = 0;
    int clientWidth = 0, clientHeight = 0; // 15, 16
    int margin = 0;                        // 17
    int stepTime = 1;                      // 18, in units of 500 ms
};

// Reads items 0 to 18 of a delimited settings list; an empty or unreadable item keeps its
// default. Offsets, sizes, margin and font size are held within a million either way.
BillboardSettings ReadBillboardSettings(std::string_view list);
// The settings list: `data` (SET_BILLBOARD_DATA), or, when it is empty, the first file entry,
// which then leaves the list of files.
std::string TakeBillboardData(const std::string& data, std::vector<std::string>& files);

// A page of text: its lines and its character set.
struct TextPage {
    std::vector<std::string> lines;
    int charset = 1;
};
// Reads a ".txt" page: a first line whose first item is a number from 0 to 255 gives the
// character set and is dropped. A file that cannot be read gives the "File Not Found!" page.
TextPage ReadTextPage(const std::string& path, int defaultCharset);

// The marker of a line drawn at twice the font size.
constexpr char kBigMarker = '~';
// Cuts each line into pieces by words, each piece as many words (with their following blank)
// as stay within `width`; a line without blanks is one piece. A line with the marker loses
// it, is measured big, and each of its pieces carries the marker at its start. `measure`
// gives a text's width, big or not.
std::vector<std::string> WrapLines(const std::vector<std::string>& lines, int width,
                                   const std::function<int(std::string_view, bool big)>& measure);

} // namespace kv::installer
