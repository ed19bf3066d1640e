#pragma once
// Texts in the lines a script run writes.

#include <string>

namespace kv::ui::script::internal {

// A text in double quotes, with `"` and `\` escaped and line breaks and tabs shown as
// escapes.
std::string quoted(const std::string& text);

} // namespace kv::ui::script::internal
