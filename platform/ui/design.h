#pragma once
// A form's design: one row per widget (the form itself included) with what the form's
// designer gave it, applied once by applyDesign in the form's constructor. Properties that
// only one kind has (a password character, a list view's mode) stay setter calls.

#include "platform/ui/types.h"

#include <initializer_list>

namespace kv::ui {

class Control;
class Widget;

// Initial states a design row can give, as bits; a bit its widget's kind has not is ignored.
enum DesignState : unsigned {
    kHidden = 1u << 0,        // not visible
    kDisabled = 1u << 1,      // not enabled
    kChecked = 1u << 2,       // a menu item, check box or option button checked
    kDefaultButton = 1u << 3, // the command button that answers Enter
    kCancelButton = 1u << 4,  // the command button that answers Escape
    kWordWrap = 1u << 5,      // a label that wraps its caption
};

struct Design {
    Widget* widget = nullptr;
    Control* parent = nullptr;      // its container: a frame, picture box or parent menu
    const char* caption = nullptr;  // none: no caption
    Rect geometry{};                // in the form's units; all zero: none
    const char* shortcut = nullptr; // a menu item's: "Ctrl+N", "F5"
    unsigned state = 0;             // DesignState bits
    const char* text = nullptr;     // the text a text or combo box starts with
};

// Applies the rows in order.
void applyDesign(std::initializer_list<Design> rows);

} // namespace kv::ui
