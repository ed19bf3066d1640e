#pragma once
// Reads the properties of forms, controls and their elements as texts, as the window model
// holds them: what UI scripts compare and dump. Property names are the model's own
// ("caption", "listIndex", "locationURL"...), matched without regard to case. Values read
// as "true"/"false", decimal numbers, or words for the window state ("normal",
// "minimized", "maximized") and sort order ("ascending", "descending").

#include "platform/ui/control.h"
#include "platform/ui/form.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::ui::script {

// An element of a control: `kind` is "row" or "column" (list view), "node" (tree view),
// "button" (toolbar), "panel" (status bar) or "tab" (tab strip); `which` names it: "#n"
// (rows, columns and nodes from 0; buttons, panels and tabs from 1), a bare number for
// columns, panels and tabs, a row's text, a node's or a button's key.
struct Element {
    std::string kind;
    std::string which;
};

// The text of `property` of a form or control, or of one of its elements. nullopt, with
// `error` saying why, when it has no such property or the element does not exist.
std::optional<std::string> readProperty(const Widget& widget, std::string_view property,
                                        std::string& error, const Element* element = nullptr);

// The names of the properties a form or control has (not those of its elements), in a
// fixed order: the common ones first, then those of its kind.
std::vector<std::string> propertyNames(const Widget& widget);

} // namespace kv::ui::script
