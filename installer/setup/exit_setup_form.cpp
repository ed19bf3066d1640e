#include "installer/setup/exit_setup_form.h"

#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/setup/language.h"
#include "installer/setup/setup_state.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <memory>

namespace kv::installer {

TExitSetupForm::TExitSetupForm() : ui::Form("ExitSetupForm", ui::Units::Pixels) {
    using namespace ui;
    // The design layout, in pixels.
    applyDesign({
        {.widget = this, .caption = "Exit Setup", .geometry = {0, 0, 380, 168}},
        {.widget = &MessageLabel, .geometry = {16, 14, 348, 96}, .state = kWordWrap},
        {.widget = &ResumeButton,
         .caption = "&Resume",
         .geometry = {88, 122, 96, 25},
         .state = kDefaultButton | kCancelButton},
        {.widget = &ExitSetupButton, .caption = "E&xit Setup", .geometry = {196, 122, 96, 25}},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Font f = font();
    SetDefaultFont(f);
    setFont(f);

    onLoad = [this] { Form_Load(); };
    onUnload = [this](int&) { Form_Unload(); };
    ResumeButton.onClick = [this] { ResumeButton_Click(); };
    ExitSetupButton.onClick = [this] { ExitSetupButton_Click(); };
}

// The texts of the language, read right to left for Hebrew and Arabic; in the middle of
// the screen.
void TExitSetupForm::Form_Load() {
    setCaption(LangText("ExitSetup", "Caption", ""));
    MessageLabel.setCaption(ExpandEscapes(LangText("ExitSetup", "s1", "")));
    ResumeButton.setCaption(LangText("Buttons", "Resume", ""));
    ExitSetupButton.setCaption(LangText("Buttons", "ExitSetup", ""));
    const int charset = GetCharset();
    ApplyBiDiMode(*this, charset);
    for (ui::Widget* w :
         {static_cast<ui::Widget*>(&MessageLabel), static_cast<ui::Widget*>(&ResumeButton),
          static_cast<ui::Widget*>(&ExitSetupButton)})
        ApplyBiDiMode(*w, charset);
    if (IsRightToLeftCharset(charset)) MessageLabel.setAlignment(ui::Alignment::Right);
    const ui::Size screen = ui::app().screenSize();
    move((screen.width - width()) / 2, (screen.height - height()) / 2);
}

// Closed without a button (its close box): the question is over, answered "resume".
void TExitSetupForm::Form_Unload() {
    setupState().exitQuestionOpen = false;
}

void TExitSetupForm::ResumeButton_Click() {
    Answer(ExitAnswer::Resume);
}

void TExitSetupForm::ExitSetupButton_Click() {
    Answer(ExitAnswer::Exit);
}

// The answer counts at once: work started from inside the question's own message loop (the
// copy waiting for the answer) sees it before the modal show returns.
void TExitSetupForm::Answer(ExitAnswer answer) {
    answer_ = answer;
    SetupState& state = setupState();
    if (answer == ExitAnswer::Exit) state.exitChosen = true;
    state.exitQuestionOpen = false;
    hide();
}

ExitAnswer AskExitSetup(ui::Form* owner) {
    SetupState& state = setupState();
    if (state.exitChosen) return ExitAnswer::Exit;
    auto& form = static_cast<TExitSetupForm&>(ui::app().load(std::make_unique<TExitSetupForm>()));
    // Cleared however the show ends, also when the program ends from inside it.
    struct OpenFlag {
        explicit OpenFlag(bool& f) : flag(f) { flag = true; }
        ~OpenFlag() { flag = false; }
        OpenFlag(const OpenFlag&) = delete;
        OpenFlag& operator=(const OpenFlag&) = delete;
        bool& flag;
    };
    {
        OpenFlag open(state.exitQuestionOpen);
        form.show(ui::ShowMode::Modal, owner);
    }
    const ExitAnswer answer = form.answer();
    form.unload();
    return answer;
}

} // namespace kv::installer
