#pragma once
// TCopyBarForm: the small progress window shown instead of the wizard while files are
// copied, with Cancel, and the billboard it opens beside it.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/progress_bar.h"

#include <functional>
#include <string>
#include <vector>

namespace kv::installer {

class TBillboardForm;
class TScript;

class TCopyBarForm : public ui::Form {
public:
    // `entriesRunning` tells whether copy entries are running now.
    TCopyBarForm(TScript& script, std::function<bool()> entriesRunning);
    ~TCopyBarForm() override;

    ui::ProgressBar& CopyProgress = add<ui::ProgressBar>("CopyProgress");
    ui::CommandButton& CancelButton = add<ui::CommandButton>("CancelButton");

    // Opens the billboard with the settings list and its files (names in the setup folder),
    // owned by the bar, its Close button hidden.
    void ShowBillboard(const std::string& settings, std::vector<std::string> files);
    // The end of copying: waits for the billboard's Close when the settings ask so, frees
    // the billboard and hides the bar.
    void Finish();
    // Closes the billboard when it is open.
    void FreeBillboard();

    // Cancel answered "exit".
    bool Cancelled() const { return cancelled_; }
    // The billboard while it is open; nullptr once freed or closed.
    TBillboardForm* Billboard() const;

private:
    void Form_Activate();
    void Form_Unload();
    void CancelButton_Click();

    TScript& script_;
    std::function<bool()> entriesRunning_;
    TBillboardForm* billboard_ = nullptr;
    bool waitForClose_ = false;
    bool cancelled_ = false;
    bool firstShowDone_ = false;
};

} // namespace kv::installer
