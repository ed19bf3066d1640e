#include "installer/uninstall/item_order.h"

#include "platform/text/ansi.h"

#include <algorithm>
#include <utility>

namespace kv::installer::uninstall {

std::string PadIntZeros(long long number, int width) {
    std::string digits = std::to_string(number);
    if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::vector<std::string> RemovalOrder(const std::vector<std::string>& items) {
    // Each item's sort key beside its index, so the prefix never has to be taken off again.
    std::vector<std::pair<std::string, std::size_t>> keyed;
    keyed.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        keyed.emplace_back(PadIntZeros(static_cast<long long>(items[i].size()), 4) + items[i], i);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return text::compareNoCase(a.first, b.first) < 0;
    });
    std::vector<std::string> order;
    order.reserve(keyed.size());
    for (auto it = keyed.rbegin(); it != keyed.rend(); ++it)
        order.push_back(items[it->second]);
    return order;
}

} // namespace kv::installer::uninstall
