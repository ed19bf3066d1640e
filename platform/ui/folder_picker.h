#pragma once
// The folder picker: a modal window that asks for a folder, starting at a path. The window
// is a plain form ("FolderPicker") with the path edit, OK and Cancel, so a UI script or a
// test fills it as the user would; real windows use the toolkit's own picker.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/text_controls.h"

#include <functional>
#include <string>

namespace kv::ui {

class FolderPickerForm : public Form {
public:
    FolderPickerForm();

    Label& TitleLabel = add<Label>("TitleLabel");
    Label& RootLabel = add<Label>("RootLabel"); // the top of the folders offered
    TextBox& PathEdit = add<TextBox>("PathEdit");
    CommandButton& OkButton = add<CommandButton>("OkButton");
    CommandButton& CancelButton = add<CommandButton>("CancelButton");

    // Whether OK closed the window.
    bool chosen() const { return chosen_; }

private:
    bool chosen_ = false;
};

// How a toolkit's own picker, which shows the host's folders, maps them to the program's
// paths and back (host paths in UTF-8).
struct FolderPaths {
    std::function<std::string(const std::string&)> toHost;
    std::function<std::string(const std::string&)> fromHost;
};

// Shows the picker modally over the owner, titled `title`, its top `root`, at `start`;
// the chosen folder, or empty when the user cancelled or chose nothing. With `paths`, a
// backend with a picker of its own (real windows) asks through it instead.
std::string pickFolder(Form* owner, const std::string& title, const std::string& root,
                       const std::string& start, const FolderPaths& paths = {});

} // namespace kv::ui
