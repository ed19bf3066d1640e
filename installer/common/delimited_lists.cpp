#include "installer/common/delimited_lists.h"

#include "installer/common/internal/trim.h"
#include "installer/common/text_utils.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace kv::installer {

std::vector<std::string_view> ListItems(std::string_view list) {
    std::vector<std::string_view> items;
    if (list.empty()) return items;
    const char delimiter = list[0];
    std::size_t open = 0;
    for (;;) {
        std::size_t close = list.find(delimiter, open + 1);
        if (close == std::string_view::npos) return items;
        items.push_back(list.substr(open + 1, close - open - 1));
        open = close;
    }
}

int ListCount(std::string_view list) {
    if (list.empty()) return 0;
    int count = 0;
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (list[i] == list[0]) ++count;
    }
    return count;
}

std::string ListItem(std::string_view list, int index) {
    if (list.empty() || index < 0) return {};
    const char delimiter = list[0];
    std::size_t open = 0; // the delimiter that opens the current item
    for (int i = 0;; ++i) {
        std::size_t close = list.find(delimiter, open + 1);
        if (close == std::string_view::npos) return {};
        if (i == index) return std::string(list.substr(open + 1, close - open - 1));
        open = close;
    }
}

void SetListItem(std::string& list, int index, std::string_view text) {
    if (list.empty()) list = "|";
    const char delimiter = list[0];
    const std::vector<std::string_view> items = ListItems(list);
    const int count =
        index >= static_cast<int>(items.size()) ? index + 1 : static_cast<int>(items.size());
    std::string rebuilt(1, delimiter);
    for (int i = 0; i < count; ++i) {
        if (i == index) {
            rebuilt += text;
        } else if (i < static_cast<int>(items.size())) {
            rebuilt += items[static_cast<std::size_t>(i)];
        }
        rebuilt += delimiter;
    }
    list = std::move(rebuilt);
}

int ListIndexOf(std::string_view list, std::string_view text) {
    list = internal::trimBlanks(list);
    text = internal::trimBlanks(text);
    if (list.empty() || text.empty()) return -1;
    const std::vector<std::string_view> items = ListItems(list);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (SameTextStr(items[i], text)) return static_cast<int>(i);
    }
    return -1;
}

} // namespace kv::installer
