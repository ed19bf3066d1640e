#pragma once
// Change notices of the list, tree, menu, bar, tab, rich-text and browser controls, numbered
// from Property::FirstExtension.

#include "platform/ui/property.h"

namespace kv::ui::prop {

constexpr Property extension(int n) {
    return static_cast<Property>(static_cast<int>(Property::FirstExtension) + n);
}
constexpr Property Columns = extension(1);   // list view columns (titles, widths, icons)
constexpr Property Rows = extension(2);      // list view rows and cells, tree nodes
constexpr Property Selection = extension(3); // selected row, node or tab
constexpr Property Checks = extension(4);    // row check marks, menu check marks
constexpr Property Sorting = extension(5);   // list view sort key, order, on or off
constexpr Property Redraw = extension(6);    // list view drawing turned on or off
constexpr Property View = extension(7);      // list view mode, check boxes
constexpr Property Expansion = extension(8); // tree nodes expanded or collapsed
constexpr Property Buttons = extension(9);   // toolbar buttons, status panels, tabs
constexpr Property Shortcut = extension(10); // menu shortcut
constexpr Property Document = extension(11); // browser document loaded or changed
constexpr Property Images = extension(12);   // image list pictures
constexpr Property Navigate = extension(13); // browser asked to navigate (navigations())
constexpr Property Command = extension(14);  // browser ran a command (executed())

} // namespace kv::ui::prop
