#include "platform/desktop/debug_output.h"

#include "platform/desktop/internal/locked_table.h"

#include <unistd.h>

namespace kv::desktop {
namespace {

constexpr const char* kTable = "debug-output";

// One line per text: the pid, a tab and the text with backslash, CR and LF escaped.
std::string escape(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

} // namespace

void outputDebugString(std::string_view text) {
    const std::string line = std::to_string(::getpid()) + "\t" + escape(text);
    internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
        lines.push_back(line);
        return true;
    });
}

std::vector<DebugText> debugRecord() {
    std::vector<DebugText> record;
    for (const std::string& line : internal::readTable(kTable)) {
        const auto tab = line.find('\t');
        if (tab == std::string::npos) continue;
        DebugText t;
        try {
            t.processId = std::stoi(line.substr(0, tab));
        } catch (...) {
            continue;
        }
        t.text = unescape(std::string_view(line).substr(tab + 1));
        record.push_back(std::move(t));
    }
    return record;
}

void clearDebugRecord() {
    internal::updateTable(kTable, [](std::vector<std::string>& lines) {
        lines.clear();
        return true;
    });
}

} // namespace kv::desktop
