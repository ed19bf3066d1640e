#include "installer/uninstall/script_values.h"

#include "installer/common/system_queries.h"
#include "installer/common/text_lines.h"
#include "platform/text/ansi.h"

#include <cstdlib>

namespace kv::installer::uninstall {

std::string UninstallScriptPath() {
    const std::string exe = GetExeName();
    const std::size_t dot = exe.rfind('.');
    const std::size_t sep = exe.find_last_of("\\:");
    if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return exe + ".txt";
    return exe.substr(0, dot) + ".txt";
}

std::string ReadScriptValue(std::string_view file, std::string_view name) {
    const auto lines = ReadTextLines(file);
    if (!lines) return "";
    for (const std::string& line : *lines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos &&
            text::equalsNoCase(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return "";
}

int ReadScriptCharset(std::string_view file) {
    const std::string text = ReadScriptValue(file, "CHAR_SET");
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0' ? static_cast<int>(n) : 0;
}

} // namespace kv::installer::uninstall
