#pragma once
// Test helpers: files and folders made on the current test machine by machine path, the
// script records and bitmaps the tests feed in, and the screenshot programs' start and
// pictures.

#include "installer/common/delimited_lists.h"
#include "installer/common/internal/machine_files.h"
#include "platform/ui/startup/startup.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kv::installer::testing {

inline void makeFolder(const std::string& path) {
    std::filesystem::create_directories(internal::hostPathOf(path));
}

inline void makeFile(const std::string& path, const std::string& content = "x") {
    const std::filesystem::path host = internal::hostPathOf(path);
    std::filesystem::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << content;
}

// A "|"-delimited record with the given items set.
inline std::string record(std::initializer_list<std::pair<int, const char*>> items) {
    std::string list = "|";
    for (const auto& [index, text] : items)
        SetListItem(list, index, text);
    return list;
}

// An execute record ("~" header "~" arguments "~") with the given header and argument items.
inline std::string execRecord(std::initializer_list<std::pair<int, const char*>> header,
                              std::initializer_list<std::pair<int, const char*>> arguments = {}) {
    return "~" + record(header) + "~" + record(arguments) + "~";
}

// A 24-bit bitmap file whose pixels are `bgr` (blue, green, red bytes), or, when `other`
// is given, stripes of 16 rows alternating between the two from the bottom row up.
inline std::string bitmapFile(int width, int height, std::string_view bgr,
                              std::string_view other = {}) {
    const int row = (width * 3 + 3) / 4 * 4;
    auto le = [](std::string& out, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    std::string b = "BM";
    le(b, static_cast<std::uint32_t>(54 + row * height), 4);
    le(b, 0, 4);
    le(b, 54, 4);
    le(b, 40, 4);
    le(b, static_cast<std::uint32_t>(width), 4);
    le(b, static_cast<std::uint32_t>(height), 4);
    le(b, 1, 2);
    le(b, 24, 2);
    for (int i = 0; i < 6; ++i)
        le(b, 0, 4);
    for (int y = 0; y < height; ++y) {
        std::string line;
        for (int x = 0; x < width; ++x)
            line += !other.empty() && (y / 16) % 2 ? other : bgr;
        line.resize(static_cast<std::size_t>(row), '\0');
        b += line;
    }
    return b;
}

// A screenshot program's start: the backend the environment chooses (KV_UI=wx under a
// virtual display). False, said on standard error, when that is not wx; the program then
// exits 77.
inline bool startWxBackend() {
    if (ui::installBackendFromEnvironment() == ui::BackendKind::Wx) return true;
    std::fputs("no wx backend\n", stderr);
    return false;
}

// Saves a picture of the whole screen as `name` in $KV_SCREENSHOT_DIR (else the current
// folder) and prints its path; false when that fails.
inline bool saveScreenshot(const char* name) {
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    const std::string shot = std::string(dir ? dir : ".") + "/" + name;
    const std::string command = "import -window root " + shot;
    if (std::system(command.c_str()) != 0) return false;
    std::printf("%s\n", shot.c_str());
    return true;
}

} // namespace kv::installer::testing
