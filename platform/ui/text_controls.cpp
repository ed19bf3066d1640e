#include "platform/ui/text_controls.h"

#include <algorithm>

namespace kv::ui {

void Label::setAlignment(Alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    changed(Property::Alignment);
}

void Label::setBorderStyle(BorderStyle style) {
    if (style == border_) return;
    border_ = style;
    changed(Property::BorderStyle);
}

TextBox::TextBox(Form& form, std::string name, int index) : Control(form, std::move(name), index) {
    initBackColor(kWindowBackground);
}

void TextBox::setText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
    selLength_ = 0;
    changed(Property::Text);
    raise(onChange);
}

void TextBox::setMaxLength(int length) {
    if (length < 0 || length == maxLength_) return;
    maxLength_ = length;
    changed(Property::MaxLength);
}

void TextBox::setPasswordChar(char c) {
    if (c == passwordChar_) return;
    passwordChar_ = c;
    changed(Property::PasswordChar);
}

void TextBox::setLocked(bool on) {
    if (on == locked_) return;
    locked_ = on;
    changed(Property::Locked);
}

void TextBox::setMultiLine(bool on) {
    if (on == multiLine_) return;
    multiLine_ = on;
    changed(Property::MultiLine);
}

void TextBox::setAlignment(Alignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    changed(Property::Alignment);
}

bool TextBox::setCaretHidden(bool hidden) {
    if (!hasFocus()) return false;
    if (hidden != caretHidden_) {
        caretHidden_ = hidden;
        changed(Property::Caret);
    }
    return true;
}

void TextBox::focusLeft() {
    // The caret goes with the focus; the next one shows.
    if (!caretHidden_) return;
    caretHidden_ = false;
    changed(Property::Caret);
}

void TextBox::select(int start, int length) {
    int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
    changed(Property::Text);
}

} // namespace kv::ui
