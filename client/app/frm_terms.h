#pragma once
// frmTerms: the terms of use, shown until the user accepts them once. Both buttons stay
// disabled until the terms page has loaded; declining ends the program.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/web_browser.h"

namespace kv::app {

class frmTerms : public kv::ui::Form {
public:
    frmTerms();

    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2"); // the banner
    kv::ui::WebBrowser& wb1 = add<kv::ui::WebBrowser>("wb1");           // the terms page
    kv::ui::CommandButton& cmdAccept = add<kv::ui::CommandButton>("cmdAccept");
    kv::ui::CommandButton& cmdDecline = add<kv::ui::CommandButton>("cmdDecline");

private:
    void Form_Load();
    void cmdAccept_Click();
    void cmdDecline_Click();
};

} // namespace kv::app
