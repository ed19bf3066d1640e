#pragma once
// The exit question: "Exit Setup" with its text and the buttons Resume and Exit Setup. Once
// the user (or setup itself) chose to exit, the question is not asked again in this run.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/text_controls.h"

namespace kv::installer {

enum class ExitAnswer { Resume, Exit };

class TExitSetupForm : public ui::Form {
public:
    TExitSetupForm();

    ui::Label& MessageLabel = add<ui::Label>("MessageLabel");
    ui::CommandButton& ResumeButton = add<ui::CommandButton>("ResumeButton");
    ui::CommandButton& ExitSetupButton = add<ui::CommandButton>("ExitSetupButton");

    // Resume unless Exit Setup was pressed.
    ExitAnswer answer() const { return answer_; }

private:
    void Form_Load();
    void Form_Unload();
    void ResumeButton_Click();
    void ExitSetupButton_Click();
    // Records the answer (an "exit" for the rest of the run), closes the question.
    void Answer(ExitAnswer answer);

    ExitAnswer answer_ = ExitAnswer::Resume;
};

// Exit at once when exit was already chosen; otherwise shows the question modally over the
// owner, the open flag set while it shows. An "exit" answer is kept for the rest of the run.
ExitAnswer AskExitSetup(ui::Form* owner);

} // namespace kv::installer
