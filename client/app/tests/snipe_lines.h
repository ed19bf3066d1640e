#pragma once
// A "textdump" reply of many snipes for the list benchmarks: the header line, then one line
// of sixteen fields per snipe, a hundred snipes per seller in a row.

#include <string>
#include <vector>

namespace kv::app::bench {

inline std::vector<std::string> snipeLines(int count) {
    std::vector<std::string> lines{
        "Auction\tTitle\tMax Bid\tPrice\tSeller\tEnds\tTime Left\tDelay\tPaid\tReceived\t"
        "Ends Key\tDelay Key\tMax Key\tPrice Key\tBid Group\tStatus"};
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        const std::string price = std::to_string(i % 997) + "." + std::to_string(10 + i % 90);
        lines.push_back(n + "|" + std::to_string(3000000000LL + i * 7919LL) + "\tA snipe titled " +
                        n + " with a longer description\t" + std::to_string(20 + i % 50) + ".00\t" +
                        price + "\tseller" + std::to_string(i / 100) + "\t12/24/2026 10:" +
                        std::to_string(10 + i % 50) + ":00\t" + std::to_string(i % 7) + "d " +
                        std::to_string(i % 24) + "h\t" + std::to_string(5 + i % 10) + "\t\t\t" +
                        std::to_string(1767000000 + i) + "\t" + std::to_string(5 + i % 10) + "\t" +
                        std::to_string(20 + i % 50) + "\t" + price + "\t" + std::to_string(i % 5) +
                        "\t" + std::to_string(1 + i % 3));
    }
    return lines;
}

// The floor of a fill: each line split at TAB into a vector of its fields.
inline std::vector<std::vector<std::string>> splitAtTabs(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> out;
    out.reserve(lines.size());
    for (const std::string& line : lines) {
        std::vector<std::string>& f = out.emplace_back();
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            f.push_back(line.substr(start, tab - start));
        f.push_back(line.substr(start));
    }
    return out;
}

} // namespace kv::app::bench
