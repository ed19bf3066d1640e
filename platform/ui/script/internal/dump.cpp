#include "platform/ui/script/internal/actions.h"
#include "platform/ui/script/internal/quote.h"
#include "platform/ui/script/property_reader.h"

#include <algorithm>

namespace kv::ui::script::internal {
namespace {

// What a dump shows of a widget, in this order, where the widget has the property; a
// check box's or option button's value says all its "checked" would.
constexpr std::string_view kShown[] = {"caption",   "text",          "value",   "checked",
                                       "listIndex", "selectedIndex", "visible", "enabled",
                                       "font",      "boldRuns"};

std::string describe(const Widget& w) {
    const std::vector<std::string> names = propertyNames(w);
    auto has = [&](std::string_view n) {
        return std::find(names.begin(), names.end(), n) != names.end();
    };
    std::string out;
    for (std::string_view name : kShown) {
        if (!has(name) || (name == "checked" && has("value"))) continue;
        std::string error;
        const std::optional<std::string> value = readProperty(w, name, error);
        if (!value) continue;
        out += (out.empty() ? " " : ", ") + std::string(name) + " " + quoted(*value);
    }
    return out;
}

} // namespace

std::vector<std::string> dump(const Form& form) {
    std::vector<std::string> lines{"dump " + form.name() + ":" + describe(form)};
    for (const Control* c : form.controls())
        lines.push_back("dump " + form.name() + "." + c->displayName() + " " +
                        std::string(c->kind()) + ":" + describe(*c));
    return lines;
}

} // namespace kv::ui::script::internal
