#include "installer/setup/copy_bar_form.h"

#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "installer/setup/billboard_form.h"
#include "installer/setup/exit_setup_form.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "platform/fs/path.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <memory>

namespace kv::installer {

TCopyBarForm::TCopyBarForm(TScript& script, std::function<bool()> entriesRunning)
    : ui::Form("CopyBarForm", ui::Units::Pixels), script_(script),
      entriesRunning_(std::move(entriesRunning)) {
    using namespace ui;
    // The design layout, in pixels.
    applyDesign({
        {.widget = this, .geometry = {0, 0, 420, 45}},
        {.widget = &CopyProgress, .geometry = {10, 12, 300, 20}},
        {.widget = &CancelButton, .caption = "&Cancel", .geometry = {328, 10, 80, 25}},
    });
    setBorderStyle(BorderStyle::None);
    Font f = font();
    SetDefaultFont(f);
    setFont(f);
    CancelButton.setCaption(LangText("Buttons", "Cancel", ""));
    const Rect area = app().workArea();
    PlaceForm(*this, "Bottom/Center", area.height - height(), 10, area.top, area.left,
              area.width - width());

    onActivate = [this] { Form_Activate(); };
    onUnload = [this](int&) { Form_Unload(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
}

TCopyBarForm::~TCopyBarForm() = default;

void TCopyBarForm::Form_Activate() {
    if (firstShowDone_) return;
    firstShowDone_ = true;
    WaitPumping(100);
    ShowBillboard(script_.Text(ScriptText::BillboardData),
                  script_.List(ScriptList::BillboardFiles));
}

void TCopyBarForm::ShowBillboard(const std::string& settings, std::vector<std::string> files) {
    const BillboardSettings s = ReadBillboardSettings(TakeBillboardData(settings, files));
    waitForClose_ = s.waitForClose;
    for (std::string& file : files)
        file = GetExeDir(true) + fs::fileNamePart(file);
    billboard_ = &static_cast<TBillboardForm&>(
        ui::app().load(std::make_unique<TBillboardForm>(s, std::move(files))));
    billboard_->CloseButton.setVisible(false);
    billboard_->show(ui::ShowMode::Modeless, this);
}

TBillboardForm* TCopyBarForm::Billboard() const {
    return billboard_ && billboard_->loaded() ? billboard_ : nullptr;
}

void TCopyBarForm::FreeBillboard() {
    if (Billboard()) billboard_->unload();
    billboard_ = nullptr;
}

void TCopyBarForm::Finish() {
    if (waitForClose_ && Billboard()) {
        billboard_->CloseButton.setVisible(true);
        while (Billboard() && !ui::app().ended())
            WaitPumping(100);
    }
    FreeBillboard();
    hide();
}

void TCopyBarForm::CancelButton_Click() {
    if (entriesRunning_ && entriesRunning_()) {
        if (AskExitSetup(this) == ExitAnswer::Exit) {
            cancelled_ = true;
            FreeBillboard();
        }
        return;
    }
    FreeBillboard();
}

void TCopyBarForm::Form_Unload() {
    FreeBillboard();
}

} // namespace kv::installer
