#include "platform/ini/ini_text.h"

#include "platform/text/ansi.h"

namespace kv::ini {
namespace {

// The section a header line names, or nothing for other lines.
std::optional<std::string_view> headerName(std::string_view line) {
    line = text::trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    const auto close = line.find(']');
    return text::trimBlanks(close == std::string_view::npos ? line : line.substr(0, close));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key and value of a key line; nothing for comments, headers and lines without "=".
std::optional<Entry> entryOf(std::string_view line) {
    const std::string_view t = text::trimBlanks(line);
    if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    std::string_view value = text::trimBlanks(t.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return Entry{text::trimBlanks(t.substr(0, eq)), value};
}

} // namespace

IniText::IniText(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        lines_.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

std::optional<std::string> IniText::value(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (auto name = headerName(line)) {
            inSection = text::equalsNoCase(*name, section);
            continue;
        }
        if (!inSection) continue;
        if (auto e = entryOf(line); e && text::equalsNoCase(e->key, key))
            return std::string(e->value);
    }
    return std::nullopt;
}

std::vector<std::string> IniText::sectionNames() const {
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        auto name = headerName(line);
        if (!name) continue;
        bool seen = false;
        for (const std::string& n : names)
            seen = seen || text::equalsNoCase(n, *name);
        if (!seen) names.emplace_back(*name);
    }
    return names;
}

std::vector<std::string> IniText::keyNames(std::string_view section) const {
    std::vector<std::string> names;
    bool inSection = false;
    for (const std::string& line : lines_) {
        if (auto name = headerName(line)) {
            inSection = text::equalsNoCase(*name, section);
            continue;
        }
        auto e = inSection ? entryOf(line) : std::nullopt;
        if (!e) continue;
        bool seen = false;
        for (const std::string& n : names)
            seen = seen || text::equalsNoCase(n, e->key);
        if (!seen) names.emplace_back(e->key);
    }
    return names;
}

bool IniText::hasSection(std::string_view section) const {
    for (const std::string& line : lines_)
        if (auto name = headerName(line); name && text::equalsNoCase(*name, section)) return true;
    return false;
}

void IniText::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string line = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::size_t insertAt = lines_.size();
    bool found = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (auto name = headerName(lines_[i])) {
            if (found && inSection) break; // end of the first matching section
            inSection = text::equalsNoCase(*name, section);
            if (inSection && !found) {
                found = true;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (auto e = entryOf(lines_[i]); e && text::equalsNoCase(e->key, key)) {
            lines_[i] = line;
            return;
        }
        if (!text::trimBlanks(lines_[i]).empty()) insertAt = i + 1;
    }
    if (!found) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

bool IniText::deleteKey(std::string_view section, std::string_view key) {
    bool inSection = false;
    bool removed = false;
    for (std::size_t i = 0; i < lines_.size();) {
        if (auto name = headerName(lines_[i]))
            inSection = text::equalsNoCase(*name, section);
        else if (auto e = inSection ? entryOf(lines_[i]) : std::nullopt;
                 e && text::equalsNoCase(e->key, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
            continue;
        }
        ++i;
    }
    return removed;
}

bool IniText::deleteSection(std::string_view section) {
    bool inSection = false;
    bool removed = false;
    for (std::size_t i = 0; i < lines_.size();) {
        if (auto name = headerName(lines_[i])) inSection = text::equalsNoCase(*name, section);
        if (inSection) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            removed = true;
            continue;
        }
        ++i;
    }
    return removed;
}

std::string IniText::text() const {
    std::string out;
    for (const std::string& line : lines_)
        out += line + "\r\n";
    return out;
}

std::string fitToBuffer(std::string_view text, std::size_t size) {
    if (size == 0) return {};
    return std::string(text.substr(0, size - 1));
}

} // namespace kv::ini
