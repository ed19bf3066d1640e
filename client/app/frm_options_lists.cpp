// frmOptions' search lists: getLists reads search.cfg from the current folder into them.

#include "client/app/frm_options.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "platform/fs/files.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::app {
namespace {

constexpr const char* kConfigFile = "search.cfg";
constexpr const char* kCorruptText = "The configuration data in search.cfg is invalid: the file "
                                     "is corrupt. Please re-install Kestrovane.";
constexpr const char* kMissingText = "Missing config data. Please re-install Kestrovane.";

// A list a section fills, with the selection stored for it.
struct Target {
    kv::ui::ComboBox* list;
    std::optional<std::int32_t> selection; // none: no entry matches
};

// The file's lines: each ends at CR LF (a lone LF too); a last line without an end counts.
std::vector<std::string_view> lines(std::string_view content) {
    std::vector<std::string_view> out;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back(line);
        if (end == std::string_view::npos) break;
        content.remove_prefix(end + 1);
    }
    return out;
}

} // namespace

void frmOptions::getLists() {
    struct Section {
        const char* name;
        kv::ui::ComboBox* first;
        const char* firstKey;
        kv::ui::ComboBox* second; // available_to_located_in fills two lists
        const char* secondKey;
    };
    const Section sections[] = {
        {"category0", &cboCategory0, "category0", nullptr, nullptr},
        {"SortProperty", &cboSortProperty, "SortProperty", nullptr, nullptr},
        {"maxRecordsPerPage", &cboMaxRecordsPerPage, "maxRecordsPerPage", nullptr, nullptr},
        {"region", &cboRegion, "region", nullptr, nullptr},
        {"available_to_located_in", &cboAvailableTo, "available_to", &cboLocatedIn, "located_in"},
        {"ebaycurr", &cboCurrency, "ebaycurr", nullptr, nullptr},
    };
    const std::optional<std::string> content = kv::fs::readFile(kConfigFile);
    if (!content) return; // no file: the lists stay empty
    std::vector<Target> targets;
    bool named = false;
    for (const std::string_view line : lines(*content)) {
        if (!line.empty() && line.front() == '[') {
            // The name is the line without its first and last character.
            const std::string name(line.size() >= 2 ? line.substr(1, line.size() - 2) : "");
            const Section* found = nullptr;
            for (const Section& s : sections)
                if (name == s.name) found = &s;
            if (!found) {
                kv::ui::app().messageBox(
                    {this, name, kCorruptText, kv::ui::mb::OkOnly | kv::ui::mb::IconError});
                return;
            }
            named = true;
            targets.clear();
            targets.push_back({found->first, toLong(getSetting(found->firstKey, "0"))});
            if (found->second)
                targets.push_back({found->second, toLong(getSetting(found->secondKey, "0"))});
            for (const Target& t : targets)
                t.list->clear();
            continue;
        }
        if (!named) {
            kv::ui::app().messageBox(
                {this, std::string(kProgramTitle), kMissingText, kv::ui::mb::OkOnly});
            return;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::optional<std::int32_t> value = toLong(line.substr(0, equals));
        if (!value) return; // a bad number ends the reading silently
        const std::string text(line.substr(equals + 1));
        for (const Target& t : targets) {
            t.list->addItem(text);
            t.list->setItemData(t.list->newIndex(), *value);
            if (t.selection == *value) t.list->setListIndex(t.list->newIndex());
        }
    }
}

} // namespace kv::app
