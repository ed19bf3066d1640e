#include "installer/common/service_progress.h"

#include "installer/common/messages.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <string>

namespace kv::installer {

TSrvBarDlg::TSrvBarDlg() : ui::Form("SrvBarDlg", ui::Units::Pixels) {
    using namespace ui;
    // The design layout, in pixels.
    applyDesign({
        {.widget = this, .caption = "Start/Stop NT-Service", .geometry = {0, 0, 320, 120}},
        {.widget = &Label1, .geometry = {16, 12, 288, 16}},
        {.widget = &Label2, .geometry = {16, 32, 288, 16}},
        {.widget = &ProgressBar1, .geometry = {16, 60, 288, 18}},
        {.widget = &Timer1, .state = kDisabled},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Timer1.setInterval(100);

    onLoad = [this] { Form_Load(); };
    Timer1.onTimer = [this] { Timer1Timer(); };
}

// In the middle of the screen.
void TSrvBarDlg::Form_Load() {
    const ui::Size screen = ui::app().screenSize();
    move((screen.width - width()) / 2, (screen.height - height()) / 2);
}

void TSrvBarDlg::setVisible(bool visible) {
    if (!visible) Timer1.setEnabled(false);
    Form::setVisible(visible);
}

void TSrvBarDlg::Timer1Timer() {
    ProgressBar1.setValue(ProgressBar1.value() + kStep);
    if (ProgressBar1.value() >= ProgressBar1.max()) ProgressBar1.setValue(ProgressBar1.min());
}

TSrvBarDlg* SrvBarDlg() {
    return ui::app().loadedForm<TSrvBarDlg>();
}

void ShowServiceProgress(std::string_view actionText, std::string_view serviceName) {
    TSrvBarDlg& dlg = ui::app().form<TSrvBarDlg>();
    dlg.Label1.setCaption(std::string(actionText));
    dlg.Label2.setCaption(std::string(serviceName));
    dlg.ProgressBar1.setRange(0, 20);
    dlg.ProgressBar1.setValue(0);
    dlg.Timer1.setEnabled(true);
    dlg.show();
    WaitProcessing(1000);
}

void HideServiceProgress() {
    if (TSrvBarDlg* dlg = SrvBarDlg()) dlg->unload();
}

} // namespace kv::installer
