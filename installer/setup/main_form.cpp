#include "installer/setup/main_form.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/registry_ops.h"
#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "installer/setup/background_layout.h"
#include "installer/setup/exit_setup_form.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <memory>
#include <optional>

namespace kv::installer {
namespace {

// Written by the caller of a background update; gone once the background window closes.
constexpr const char* kDynDataKey = "HKEY_CURRENT_USER\\Software\\Welmox_Dyn_Data";

} // namespace

TSMainForm::TSMainForm(TScript& script)
    : ui::Form("SMainForm", ui::Units::Pixels), script_(script) {
    using namespace ui;
    const Rect area = app().workArea();
    applyDesign({
        {.widget = this, .geometry = area},
        {.widget = &BgImage, .state = kHidden},
        {.widget = &StartupTimer, .state = kDisabled},
        {.widget = &SetOnTopTimer},
    });
    setBorderStyle(BorderStyle::None);
    BgImage.setBorderStyle(BorderStyle::None);
    StartupTimer.setInterval(500);
    SetOnTopTimer.setInterval(100);

    onActivate = [this] { Form_Activate(); };
    onQueryUnload = [this](int& cancel, ui::UnloadMode) { Form_QueryUnload(cancel); };
    onUnload = [this](int&) { Form_Unload(); };
    onPaint = [this] { Form_Paint(); };
    BgImage.onPaint = [this] { BgImage_Paint(); };
    StartupTimer.onTimer = [this] { StartupTimer_Timer(); };
    SetOnTopTimer.onTimer = [this] { SetOnTopTimer_Timer(); };
}

TSMainForm::~TSMainForm() = default;

void TSMainForm::Form_Activate() {
    if (firstShowDone_) return;
    firstShowDone_ = true;
    FormShow();
}

void TSMainForm::FormShow() {
    CreateWizard();
    const std::string title = "Welmox - " + script_.Text(ScriptText::ProgName);
    setCaption(title);
    ui::app().setTitle(title);
    if (BgImage.visible()) BgImage.refresh();
    StartupTimer.setEnabled(true);
}

void TSMainForm::CreateWizard() {
    wizard_ = &static_cast<TSDialogForm&>(ui::app().load(std::make_unique<TSDialogForm>(script_)));
    wizard_->SetMainWindow(this);
    setBackColor(ScriptColor(script_.Text(ScriptText::TopBgColor)));
    const std::string file = script_.Text(ScriptText::BgBitmapFileName);
    if (file.empty()) return;
    const std::optional<std::string> bytes = fs::readFile(GetExeDir(true) + fs::fileNamePart(file));
    std::optional<ui::Picture> picture;
    if (bytes) picture = ui::decodePicture(*bytes, GetExeDir(true) + fs::fileNamePart(file));
    if (!picture) return;
    picture_ = *picture;
    pictureTransparent_ = script_.Flag(ScriptFlag::BgBitmapTransparent);
    BgImage.resize(picture_.width, picture_.height);
    BgImage.setVisible(true);
    const std::string location = script_.Text(ScriptText::BgBitmapLocation);
    PlaceForm(BgImage, ListItem(location, 0), height() - BgImage.height(), 0,
              PlacementOffset(ListItem(location, 2)), PlacementOffset(ListItem(location, 1)),
              width() - BgImage.width());
}

void TSMainForm::StartupTimer_Timer() {
    StartupTimer.setEnabled(false);
    if (!wizard_->PrepareAndRunSetupStart()) {
        ForceCloseProg();
        return;
    }
    wizard_->show();
    keepOnTop_ = true;
}

void TSMainForm::SetOnTopTimer_Timer() {
    if (keepOnTop_ && wizard_ && wizard_->shown()) placeBelow(*wizard_);
}

void TSMainForm::ForceCloseProg() {
    setupState().exitChosen = true;
    close();
}

void TSMainForm::Form_QueryUnload(int& cancel) {
    if (AskExitSetup(this) != ExitAnswer::Exit) {
        cancel = 1;
        return;
    }
    keepOnTop_ = false;
}

void TSMainForm::Form_Unload() {
    closing_ = true;
    SetOnTopTimer.setEnabled(false);
    StartupTimer.setEnabled(false);
    RegDeleteKeyIfExists(kDynDataKey);
}

void TSMainForm::Form_Paint() {
    PaintBackground(surface(), false);
}

void TSMainForm::BgImage_Paint() {
    PaintBackground(BgImage.surface(), true);
}

} // namespace kv::installer
