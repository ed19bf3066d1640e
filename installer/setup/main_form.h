#pragma once
// TSMainForm: the full-screen background window. It covers the work area with a colour
// gradient, an optional picture and up to three shadowed captions, makes the wizard and
// keeps itself directly below it; closing it ends setup.

#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/timer.h"

#include <string>

namespace kv::installer {

class TScript;
class TSDialogForm;

class TSMainForm : public ui::Form {
public:
    // The script must outlive the window.
    explicit TSMainForm(TScript& script);
    ~TSMainForm() override;

    ui::PictureBox& BgImage = add<ui::PictureBox>("BgImage");
    ui::Timer& StartupTimer = add<ui::Timer>("StartupTimer");   // prepares the wizard, once
    ui::Timer& SetOnTopTimer = add<ui::Timer>("SetOnTopTimer"); // keeps it below the wizard

    // The first show: the wizard, the caption and title, the captions on the picture, the
    // start-up timer.
    void FormShow();
    // Makes the wizard, takes the window colour and loads and places the picture.
    void CreateWizard();
    // Ends setup at once: exit chosen, the window closed.
    void ForceCloseProg();
    // The gradient and the captions onto the window's surface, or onto the picture's with
    // positions relative to it.
    void PaintBackground(ui::Surface& surface, bool onPicture);
    // Draws one caption from its label-font list at its side, top or bottom; `offset` is
    // the running vertical offset, which it advances.
    void DrawLabel(ui::Surface& surface, const std::string& text, const std::string& fontList,
                   const std::string& side, bool bottom, int& offset, int shift, bool onPicture);

    TSDialogForm* Wizard() const { return wizard_; }
    // Set once the window closes, so that the wizard does not close it a second time.
    bool Closing() const { return closing_; }
    bool KeepOnTop() const { return keepOnTop_; }

private:
    void Form_Activate();
    void Form_QueryUnload(int& cancel);
    void Form_Unload();
    void Form_Paint();
    void BgImage_Paint();
    void StartupTimer_Timer();
    void SetOnTopTimer_Timer();

    TScript& script_;
    TSDialogForm* wizard_ = nullptr;
    ui::Picture picture_;
    bool pictureTransparent_ = false;
    bool keepOnTop_ = false;
    bool firstShowDone_ = false;
    bool closing_ = false;
};

} // namespace kv::installer
