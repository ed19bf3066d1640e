#include "platform/ui/rich_text.h"

#include "platform/ui/control_properties.h"
#include "platform/ui/form.h"

#include <algorithm>
#include <cctype>

namespace kv::ui {
namespace {

// Groups whose text is not shown: tables, pictures, styles, ignorable destinations.
bool hiddenDestination(std::string_view word) {
    for (std::string_view d : {"fonttbl", "colortbl", "stylesheet", "info", "pict", "header",
                               "footer", "listtable", "listoverridetable", "generator"})
        if (word == d) return true;
    return false;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

struct Parsed {
    std::string text;
    std::vector<TextRun> bold;
};

// Reads the text and bold runs of rich text: control words \b, \b0, \par, \line, \tab,
// \'hh, escaped braces and backslashes; everything else is skipped.
Parsed parseRichText(std::string_view rtf) {
    Parsed out;
    struct State {
        bool bold = false;
        bool hidden = false;
    };
    std::vector<State> stack{State{}};
    int boldStart = -1;
    auto emit = [&](std::string_view s) {
        if (stack.back().hidden) return;
        bool bold = stack.back().bold;
        if (bold && boldStart < 0) boldStart = static_cast<int>(out.text.size());
        if (!bold && boldStart >= 0) {
            out.bold.push_back({boldStart, static_cast<int>(out.text.size()) - boldStart});
            boldStart = -1;
        }
        out.text += s;
    };
    bool groupStart = false;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        char c = rtf[i];
        if (c == '{') {
            stack.push_back(stack.back());
            groupStart = true;
            continue;
        }
        if (c == '}') {
            if (stack.size() > 1) stack.pop_back();
            groupStart = false;
            continue;
        }
        bool first = std::exchange(groupStart, false);
        if (c == '\r' || c == '\n') continue;
        if (c != '\\') {
            emit(std::string_view(&rtf[i], 1));
            continue;
        }
        if (++i >= rtf.size()) break;
        c = rtf[i];
        if (c == '\\' || c == '{' || c == '}') {
            emit(std::string_view(&rtf[i], 1));
            continue;
        }
        if (c == '*') {
            if (first) stack.back().hidden = true;
            continue;
        }
        if (c == '\'') {
            if (i + 2 < rtf.size() && hexValue(rtf[i + 1]) >= 0 && hexValue(rtf[i + 2]) >= 0) {
                char ch = static_cast<char>(hexValue(rtf[i + 1]) * 16 + hexValue(rtf[i + 2]));
                emit(std::string_view(&ch, 1));
                i += 2;
            }
            continue;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) continue; // \~, \-, ...
        std::size_t b = i;
        while (i < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[i])))
            ++i;
        std::string_view word = rtf.substr(b, i - b);
        std::size_t p = i;
        if (i < rtf.size() && (rtf[i] == '-' || std::isdigit(static_cast<unsigned char>(rtf[i]))))
            ++i;
        while (i < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[i])))
            ++i;
        std::string_view param = rtf.substr(p, i - p);
        if (i >= rtf.size() || rtf[i] != ' ') --i; // a blank ends the word and is eaten
        if (first && hiddenDestination(word)) stack.back().hidden = true;
        if (word == "b") stack.back().bold = param != "0";
        if (word == "plain") stack.back().bold = false;
        if (word == "par" || word == "line") emit("\r\n");
        if (word == "tab") emit("\t");
    }
    if (boldStart >= 0)
        out.bold.push_back({boldStart, static_cast<int>(out.text.size()) - boldStart});
    std::erase_if(out.bold, [](const TextRun& r) { return r.length <= 0; });
    return out;
}

} // namespace

RichTextBox::RichTextBox(Form& form, std::string name, int index)
    : Control(form, std::move(name), index) {
    initBackColor(kWindowBackground);
}

void RichTextBox::setText(std::string text) {
    bool same = text == text_ && bold_.empty();
    text_ = std::move(text);
    bold_.clear();
    if (same) return;
    changed(Property::Text);
    raise(onChange);
}

void RichTextBox::setRichText(std::string_view rtf) {
    Parsed p = parseRichText(rtf);
    text_ = std::move(p.text);
    bold_ = std::move(p.bold);
    changed(Property::Text);
    raise(onChange);
}

void RichTextBox::setBold(int start, int length) {
    int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0) return;
    bold_.push_back({start, length});
    std::sort(bold_.begin(), bold_.end(),
              [](const TextRun& a, const TextRun& b) { return a.start < b.start; });
    changed(Property::Font);
}

void RichTextBox::setLocked(bool on) {
    if (on == locked_) return;
    locked_ = on;
    changed(Property::Locked);
}

void RichTextBox::setBorderStyle(BorderStyle style) {
    if (style == border_) return;
    border_ = style;
    changed(Property::Style);
}

RichTextBox& RichTextBox::replaceWithNew(bool rightToLeft) {
    // Copy first: the form frees this box's state only later, but keep the order plain.
    std::string text = text_;
    std::vector<TextRun> bold = bold_;
    bool locked = locked_;
    BorderStyle border = border_;
    RichTextBox& box = form()->replace<RichTextBox>(*this);
    box.text_ = std::move(text);
    box.bold_ = std::move(bold);
    box.locked_ = locked;
    box.border_ = border;
    box.carryOver(*this, rightToLeft);
    box.changed(Property::Text);
    return box;
}

} // namespace kv::ui
