#pragma once
// Finding the forms and controls a script line names.

#include "platform/ui/form.h"

#include <optional>
#include <string>

namespace kv::ui::script::internal {

// "frmMain.lvListView", "frmMain.mnuWatchedItem(2)", or a bare name of a control on `form`
// (the form of a modal block; nullptr outside one). nullptr with `error` set when there is
// no such control.
Control* findControl(const std::string& address, Form* form, std::string& error);

// A control as findControl finds it, or else (a bare name) a loaded form of that name.
Widget* findWidget(const std::string& address, Form* form, std::string& error);

// A whole script number ("12", "-3", "0x10"); empty when `s` is anything more or less.
std::optional<int> integer(const std::string& s);

} // namespace kv::ui::script::internal
