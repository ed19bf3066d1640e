#pragma once
// TReadmeForm: the window that shows the readme once the pages are done, and the loader of
// the licence and readme files that it shares with the wizard's pages.

#include "platform/ui/form.h"
#include "platform/ui/rich_text.h"

#include <string>
#include <string_view>

namespace kv::installer {

// Whether a file's text reads right to left under character sets 177 and 178: it holds
// fewer Latin letters (A to Z, a to z) than bytes from 224 to 250.
bool ReadsRightToLeft(std::string_view text);
// Loads the file of that name (its file-name part) from the setup folder into the box:
// plain text for ".txt" (any case), rich text otherwise; a file that cannot be read leaves
// the box empty. The box is read-only on the window colour; under character sets 177 and
// 178 it reads right to left when the text does (above), else left to right.
void LoadTextFile(ui::RichTextBox& box, std::string_view fileName, int charset);

class TReadmeForm : public ui::Form {
public:
    TReadmeForm();
    ui::RichTextBox& RichEdit1 = add<ui::RichTextBox>("RichEdit1");
};

} // namespace kv::installer
