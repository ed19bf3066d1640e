#include "installer/common/text_utils.h"

#include "platform/text/ansi.h"

#include <algorithm>
#include <cstddef>

namespace kv::installer {
namespace {

// 1-based position of the first `needle` in `haystack`; 0 when absent or `needle` is empty.
int pos1(std::string_view needle, std::string_view haystack) {
    if (needle.empty()) return 0;
    std::size_t p = haystack.find(needle);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

// Replaces occurrences of `key` found in `working` by `newText`, in `result` and `working`
// alike (both have the same length at every step). After a replacement the search goes on
// where the inserted text may have formed a new occurrence with its neighbours, which gives
// the same result as searching again from the start, so "   " with "  " -> " " ends as " ".
// A replacement that is longer than `key` or equal to it could go on forever that way; the
// search then resumes after the inserted text.
std::string replaceRepeatedly(std::string result, std::string working, std::string_view key,
                              std::string_view newText) {
    if (key.empty()) return result;
    const bool cascade =
        newText.size() < key.size() || (newText.size() == key.size() && newText != key);
    std::size_t from = 0;
    for (;;) {
        const std::size_t pos = working.find(key, from);
        if (pos == std::string::npos) return result;
        result.replace(pos, key.size(), newText);
        working.replace(pos, key.size(), newText);
        if (cascade) {
            from = pos >= key.size() - 1 ? pos - (key.size() - 1) : 0;
        } else {
            from = pos + newText.size();
        }
    }
}

} // namespace

std::string StrBefore(std::string_view text, std::string_view separator) {
    const int p = pos1(separator, text);
    if (p == 0) return {};
    return std::string(text.substr(0, static_cast<std::size_t>(p - 1)));
}

std::string StrAfter(std::string_view text, std::string_view separator) {
    const int p = pos1(separator, text);
    if (p == 0) return std::string(text);
    return std::string(text.substr(static_cast<std::size_t>(p)));
}

std::string ReverseStr(std::string_view text) {
    return std::string(text.rbegin(), text.rend());
}

int LastPos(std::string_view substring, std::string_view text) {
    const int p = pos1(ReverseStr(substring), ReverseStr(text));
    if (p == 0) return 0;
    return static_cast<int>(text.size()) - static_cast<int>(substring.size()) - p + 2;
}

int LastPosText(std::string_view substring, std::string_view text) {
    return pos1(ReverseStr(text::toUpper(substring)), ReverseStr(text::toUpper(text)));
}

bool SameTextStr(std::string_view a, std::string_view b) {
    return text::equalsNoCase(a, b);
}

int PosText(std::string_view substring, std::string_view text) {
    return pos1(text::toUpper(substring), text::toUpper(text));
}

std::string PadZeros(std::string_view text, int width) {
    std::string result(text);
    if (width > static_cast<int>(result.size())) {
        result.insert(0, static_cast<std::size_t>(width) - result.size(), '0');
    }
    return result;
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText) {
    return replaceRepeatedly(std::string(text), std::string(text), oldText, newText);
}

std::string ReplaceAllText(std::string_view text, std::string_view oldText,
                           std::string_view newText) {
    // The working copy is upper-cased, but the replacement goes into it unchanged.
    return replaceRepeatedly(std::string(text), text::toUpper(text), text::toUpper(oldText),
                             newText);
}

std::string Spaces(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), ' ');
}

int MaxInt2(int a, int b) {
    return a > b ? a : b;
}

std::string BoolToText(bool flag) {
    return flag ? "TRUE" : "FALSE";
}

std::string BoolToDigit(bool flag) {
    return flag ? "1" : "0";
}

std::string CollapseBackslashes(std::string_view path) {
    std::string result;
    result.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        // From the second character on, a backslash that follows one is dropped.
        if (i >= 2 && path[i] == '\\' && result.back() == '\\') continue;
        result += path[i];
    }
    return result;
}

} // namespace kv::installer
