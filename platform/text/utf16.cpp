#include "platform/text/utf16.h"

#include <cstdint>

namespace kv::text {
namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes well-formed UTF-8 (as toUtf8 produces it) into code points.
std::u32string codePointsOf(std::string_view utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int extra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : -1;
        if (extra < 0 || i + extra >= utf8.size()) {
            out += U'?';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? b : (b & (0x3F >> extra));
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out += c;
        i += extra + 1;
    }
    return out;
}

} // namespace

std::u16string toUtf16(std::string_view ansi, int codePage) {
    std::u16string out;
    for (char32_t c : codePointsOf(toUtf8(ansi, codePage))) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view utf16, int codePage) {
    std::string utf8;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = U'?';
        }
        appendUtf8(utf8, c);
    }
    return fromUtf8(utf8, codePage);
}

std::string utf16LeBytes(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size() * 2);
    for (char16_t u : utf16) {
        out += char(u & 0xFF);
        out += char(u >> 8);
    }
    return out;
}

std::u16string fromUtf16LeBytes(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        out += char16_t(static_cast<unsigned char>(bytes[i]) |
                        (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return out;
}

} // namespace kv::text
