// The "getbidgroups" lines: any reply fills the bid-group list without a crash, the same
// way twice; "<none>" comes first, then entries taken in order from the "id TAB name" lines
// before the first empty one, each holding its line's id; the selection is "<none>" or
// the last entry of the preselected id.
//
// Input: the reply's lines (split at line feeds, as the replies are); the first line's
// leading number, when there is one, is the id preselected.

#include "client/app/setting_conversions.h"
#include "client/app/snipe_commands.h"
#include "fuzz/driver/fuzz_support.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/lists.h"

#include <cstdlib>
#include <limits>

namespace {

using kv::fuzz::check;

struct Editor : kv::ui::Form {
    Editor() : Form("frmFuzz") {}
    kv::ui::ComboBox& box = add<kv::ui::ComboBox>("cboBidGroup");
};

// The id a line gives an entry, when it gives one.
std::optional<std::int32_t> entryId(std::string_view line, std::string_view name) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.substr(tab + 1) != name) return std::nullopt;
    const std::optional<double> id = kv::app::toNumber(line.substr(0, tab));
    if (!id || !(*id >= std::numeric_limits<std::int32_t>::min() &&
                 *id <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(*id);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kv::fuzz::asText(data, size);
    std::vector<std::string> lines;
    for (std::string_view line : kv::fuzz::split(text, '\n'))
        lines.emplace_back(line);
    const std::int32_t preselect =
        lines.empty() ? 0 : static_cast<std::int32_t>(std::strtol(lines[0].c_str(), nullptr, 10));
    kv::ui::headless::install();
    kv::ui::ComboBox& box = kv::ui::app().form<Editor>().box;

    kv::app::fillBidGroups(box, lines, preselect);
    const std::vector<kv::ui::ListEntry> entries = box.entries();
    const int selected = box.listIndex();
    kv::app::fillBidGroups(box, lines, preselect);
    check(box.entries() == entries && box.listIndex() == selected, "a reply fills the same twice");

    check(!entries.empty() && entries[0].text == "<none>" && entries[0].data == 0,
          "\"<none>\" comes first");
    std::size_t next = 1;
    for (const std::string& line : lines) {
        if (line.empty() || next == entries.size()) break;
        const std::optional<std::int32_t> id = entryId(line, entries[next].text);
        if (id && *id == entries[next].data) ++next;
    }
    check(next == entries.size(), "the entries come in order from the lines before an empty one");
    check(selected >= 0 && selected < static_cast<int>(entries.size()), "an entry is selected");
    if (selected > 0) {
        check(entries[static_cast<std::size_t>(selected)].data == preselect,
              "the selected entry has the preselected id");
        for (std::size_t i = static_cast<std::size_t>(selected) + 1; i < entries.size(); ++i)
            check(entries[i].data != preselect, "the last entry of the id is selected");
    } else {
        for (std::size_t i = 1; i < entries.size(); ++i)
            check(entries[i].data != preselect, "an entry of the preselected id is selected");
    }
    return 0;
}
