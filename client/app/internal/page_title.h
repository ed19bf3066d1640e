#pragma once
// The title of a fetched page, read apart from the fetching.

#include <string>

namespace kv::app::internal {

// The text of the page's title element; tag names are read in any case, and the opening
// tag may carry attributes. Empty when the page has no whole title element.
std::string pageTitle(const std::string& html);

} // namespace kv::app::internal
