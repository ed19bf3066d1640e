#pragma once
// Test helpers: files and folders made on the current test machine by machine path, and
// the script records the tests feed in.

#include "installer/common/delimited_lists.h"
#include "installer/common/internal/machine_files.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
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

} // namespace kv::installer::testing
