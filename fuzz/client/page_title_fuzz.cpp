// A fetched page's title: any page gives a title without a crash, the same twice, that is
// a part of the page holding no closing title tag; the title in a title element of its own
// reads back as itself.
//
// Input: the page's bytes.

#include "client/app/internal/page_title.h"
#include "fuzz/driver/fuzz_support.h"

#include <cctype>

namespace {

using kv::app::internal::pageTitle;
using kv::fuzz::check;

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html(kv::fuzz::asText(data, size));
    const std::string title = pageTitle(html);
    check(pageTitle(html) == title, "the page gives the same title twice");
    if (title.empty()) return 0;
    check(html.find(title) != std::string::npos, "the title is a part of the page");
    check(lower(html).find("<title") != std::string::npos, "a title comes from a title element");
    check(lower(title).find("</title") == std::string::npos, "no closing tag in the title");
    check(pageTitle("<html><head><TITLE>" + title + "</title></head></html>") == title,
          "the title in an element of its own reads back");
    return 0;
}
