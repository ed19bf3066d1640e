// Shows a window with a read-only right-to-left text pane holding bold runs, with the
// backend the environment chooses (KV_UI=wx under a virtual display) on a machine of its
// own, and saves a picture of the screen: rtl-pane.png in $KV_SCREENSHOT_DIR. Exits 77 when
// the wx backend is not there.

#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/common/tests/machine_helpers.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"

namespace {

struct Notes : kv::ui::Form {
    Notes() : kv::ui::Form("frmNotes", kv::ui::Units::Pixels) {
        setCaption("Right-to-left notes");
        setGeometry({120, 100, 420, 220});
        pane.setGeometry({12, 12, 380, 150});
    }
    kv::ui::RichTextBox& pane = add<kv::ui::RichTextBox>("RichEdit1");
};

} // namespace

int main() {
    using namespace kv;
    machine::testing::TempMachine machine;
    if (!installer::testing::startWxBackend()) return 77;
    auto& form = ui::app().form<Notes>();
    ui::RichTextBox* pane = &form.pane;
    installer::SetEditText(*pane, "Read <b>this notice</b> first.\\nThe pane reads from the "
                                  "right: <B>bold</B> runs keep their places.");
    installer::MakeRightToLeft(pane, 177);
    form.show();
    installer::WaitProcessing(500);
    const int rc = installer::testing::saveScreenshot("rtl-pane.png") ? 0 : 1;
    form.unload();
    ui::resetApplication();
    return rc;
}
