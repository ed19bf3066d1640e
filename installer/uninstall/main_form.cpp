#include "installer/uninstall/main_form.h"

#include "installer/common/exec_op.h"
#include "installer/common/folders.h"
#include "installer/common/messages.h"
#include "installer/common/program_ops.h"
#include "installer/common/run_time_folders.h"
#include "installer/common/shared_windows.h"
#include "installer/common/text_lines.h"
#include "installer/common/text_utils.h"
#include "installer/uninstall/internal/tick_picture.h"
#include "installer/uninstall/script_values.h"
#include "installer/uninstall/uninstall_state.h"
#include "platform/process/exec.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

namespace kv::installer::uninstall {
namespace {

constexpr int kTickSize = 16;
constexpr int kStartupDelay = 100; // ms from the window's show to the removal

} // namespace

TMainForm::TMainForm() : ui::Form("MainForm", ui::Units::Pixels) {
    using namespace ui;
    // The design layout, in pixels.
    applyDesign({
        {.widget = this, .caption = "UnInstall", .geometry = {200, 150, 470, 330}},
        {.widget = &PicturePanel, .geometry = {12, 12, 120, 240}},
        {.widget = RichEdit1, .geometry = {144, 12, 310, 72}},
        {.widget = &Panel1, .geometry = {144, 92, 310, 150}},
        {.widget = &Image1, .parent = &Panel1, .geometry = {8, 4, kTickSize, kTickSize}},
        {.widget = &Image2, .parent = &Panel1, .geometry = {8, 28, kTickSize, kTickSize}},
        {.widget = &Image3, .parent = &Panel1, .geometry = {8, 52, kTickSize, kTickSize}},
        {.widget = &Image4, .parent = &Panel1, .geometry = {8, 76, kTickSize, kTickSize}},
        {.widget = &Image5, .parent = &Panel1, .geometry = {8, 100, kTickSize, kTickSize}},
        {.widget = &Image6, .parent = &Panel1, .geometry = {8, 124, kTickSize, kTickSize}},
        {.widget = &Label1,
         .parent = &Panel1,
         .caption = "Shared program files...",
         .geometry = {32, 4, 246, 18}},
        {.widget = &Label2,
         .parent = &Panel1,
         .caption = "Standard program files...",
         .geometry = {32, 28, 246, 18}},
        {.widget = &Label3,
         .parent = &Panel1,
         .caption = "Folder items...",
         .geometry = {32, 52, 246, 18}},
        {.widget = &Label4,
         .parent = &Panel1,
         .caption = "Program folders...",
         .geometry = {32, 76, 246, 18}},
        {.widget = &Label5,
         .parent = &Panel1,
         .caption = "Program directories...",
         .geometry = {32, 100, 246, 18}},
        {.widget = &Label6,
         .parent = &Panel1,
         .caption = "Program registry entries...",
         .geometry = {32, 124, 246, 18}},
        {.widget = &Memo1, .geometry = {144, 92, 310, 150}, .state = kHidden},
        {.widget = &Label7,
         .caption = "UnInstall completed successfully !",
         .geometry = {144, 250, 310, 18},
         .state = kHidden | kWordWrap},
        {.widget = &CompanyUrlLabel, .geometry = {12, 268, 240, 18}},
        {.widget = &CloseButton,
         .caption = "&Close",
         .geometry = {364, 262, 90, 26},
         .state = kDefaultButton},
        {.widget = &TestButton,
         .caption = "Test",
         .geometry = {264, 262, 90, 26},
         .state = kHidden},
        {.widget = &StartupTimer, .state = kDisabled},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Panel1.setBorderStyle(BorderStyle::None);
    Memo1.setMultiLine(true);
    Memo1.setLocked(true);
    Font bold = Label7.font();
    bold.bold = true;
    Label7.setFont(bold);
    CompanyUrlLabel.setForeColor(0xFF0000); // blue
    CompanyUrlLabel.setMousePointer(MousePointer::Hand);
    for (Image* tick : ticks())
        tick->setPicture(internal::tickPicture());
    StartupTimer.setInterval(kStartupDelay);

    onLoad = [this] { FormCreate(); };
    onUnload = [this](int&) { FormClose(); };
    StartupTimer.onTimer = [this] { StartupTimerTimer(); };
    CloseButton.onClick = [this] { CloseButtonClick(); };
    CompanyUrlLabel.onClick = [this] { CompanyUrlLabelClick(); };
    TestButton.onClick = [] {};
}

std::array<ui::Image*, 6> TMainForm::ticks() {
    return {&Image1, &Image2, &Image3, &Image4, &Image5, &Image6};
}

std::array<ui::Label*, 6> TMainForm::phaseLabels() {
    return {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
}

void TMainForm::FormCreate() {
    // The default font for the window and every control that follows it.
    ui::Font font = this->font();
    SetDefaultFont(font);
    setFont(font);
    for (ui::Control* control : controls()) {
        ui::Font own = control->font();
        SetDefaultFont(own);
        control->setFont(own);
    }

    scriptPath_ = UninstallScriptPath();
    lines_ = ReadTextLines(scriptPath_).value_or(std::vector<std::string>{});
    const auto value = [this](const char* name) { return ReadScriptValue(scriptPath_, name); };
    charset_ = ReadScriptCharset(scriptPath_);
    SetTargetDir(value("TargetDir"));
    SetCommonDir(value("SharedDir"));
    SetAuxDir(value("AuxiliaryDir"));
    SetRunTimeDirName1(value("RunTimeDir_1"));
    SetRunTimeDirName2(value("RunTimeDir_2"));
    SetRunTimeDirName3(value("RunTimeDir_3"));
    SetSetupTypeName(value("SetupType"));
    SetSelectedGroups(value("GroupNames"));

    for (auto& list : lists_)
        list.clear();
    execDll_ = std::make_unique<TExecDll>(0);
    execDllName_.clear();
    for (ui::Image* tick : ticks())
        tick->setVisible(false);
    Memo1.setText("");
    Memo1.setVisible(IsTestMode());
    Panel1.setVisible(!IsTestMode());
    SetHoverEffects(*this);
}

void TMainForm::ShowAsMain() {
    ui::app().setMainForm(this);
    FormShow();
    show();
}

void TMainForm::FormShow() {
    const auto value = [this](const char* name) { return ReadScriptValue(scriptPath_, name); };
    // An empty setting keeps the designed text.
    const auto setText = [](ui::Widget& widget, const std::string& text) {
        if (!text.empty()) widget.setCaption(text);
    };
    setText(CompanyUrlLabel, value("COMPANY_URL"));
    const std::string progName = value("PROG_NAME");
    setCaption("UnInstall - " + progName);
    ui::app().setTitle(caption());

    if (IsRightToLeftCharset(charset_)) {
        ApplyBiDiMode(*this, charset_);
        const int left = Panel1.width() - (Image1.left() + Image1.width());
        for (ui::Image* tick : ticks())
            tick->move(left, tick->top());
    }
    const char* labelKeys[] = {"LABEL1", "LABEL2", "LABEL3", "LABEL4", "LABEL5", "LABEL6"};
    int i = 0;
    for (ui::Label* label : phaseLabels()) {
        setText(*label, value(labelKeys[i++]));
        ApplyBiDiMode(*label, charset_);
    }
    setText(Label7, value("S2"));
    ApplyBiDiMode(Label7, charset_);
    setText(CloseButton, value("BUTTON_CLOSE"));
    ApplyBiDiMode(CloseButton, charset_);

    SetEditText(*RichEdit1, ReplaceAll(value("S1"), "PROG_NAME", progName));
    MakeRightToLeft(RichEdit1, charset_);
    PicturePanel.setBorderStyle(value("GET_DIALOG_BITMAP_3D_FRAME") == "1"
                                    ? ui::BorderStyle::FixedSingle
                                    : ui::BorderStyle::None);
    StartupTimer.setEnabled(true);
    CloseButton.setEnabled(false);
}

void TMainForm::StartupTimerTimer() {
    StartupTimer.setEnabled(false);
    RunUninstall();
}

void TMainForm::CloseButtonClick() {
    if (IsUninstallDone())
        close(ui::UnloadMode::FromCode);
    else
        RunUninstall();
}

void TMainForm::CompanyUrlLabelClick() {
    // An empty link opens nothing.
    if (!CompanyUrlLabel.caption().empty())
        ShellOpen(CompanyUrlLabel.caption(), "", process::kShowNormal);
}

void TMainForm::FormClose() {
    for (auto& list : lists_)
        list.clear();
    execDll_.reset();
}

} // namespace kv::installer::uninstall
