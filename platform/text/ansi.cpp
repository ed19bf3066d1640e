#include "platform/text/ansi.h"

#include "platform/text/code_page_tables.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>

namespace kv::text {
namespace {

using internal::CasePair;

std::atomic<int> g_codePage{1252};

struct CodePageData {
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
};

CodePageData build(const std::array<char16_t, 128>& high, std::span<const CasePair> upperPairs,
                   std::span<const CasePair> lowerPairs) {
    CodePageData d;
    for (int b = 0; b < 256; ++b) {
        d.toUnicode[b] = static_cast<char16_t>(b);
        d.upper[b] = static_cast<unsigned char>(b);
        d.lower[b] = static_cast<unsigned char>(b);
    }
    for (int b = 0x80; b < 0x100; ++b) {
        char16_t u = high[b - 0x80];
        if (u != 0) d.toUnicode[b] = u;
    }
    for (int b = 'a'; b <= 'z'; ++b) {
        d.upper[b] = static_cast<unsigned char>(b - 32);
        d.lower[b - 32] = static_cast<unsigned char>(b);
    }
    for (const CasePair& p : upperPairs)
        if (p.from != 0) d.upper[p.from] = p.to;
    for (const CasePair& p : lowerPairs)
        if (p.from != 0) d.lower[p.from] = p.to;
    return d;
}

const CodePageData& data(int codePage) {
    static const CodePageData cp1252 =
        build(internal::kCp1252, internal::kUpper1252, internal::kLower1252);
    static const CodePageData cp1255 =
        build(internal::kCp1255, internal::kUpper1255, internal::kLower1255);
    static const CodePageData cp1256 =
        build(internal::kCp1256, internal::kUpper1256, internal::kLower1256);
    switch (codePage) {
    case 1255:
        return cp1255;
    case 1256:
        return cp1256;
    default:
        return cp1252;
    }
}

void appendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (u >> 18));
        out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns the code point, or -1 for a malformed one,
// and advances i past what it consumed (at least one byte).
long decodeUtf8(std::string_view s, std::size_t& i) {
    auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int extra = 0;
    char32_t u = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        u = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        u = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        u = b0 & 0x07;
    } else {
        return -1;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size()) return -1;
        auto b = static_cast<unsigned char>(s[i]);
        if ((b & 0xC0) != 0x80) return -1;
        u = (u << 6) | (b & 0x3F);
        ++i;
    }
    return static_cast<long>(u);
}

} // namespace

int activeCodePage() {
    return g_codePage.load();
}

void setActiveCodePage(int codePage) {
    g_codePage.store(isKnownCodePage(codePage) ? codePage : 1252);
}

void resetForTests() {
    setActiveCodePage(1252);
}

int codePageForCharset(int charset) {
    switch (charset) {
    case 177:
        return 1255;
    case 178:
        return 1256;
    default:
        return 1252;
    }
}

bool isKnownCodePage(int codePage) {
    return codePage == 1252 || codePage == 1255 || codePage == 1256;
}

std::string toUtf8(std::string_view ansi, int codePage) {
    const CodePageData& d = data(codePage);
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi)
        appendUtf8(out, d.toUnicode[static_cast<unsigned char>(c)]);
    return out;
}

std::string fromUtf8(std::string_view utf8, int codePage) {
    const CodePageData& d = data(codePage);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        long u = decodeUtf8(utf8, i);
        if (u >= 0 && u < 0x80) {
            out += static_cast<char>(u);
            continue;
        }
        char mapped = '?';
        if (u >= 0)
            for (int b = 0x80; b < 0x100; ++b)
                if (d.toUnicode[b] == static_cast<char32_t>(u)) {
                    mapped = static_cast<char>(b);
                    break;
                }
        out += mapped;
    }
    return out;
}

char toUpper(char c, int codePage) {
    return static_cast<char>(data(codePage).upper[static_cast<unsigned char>(c)]);
}

char toLower(char c, int codePage) {
    return static_cast<char>(data(codePage).lower[static_cast<unsigned char>(c)]);
}

std::string toUpper(std::string_view s, int codePage) {
    const CodePageData& d = data(codePage);
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(d.upper[static_cast<unsigned char>(c)]);
    return out;
}

std::string toLower(std::string_view s, int codePage) {
    const CodePageData& d = data(codePage);
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(d.lower[static_cast<unsigned char>(c)]);
    return out;
}

std::string_view trimBlanksRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return trimBlanksRight(s);
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

int compareNoCase(std::string_view a, std::string_view b, int codePage) {
    const CodePageData& d = data(codePage);
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        int x = d.upper[static_cast<unsigned char>(a[i])];
        int y = d.upper[static_cast<unsigned char>(b[i])];
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::string_view a, std::string_view b, int codePage) {
    return a.size() == b.size() && compareNoCase(a, b, codePage) == 0;
}

} // namespace kv::text
