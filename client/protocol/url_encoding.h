#pragma once
// URL encoding of field values: letters and digits stay, everything else becomes "%XX".

#include <string>
#include <string_view>

namespace kv::protocol {

// Letters and digits copied; a space becomes "+" (PlusForSpace) or "%20"; every other
// character becomes "%" and its code in two upper-case hexadecimal digits.
std::string urlEncode(std::string_view Text, bool PlusForSpace);
// "+" becomes a space; "%" and the two characters after it become the character whose code
// the leading hexadecimal digits of those two give (none: code 0). Other text is copied.
// A "%" with fewer than two characters after it is copied as it stands.
std::string urlDecode(std::string_view Text);

} // namespace kv::protocol
