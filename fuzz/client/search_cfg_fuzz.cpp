// The options dialog's search.cfg: any file loads the dialog without a crash, the same way
// twice, with at most one box (the missing-data or the corrupt-file box). Every search
// list holds only texts of the file's lines, and each shows its stored selection (none
// stored: 0) on the last entry of that number, or nothing when no entry has it.
//
// Input: the file's bytes, written to the current folder as search.cfg.

#include "client/app/frm_options.h"
#include "fuzz/driver/fuzz_support.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/message_box.h"

#include <array>

namespace {

using kv::fuzz::check;
using kv::ui::ListEntry;

std::array<const kv::ui::ComboBox*, 7> searchLists(const kv::app::frmOptions& d) {
    return {&d.cboCategory0,   &d.cboSortProperty, &d.cboMaxRecordsPerPage, &d.cboRegion,
            &d.cboAvailableTo, &d.cboLocatedIn,    &d.cboCurrency};
}

struct Loaded {
    std::array<std::vector<ListEntry>, 7> entries;
    std::array<int, 7> selected{};
    std::vector<kv::ui::headless::Record> boxes;
};

Loaded load() {
    kv::ui::headless::HeadlessBackend& backend = kv::ui::headless::install();
    backend.answerUnlistedBoxes(kv::ui::id::Ok);
    Loaded out;
    kv::app::frmOptions& d = kv::ui::app().form<kv::app::frmOptions>();
    const auto lists = searchLists(d);
    for (std::size_t i = 0; i < lists.size(); ++i) {
        out.entries[i] = lists[i]->entries();
        out.selected[i] = lists[i]->listIndex();
    }
    out.boxes = backend.boxes();
    d.unload();
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view text = kv::fuzz::asText(data, size);
    static const bool ready =
        kv::fs::createFolders("C:\\Kestrovane") && kv::fs::setCurrentFolder("C:\\Kestrovane");
    check(ready, "the program's folder is current");
    check(kv::fs::writeFile("C:\\Kestrovane\\search.cfg", std::string(text)),
          "search.cfg is written");

    const Loaded first = load();
    const Loaded second = load();
    check(first.entries == second.entries && first.selected == second.selected,
          "the file loads the same twice");
    check(first.boxes.size() <= 1, "at most one box");
    for (const kv::ui::headless::Record& box : first.boxes)
        check(box.text == "Missing config data. Please re-install Kestrovane." ||
                  box.text == "The configuration data in search.cfg is invalid: the file is "
                              "corrupt. Please re-install Kestrovane.",
              "the box is the missing-data or the corrupt-file box");
    for (std::size_t i = 0; i < first.entries.size(); ++i) {
        const std::vector<ListEntry>& entries = first.entries[i];
        int last = -1;
        for (std::size_t e = 0; e < entries.size(); ++e) {
            check(entries[e].text.find('\n') == std::string::npos &&
                      text.find(entries[e].text) != std::string_view::npos,
                  "an entry's text comes from one line of the file");
            if (entries[e].data == 0) last = static_cast<int>(e);
        }
        check(first.selected[i] == last, "the last entry of the stored number is selected");
    }
    return 0;
}
