#include "platform/desktop/debug_output.h"

#include "platform/desktop/internal/locked_table.h"

#include <unistd.h>

namespace kv::desktop {
namespace {

// One line per text: the pid, a tab and the text, escaped.
constexpr const char* kTable = "debug-output";

} // namespace

void outputDebugString(std::string_view text) {
    const std::string line = std::to_string(::getpid()) + "\t" + internal::escapeLine(text);
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
        t.text = internal::unescapeLine(std::string_view(line).substr(tab + 1));
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
