// The install script reader and its commands: any text is read without a crash, its
// lines come out trimmed and non-empty, and reading the same text twice gives the same
// settings, flags, lists and groups.

#include "fuzz/driver/fuzz_support.h"
#include "installer/setup/script.h"
#include "platform/ui/headless/headless.h"

namespace {

using kv::installer::ScriptFlag;
using kv::installer::ScriptList;
using kv::installer::ScriptText;
using kv::installer::TScript;

bool sameGroups(const TScript& a, const TScript& b) {
    if (a.Groups().size() != b.Groups().size()) return false;
    for (std::size_t i = 0; i < a.Groups().size(); ++i)
        if (a.Groups()[i].record != b.Groups()[i].record ||
            a.Groups()[i].entries != b.Groups()[i].entries)
            return false;
    return true;
}

bool sameResult(const TScript& a, const TScript& b) {
    for (int i = 0; i < static_cast<int>(ScriptText::Count); ++i)
        if (a.Text(ScriptText(i)) != b.Text(ScriptText(i))) return false;
    for (int i = 0; i < static_cast<int>(ScriptFlag::Count); ++i)
        if (a.Flag(ScriptFlag(i)) != b.Flag(ScriptFlag(i))) return false;
    for (int i = 0; i < static_cast<int>(ScriptList::Count); ++i)
        if (a.List(ScriptList(i)) != b.List(ScriptList(i))) return false;
    return a.Lines() == b.Lines() && sameGroups(a, b) && a.LangFlag() == b.LangFlag() &&
           a.OverwriteFlag() == b.OverwriteFlag() &&
           a.GlobalOverwriteFlag() == b.GlobalOverwriteFlag() && a.DialogDX() == b.DialogDX() &&
           a.DialogDY() == b.DialogDY() && a.BgBitmapDX() == b.BgBitmapDX() &&
           a.BgBitmapDY() == b.BgBitmapDY() && a.CopyToUninstall() == b.CopyToUninstall() &&
           a.SubDir() == b.SubDir() && a.SubDirPending() == b.SubDirPending() &&
           a.Pages() == b.Pages() && a.PageIndex() == b.PageIndex();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view text = kv::fuzz::asText(data, size);
    // Unknown commands show an error box each; a fresh backend per input keeps the record
    // of boxes from growing over the run.
    kv::ui::headless::install();
    TScript first;
    first.LoadFromText(text);
    for (const std::string& line : first.Lines())
        kv::fuzz::check(!line.empty() && static_cast<unsigned char>(line.front()) > ' ' &&
                            static_cast<unsigned char>(line.back()) > ' ' &&
                            line.find_first_of("\r\n") == std::string::npos,
                        "script lines are trimmed, non-empty single lines");
    kv::ui::headless::install();
    TScript second;
    second.LoadFromText(text);
    kv::fuzz::check(sameResult(first, second), "reading a script twice gives the same result");
    // A reset forgets everything the text set.
    second.Reset();
    kv::fuzz::check(sameResult(second, TScript()), "a reset script equals a new one");
    return 0;
}
