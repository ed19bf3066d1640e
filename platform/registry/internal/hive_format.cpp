#include "platform/registry/internal/hive_format.h"

#include <charconv>

namespace kv::registry::internal {
namespace {

constexpr std::string_view kMagic = "KVHIVE 1 ";
constexpr char kHex[] = "0123456789abcdef";

void appendEscaped(std::string& out, std::string_view name) {
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '%') {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        } else {
            out += c;
        }
    }
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool unescape(std::string_view in, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != '%') {
            out += in[i];
            continue;
        }
        if (i + 2 >= in.size()) return false;
        const int hi = hexDigit(in[i + 1]);
        const int lo = hexDigit(in[i + 2]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return true;
}

bool unhex(std::string_view in, std::string& out) {
    out.clear();
    if (in == "-") return true;
    if (in.empty() || in.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < in.size(); i += 2) {
        const int hi = hexDigit(in[i]);
        const int lo = hexDigit(in[i + 1]);
        if (hi < 0 || lo < 0) return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

void formatKey(std::string& out, const KeyNode& node, const std::string& path) {
    out += "K ";
    appendEscaped(out, path);
    out += '\n';
    for (const NamedValue& v : node.values) {
        out += "V ";
        out += std::to_string(static_cast<std::uint32_t>(v.value.type));
        out += ' ';
        if (v.value.data.empty()) out += '-';
        for (char c : v.value.data) {
            const auto b = static_cast<unsigned char>(c);
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
        out += ' ';
        appendEscaped(out, v.name);
        out += '\n';
    }
    for (const auto& [name, child] : node.subkeys)
        formatKey(out, *child, path.empty() ? name : path + '\\' + name);
}

bool parseNumber(std::string_view s, std::uint64_t& n) {
    if (s.empty()) return false;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

std::string formatHive(const KeyNode& root, std::uint64_t generation) {
    std::string out(kMagic);
    out += std::to_string(generation);
    out += '\n';
    formatKey(out, root, "");
    out += "END\n";
    return out;
}

std::uint64_t generationOf(std::string_view text) {
    if (!text.starts_with(kMagic)) return 0;
    text.remove_prefix(kMagic.size());
    const auto eol = text.find('\n');
    std::uint64_t n = 0;
    return parseNumber(text.substr(0, eol), n) ? n : 0;
}

bool parseHive(std::string_view text, KeyNode& root, std::uint64_t& generation,
               std::string& error) {
    root = KeyNode{};
    KeyNode* current = nullptr;
    bool ended = false;
    std::size_t lineNo = 0;
    std::size_t pos = 0;
    std::string name;
    std::string data;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why;
        root = KeyNode{};
        return false;
    };
    while (pos < text.size()) {
        const auto nl = text.find('\n', pos);
        if (nl == std::string_view::npos) {
            ++lineNo;
            return fail("the file ends in the middle of a line");
        }
        const std::string_view line = text.substr(pos, nl - pos);
        pos = nl + 1;
        ++lineNo;
        if (ended) return fail("text after the end mark");
        if (lineNo == 1) {
            if (!line.starts_with(kMagic) || !parseNumber(line.substr(kMagic.size()), generation))
                return fail("not a hive file");
            continue;
        }
        if (line == "END") {
            ended = true;
            continue;
        }
        if (line.starts_with("K ")) {
            if (!unescape(line.substr(2), name)) return fail("bad key path");
            bool created = false;
            KeyNode* node = &root;
            for (const std::string& part : splitPath(name))
                node = &node->childOrCreate(part, created);
            current = node;
            continue;
        }
        if (line.starts_with("V ") && current) {
            const std::string_view rest = line.substr(2);
            const auto s1 = rest.find(' ');
            const auto s2 = s1 == std::string_view::npos ? s1 : rest.find(' ', s1 + 1);
            std::uint64_t type = 0;
            if (s2 == std::string_view::npos || !parseNumber(rest.substr(0, s1), type) ||
                type > 0xFFFFFFFFu || !unhex(rest.substr(s1 + 1, s2 - s1 - 1), data) ||
                !unescape(rest.substr(s2 + 1), name))
                return fail("bad value line");
            if (current->findValue(name)) return fail("value written twice");
            current->values.push_back(
                {name, Value{static_cast<ValueType>(static_cast<std::uint32_t>(type)), data}});
            continue;
        }
        return fail("unknown line");
    }
    if (lineNo == 0) return fail("the file is empty");
    if (!ended) return fail("the file is cut off (no end mark)");
    return true;
}

} // namespace kv::registry::internal
