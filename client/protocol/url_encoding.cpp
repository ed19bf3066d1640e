#include "client/protocol/url_encoding.h"

namespace kv::protocol {

namespace {

bool isAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The value of a hexadecimal digit, or -1.
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string urlEncode(std::string_view Text, bool PlusForSpace) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(Text.size() * 3);
    for (const char c : Text) {
        if (isAlphanumeric(c)) {
            out += c;
        } else if (c == ' ' && PlusForSpace) {
            out += '+';
        } else {
            const auto code = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[code >> 4];
            out += kHex[code & 15];
        }
    }
    return out;
}

std::string urlDecode(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    std::size_t n = 0;
    while (n < Text.size()) {
        const char c = Text[n];
        if (c == '+') {
            out += ' ';
            ++n;
        } else if (c == '%' && Text.size() - n >= 3) {
            // Leading hexadecimal digits of the two characters count; the first other
            // character ends the number.
            int code = 0;
            for (std::size_t k = n + 1; k < n + 3; ++k) {
                const int digit = hexDigit(Text[k]);
                if (digit < 0) break;
                code = code * 16 + digit;
            }
            out += static_cast<char>(code);
            n += 3;
        } else {
            out += c;
            ++n;
        }
    }
    return out;
}

} // namespace kv::protocol
