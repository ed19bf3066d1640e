#include "tests/e2e/snapshot_file.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace kv::e2e {
namespace {

constexpr std::string_view kHeader = "kv-snapshot 1";

// A field with "%", tab, CR and LF written as "%" and two hex digits, so that any name or
// data fits between tabs on one line.
std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '\t' || c == '\r' || c == '\n') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = hexDigit(text[i + 1]), low = hexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> out;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return out;
        start = tab + 1;
    }
}

template <typename Number> std::optional<Number> numberOf(std::string_view text) {
    Number n{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return n;
}

// Reads one line into the snapshot; false when it is not a line saveSnapshot writes.
bool readLine(std::string_view line, Snapshot& s) {
    const std::vector<std::string_view> f = fieldsOf(line);
    std::vector<std::string> text;
    for (std::string_view field : f) {
        std::optional<std::string> t = unescaped(field);
        if (!t) return false;
        text.push_back(std::move(*t));
    }
    const std::string& kind = text[0];
    if (kind == "file" && text.size() == 7) {
        FileState state;
        const auto size = numberOf<std::uint64_t>(text[3]);
        const auto hash = numberOf<std::uint64_t>(text[4]);
        const auto attributes = numberOf<std::uint32_t>(text[5]);
        if ((text[2] != "0" && text[2] != "1") || !size || !hash || !attributes) return false;
        state.folder = text[2] == "1";
        state.size = *size;
        state.hash = *hash;
        state.attributes = *attributes;
        state.shortName = text[6];
        s.files[text[1]] = state;
        return true;
    }
    if (kind == "key" && text.size() == 2) {
        s.keys[text[1]];
        return true;
    }
    if (kind == "value" && text.size() == 5) {
        const auto type = numberOf<std::uint32_t>(text[3]);
        if (!type) return false;
        s.keys[text[1]][text[2]] = {static_cast<registry::ValueType>(*type), text[4]};
        return true;
    }
    if (kind == "rename" && text.size() == 2) {
        s.pendingRenames.push_back(text[1]);
        return true;
    }
    if (kind == "restart" && text.size() == 1) {
        s.restartMark = true;
        return true;
    }
    if (kind == "service" && text.size() == 3) {
        const auto state = numberOf<std::uint32_t>(text[2]);
        if (!state) return false;
        s.services[text[1]] = *state;
        return true;
    }
    return false;
}

} // namespace

bool saveSnapshot(const Snapshot& s, const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << kHeader << '\n';
    for (const auto& [path, f] : s.files)
        out << "file\t" << escaped(path) << '\t' << (f.folder ? 1 : 0) << '\t' << f.size << '\t'
            << f.hash << '\t' << f.attributes << '\t' << escaped(f.shortName) << '\n';
    for (const auto& [key, values] : s.keys) {
        out << "key\t" << escaped(key) << '\n';
        for (const auto& [name, v] : values)
            out << "value\t" << escaped(key) << '\t' << escaped(name) << '\t'
                << static_cast<std::uint32_t>(v.type) << '\t' << escaped(v.data) << '\n';
    }
    for (const std::string& rename : s.pendingRenames)
        out << "rename\t" << escaped(rename) << '\n';
    if (s.restartMark) out << "restart\n";
    for (const auto& [name, state] : s.services)
        out << "service\t" << escaped(name) << '\t' << state << '\n';
    out.close();
    return static_cast<bool>(out);
}

std::optional<Snapshot> loadSnapshot(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return std::nullopt;
    Snapshot s;
    while (std::getline(in, line))
        if (!readLine(line, s)) return std::nullopt;
    return s;
}

} // namespace kv::e2e
