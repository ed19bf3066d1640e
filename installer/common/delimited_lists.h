#pragma once
// Delimited lists: a text whose first character is its delimiter, each item closed by the
// next delimiter ("|a|b|" holds a and b). Items never contain their level's delimiter.

#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

// Number of delimiters after the first character; 0 for an empty text.
int ListCount(std::string_view list);
// Item `index` (0-based) as it stands; empty when the index is outside the list.
std::string ListItem(std::string_view list, int index);
// Every item in order, in one pass (text after the last delimiter is not an item).
std::vector<std::string_view> ListItems(std::string_view list);
// Replaces item `index`, growing the list with empty items when needed; an empty list
// becomes a "|"-delimited one.
void SetListItem(std::string& list, int index, std::string_view text);
// Index of the first item equal to `text` without regard to case, after trimming blanks
// off the whole list and off `text`; -1 when absent or either is empty.
int ListIndexOf(std::string_view list, std::string_view text);

} // namespace kv::installer
