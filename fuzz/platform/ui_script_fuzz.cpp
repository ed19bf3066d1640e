// UI scripts: any text is parsed without a crash or is refused with the line at fault;
// parsing it twice gives the same script, and loading it installs a script exactly when
// it parses.

#include "fuzz/driver/fuzz_support.h"
#include "platform/ui/script/internal/script.h"
#include "platform/ui/script/ui_script.h"

namespace {

using kv::fuzz::check;
namespace si = kv::ui::script::internal;

bool sameActions(const std::vector<si::Action>& a, const std::vector<si::Action>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].line != b[i].line || a[i].verb != b[i].verb || a[i].args != b[i].args)
            return false;
    return true;
}

bool sameBlocks(const std::vector<si::Block>& a, const std::vector<si::Block>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].line != b[i].line || a[i].form != b[i].form ||
            !sameActions(a[i].actions, b[i].actions))
            return false;
    return true;
}

bool same(const si::Script& a, const si::Script& b) {
    if (!sameBlocks(a.modal, b.modal) || !sameBlocks(a.idle, b.idle) ||
        a.boxes.size() != b.boxes.size() || a.popups.size() != b.popups.size())
        return false;
    for (std::size_t i = 0; i < a.boxes.size(); ++i) {
        const auto& x = a.boxes[i].expected;
        const auto& y = b.boxes[i].expected;
        if (a.boxes[i].line != b.boxes[i].line || x.caption != y.caption || x.text != y.text ||
            x.plainText != y.plainText || x.style != y.style || x.answer != y.answer ||
            x.after != y.after)
            return false;
    }
    for (std::size_t i = 0; i < a.popups.size(); ++i)
        if (a.popups[i].line != b.popups[i].line || a.popups[i].form != b.popups[i].form ||
            a.popups[i].menu != b.popups[i].menu || a.popups[i].item != b.popups[i].item)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kv::fuzz::asText(data, size);
    std::string error;
    const std::optional<si::Script> first = si::parse(text, error);
    check(first.has_value() || error.rfind("line ", 0) == 0, "a refusal names its line");
    std::string errorAgain;
    const std::optional<si::Script> second = si::parse(text, errorAgain);
    check(first.has_value() == second.has_value() && error == errorAgain &&
              (!first || same(*first, *second)),
          "parsing a script twice gives the same script");
    std::string loadError;
    check(kv::ui::script::loadText(text, &loadError) == first.has_value(),
          "a script loads exactly when it parses");
    check(kv::ui::script::active() == first.has_value(), "a loaded script is installed");
    kv::ui::script::resetForTests();
    return 0;
}
