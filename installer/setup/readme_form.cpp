#include "installer/setup/readme_form.h"

#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"
#include "platform/ui/design.h"

namespace kv::installer {

bool ReadsRightToLeft(std::string_view text) {
    int latin = 0;
    int other = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) ++latin;
        if (byte >= 224 && byte <= 250) ++other;
    }
    return latin < other;
}

void LoadTextFile(ui::RichTextBox& box, std::string_view fileName, int charset) {
    const std::string name = fs::fileNamePart(fileName);
    const std::optional<std::string> content =
        name.empty() ? std::nullopt : fs::readFile(GetExeDir(true) + name);
    if (!content)
        box.setText("");
    else if (name.size() >= 4 &&
             text::equalsNoCase(std::string_view(name).substr(name.size() - 4), ".txt"))
        box.setText(*content);
    else
        box.setRichText(*content);
    box.setLocked(true);
    box.setBackColor(ui::kWindowBackground);
    if (IsRightToLeftCharset(charset)) box.setRightToLeft(ReadsRightToLeft(box.text()));
}

TReadmeForm::TReadmeForm() : ui::Form("ReadmeForm", ui::Units::Pixels) {
    using namespace ui;
    applyDesign({
        {.widget = this, .caption = "Readme", .geometry = {0, 0, 560, 420}},
        {.widget = &RichEdit1, .geometry = {0, 0, 552, 393}},
    });
    setBorderStyle(BorderStyle::FixedDialog);
}

} // namespace kv::installer
