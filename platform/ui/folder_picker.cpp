#include "platform/ui/folder_picker.h"

#include "platform/ui/application.h"
#include "platform/ui/backend.h"
#include "platform/ui/design.h"

#include <memory>
#include <optional>

namespace kv::ui {

FolderPickerForm::FolderPickerForm() : Form("FolderPicker", Units::Pixels) {
    applyDesign({
        {.widget = this, .caption = "Browse for Folder", .geometry = {0, 0, 320, 156}},
        {.widget = &TitleLabel, .geometry = {12, 12, 296, 32}, .state = kWordWrap},
        {.widget = &RootLabel, .geometry = {12, 48, 296, 16}},
        {.widget = &PathEdit, .geometry = {12, 70, 296, 21}},
        {.widget = &OkButton,
         .caption = "OK",
         .geometry = {140, 112, 80, 24},
         .state = kDefaultButton},
        {.widget = &CancelButton,
         .caption = "Cancel",
         .geometry = {228, 112, 80, 24},
         .state = kCancelButton},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    OkButton.onClick = [this] {
        chosen_ = true;
        hide();
    };
    CancelButton.onClick = [this] { hide(); };
}

std::string pickFolder(Form* owner, const std::string& title, const std::string& root,
                       const std::string& start, const FolderPaths& paths) {
    if (paths.toHost && paths.fromHost)
        if (const std::optional<std::string> host =
                app().backend().pickFolder(owner, title, paths.toHost(start)))
            return host->empty() ? std::string() : paths.fromHost(*host);
    auto& form = static_cast<FolderPickerForm&>(app().load(std::make_unique<FolderPickerForm>()));
    form.TitleLabel.setCaption(title);
    form.RootLabel.setCaption(root);
    form.PathEdit.setText(start);
    form.show(ShowMode::Modal, owner);
    std::string folder = form.chosen() ? form.PathEdit.text() : std::string();
    form.unload();
    return folder;
}

} // namespace kv::ui
