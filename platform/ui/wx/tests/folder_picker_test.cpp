// The folder picker on real windows: the toolkit's own folder dialog, its answer mapped back
// to the program's path; Cancel gives nothing.

#include "platform/ui/design.h"
#include "platform/ui/folder_picker.h"
#include "platform/ui/wx/tests/wx_form_test.h"

#include <wx/timer.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

namespace kv::ui {
namespace {

struct Owner : Form {
    Owner() : Form("Owner", Units::Pixels) {
        applyDesign({{.widget = this, .caption = "Owner", .geometry = {0, 0, 200, 100}}});
    }
};

class WxFolderPicker : public testing::WxFormTest<Owner> {
protected:
    // Presses the key a second after the folder dialog opened: it runs its own loop, where
    // only the toolkit's timers tick, and the native dialog is no window the toolkit lists.
    void pressWhenShown(int key) {
        timer_ = std::make_unique<wxTimer>();
        timer_->Bind(wxEVT_TIMER, [this, key](wxTimerEvent&) { sim.Char(key); });
        timer_->StartOnce(1000);
    }
    std::unique_ptr<wxTimer> timer_; // made once the toolkit runs
};

TEST_F(WxFolderPicker, TheToolkitsDialogAnswersThroughThePathMapping) {
    const std::filesystem::path host =
        std::filesystem::temp_directory_path() / ("kv-picker-" + std::to_string(::getpid()));
    std::filesystem::create_directories(host);
    std::string asked;
    const FolderPaths paths{[&](const std::string& path) {
                                asked = path;
                                return host.string();
                            },
                            [&](const std::string& chosen) {
                                return "C:\\Mapped" +
                                       std::string(chosen == host.string() ? "" : "?");
                            }};
    pressWhenShown(WXK_ESCAPE);
    EXPECT_EQ(pickFolder(form, "Pick one", "My Computer", "C:\\Start", paths), "");
    EXPECT_EQ(asked, "C:\\Start");
    pressWhenShown(WXK_RETURN);
    EXPECT_EQ(pickFolder(form, "Pick one", "My Computer", "C:\\Start", paths), "C:\\Mapped");
    std::filesystem::remove_all(host);
}

} // namespace
} // namespace kv::ui
