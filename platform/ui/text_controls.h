#pragma once
// Labels and text boxes.

#include "platform/ui/control.h"

namespace kv::ui {

class Label : public Control {
public:
    Label(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "Label"; }
    bool canFocus() const override { return false; }
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on) { wordWrap_ = on; }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    // Transparent background (the form's drawing shows through).
    bool transparent() const { return transparent_; }
    void setTransparent(bool on) { transparent_ = on; }
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);

private:
    Alignment alignment_ = Alignment::Left;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    bool transparent_ = false;
    BorderStyle border_ = BorderStyle::None;
};

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, int index);
    std::string_view kind() const override { return "TextBox"; }
    const std::string& text() const { return text_; }
    // Sets the text and raises the change event when it differs. The maximum length
    // limits only what the user types, as on the platform.
    void setText(std::string text);
    // Most characters the user may type; 0 for no limit.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);
    // Character shown in place of each typed one ('\0' for none).
    char passwordChar() const { return passwordChar_; }
    void setPasswordChar(char c);
    // Read-only: the user cannot change the text.
    bool locked() const { return locked_; }
    void setLocked(bool on);
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);
    // The selection (start, length in characters).
    int selStart() const { return selStart_; }
    int selLength() const { return selLength_; }
    void select(int start, int length);
    // The caret (the text cursor) shows while the box has the focus, unless hidden. Hidden,
    // it stays so until shown again or until the focus leaves the box: the next time the box
    // takes the focus its caret shows.
    bool caretVisible() const { return hasFocus() && !caretHidden_; }
    bool caretHidden() const { return caretHidden_; }
    // Hides or shows the caret; false (and nothing changes) when the box has not the focus.
    bool setCaretHidden(bool hidden);

    std::function<void()> onChange;

private:
    void focusLeft() override;
    bool caretHidden_ = false;
    std::string text_;
    int maxLength_ = 0;
    char passwordChar_ = '\0';
    bool locked_ = false;
    bool multiLine_ = false;
    Alignment alignment_ = Alignment::Left;
    int selStart_ = 0;
    int selLength_ = 0;
};

} // namespace kv::ui
