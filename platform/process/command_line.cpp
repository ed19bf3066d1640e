#include "platform/process/command_line.h"

namespace kv::process {

std::vector<std::string> splitArguments(std::string_view line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const std::size_t n = line.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    for (;;) {
        while (i < n && blank(line[i]))
            ++i;
        if (i >= n) break;
        std::string arg;
        bool quoted = false;
        while (i < n && (quoted || !blank(line[i]))) {
            std::size_t backslashes = 0;
            while (i < n && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else if (quoted && i + 1 < n && line[i + 1] == '"') {
                    arg += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            arg.append(backslashes, '\\');
            if (backslashes == 0) arg += line[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

} // namespace kv::process
