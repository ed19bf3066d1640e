#pragma once
// The question asked before anything is removed.

#include <string>

namespace kv::installer::uninstall {

// A Yes/No box with the question icon and no owner: the caption, and the text framed by two
// line breaks on each side with its escapes expanded; right-aligned right-to-left reading
// for character sets 177 and 178. Pumps one message afterwards. True when the answer is Yes.
bool ConfirmUninstall(const std::string& caption, const std::string& text, int charset);

} // namespace kv::installer::uninstall
