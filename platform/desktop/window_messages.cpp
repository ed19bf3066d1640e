#include "platform/desktop/window_messages.h"

#include "platform/desktop/internal/locked_table.h"
#include "platform/text/ansi.h"

#include <string>
#include <vector>

namespace kv::desktop {

unsigned registerWindowMessage(std::string_view name) {
    if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) return 0;
    unsigned result = 0;
    bool known = false;
    // One name a line; a name's number is its line's position.
    const bool written = internal::updateTable("messages", [&](std::vector<std::string>& lines) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (text::equalsNoCase(lines[i], name)) {
                result = kFirstRegisteredMessage + static_cast<unsigned>(i);
                known = true;
                return false; // nothing to write
            }
        }
        if (lines.size() >= 0x4000) return false;
        result = kFirstRegisteredMessage + static_cast<unsigned>(lines.size());
        lines.emplace_back(name);
        return true;
    });
    return written || known ? result : 0;
}

} // namespace kv::desktop
