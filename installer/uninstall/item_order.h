#pragma once
// The order in which the removal handles the items of a list: longer paths (deeper folders
// and their files) first.

#include <string>
#include <vector>

namespace kv::installer::uninstall {

// The decimal text of a non-negative number left-padded with "0" to `width` characters; a
// wider number keeps all its digits.
std::string PadIntZeros(long long number, int width);

// The items in the order they are handled: each prefixed with its length in four digits,
// sorted as text without regard to case, then taken from the last to the first (so among
// equal lengths in reverse order of the text).
std::vector<std::string> RemovalOrder(const std::vector<std::string>& items);

} // namespace kv::installer::uninstall
