#pragma once
// frmSplash: the splash window of the start-up, and the About box. Its Timer1 runs from
// load and sets `done` every 2000 ms; once painted (or with noInit set by the caller) a
// click on a picture or label, or a key, unloads it.

#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"

namespace kv::app {

class frmSplash : public kv::ui::Form {
public:
    frmSplash();

    kv::ui::PictureBox& Picture1 = add<kv::ui::PictureBox>("Picture1"); // the banner
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2");
    kv::ui::PictureBox& Picture3 = add<kv::ui::PictureBox>("Picture3");
    kv::ui::Image& Image1 = add<kv::ui::Image>("Image1");
    kv::ui::Label& lblPlatform = add<kv::ui::Label>("lblPlatform");
    kv::ui::Label& lblVersion = add<kv::ui::Label>("lblVersion");
    kv::ui::Label& lblWarning = add<kv::ui::Label>("lblWarning");
    kv::ui::Label& lblCompany = add<kv::ui::Label>("lblCompany");
    kv::ui::Label& lblCopyright = add<kv::ui::Label>("lblCopyright");
    kv::ui::Timer& Timer1 = add<kv::ui::Timer>("Timer1");

    // A click or key closes the window.
    bool noInit = false;
    // Set by every tick of Timer1; false at load.
    bool done = false;

private:
    void Form_Load();
    void Form_Paint();
    void closeIfAllowed();
    bool paintedOnce_ = false;
};

} // namespace kv::app
