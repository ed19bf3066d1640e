#pragma once
// Rich-text boxes: a text with bold runs, loaded as plain text or as rich text, read-only
// or not, and replaceable by a new box in its place (to switch the reading order).

#include "platform/ui/control.h"

#include <vector>

namespace kv::ui {

// A bold run: start and length in characters of the plain text.
struct TextRun {
    int start = 0;
    int length = 0;
    bool operator==(const TextRun&) const = default;
};

class RichTextBox : public Control {
public:
    RichTextBox(Form& form, std::string name, int index);
    std::string_view kind() const override { return "RichTextBox"; }

    // The plain text. Setting it drops the bold runs and raises the change event.
    const std::string& text() const { return text_; }
    void setText(std::string text);
    // Loads rich text: its plain text (paragraphs end in CR LF) and its bold runs. Font,
    // colour and other formatting are dropped.
    void setRichText(std::string_view rtf);
    const std::vector<TextRun>& boldRuns() const { return bold_; }
    // Makes a range bold (clipped to the text); the same as selecting it and setting the
    // selection bold.
    void setBold(int start, int length);

    // Read-only: the user cannot change the text.
    bool locked() const { return locked_; }
    void setLocked(bool on);
    BorderStyle borderStyle() const { return border_; }
    void setBorderStyle(BorderStyle style);

    // Replaces this box by a new one in its place with the same text, bold runs, colours,
    // read-only state, border, tag and tool tip, reading right-to-left or not. This box is
    // gone afterwards: use the returned one.
    RichTextBox& replaceWithNew(bool rightToLeft);

    std::function<void()> onChange;

private:
    std::string text_;
    std::vector<TextRun> bold_;
    bool locked_ = false;
    BorderStyle border_ = BorderStyle::FixedSingle;
};

} // namespace kv::ui
