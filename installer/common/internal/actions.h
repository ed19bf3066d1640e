#pragma once
// The action words of the operation records.

#include "platform/text/ansi.h"

#include <string_view>

namespace kv::installer::internal {

enum class Action { None, Create, Remove };

// "Create" or "Remove" without regard to case; anything else does nothing.
inline Action actionOf(std::string_view word) {
    if (text::equalsNoCase(word, "Create")) return Action::Create;
    if (text::equalsNoCase(word, "Remove")) return Action::Remove;
    return Action::None;
}

} // namespace kv::installer::internal
