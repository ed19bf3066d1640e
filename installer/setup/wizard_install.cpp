// The wizard's side of the install sequence: its start from the copy timer and what the
// copy step shows on the copy page.

#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"

namespace kv::installer {

// The sequence's steps (folders, stages 2 and 3, the uninstall data, the copy and the
// system operations) come between marking and clearing the copy; until they do, the wizard
// moves on as a finished sequence does.
void TSDialogForm::Install() {
    copying_ = true;
    if (script_.Flag(ScriptFlag::SilentSetup))
        AbortSetup(); // takes effect through the stop timer once copying is cleared
    else
        NextButtonClick();
    copying_ = false;
}

void TSDialogForm::StepCopyBar() {
    CopyBar.setValue(CopyBar.value() + 1);
}

void TSDialogForm::ShowCopyFile(const std::string& fileName, const std::string& folder) {
    CopyFileLabel.setCaption(fileName);
    CopyFolderLabel.setCaption(folder);
}

} // namespace kv::installer
