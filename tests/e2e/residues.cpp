#include "tests/e2e/residues.h"

#include <algorithm>
#include <fstream>

namespace kv::e2e {

std::string literalPattern(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos) out += '\\';
        out += c;
    }
    return out;
}

ResidueList::ResidueList(const std::filesystem::path& file, const ResidueNames& names) {
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        bool named = true;
        for (std::size_t at = line.find('<'); named && at != std::string::npos;
             at = line.find('<', at)) {
            const std::size_t end = line.find('>', at);
            if (end == std::string::npos) break;
            const auto values = names.find(line.substr(at + 1, end - at - 1));
            if (values == names.end() || values->second.empty()) {
                named = false;
                break;
            }
            std::string alternation;
            for (const std::string& value : values->second)
                alternation.append(alternation.empty() ? "(" : "|").append(literalPattern(value));
            alternation += ")";
            line.replace(at, end + 1 - at, alternation);
            at += alternation.size();
        }
        if (named) patterns_.emplace_back(line, std::regex::extended | std::regex::icase);
    }
}

bool ResidueList::matches(const std::string& line) const {
    return std::any_of(patterns_.begin(), patterns_.end(),
                       [&](const std::regex& p) { return std::regex_search(line, p); });
}

std::filesystem::path roundTripResidueFile() {
    return std::filesystem::path(KV_E2E_DIR) / "round_trip_residues.txt";
}

} // namespace kv::e2e
