// The client's windows on a real (virtual) screen: every label's and button's text fits the
// box its geometry gives, and one-line boxes and lists have the height they need.

#include "client/app/frm_history.h"
#include "client/app/frm_login.h"
#include "client/app/frm_options.h"
#include "client/app/frm_splash.h"
#include "client/app/frm_terms.h"
#include "client/app/tests/wx_fixture.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/lists.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/control.h>
#include <wx/dcclient.h>
#include <wx/window.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace kv::app {
namespace {

using testing::pump;

class WxWindows : public testing::WxFixture {
protected:
    // Shows the form and checks its controls' texts against their boxes.
    void check(ui::Form& form) {
        form.show();
        pump(800);
        wxWindow* top = backend_->window(form);
        ASSERT_NE(top, nullptr);
        ASSERT_TRUE(top->IsShownOnScreen());
        int checked = 0;
        for (ui::Control* c : form.controls()) {
            // A one-line text box or a drop-down list needs no more height than its box.
            auto* edit = dynamic_cast<ui::TextBox*>(c);
            wxWindow* widget = backend_->window(*c);
            if (widget && ((edit && !edit->multiLine()) || dynamic_cast<ui::ComboBox*>(c))) {
                EXPECT_LE(widget->GetBestSize().y, widget->GetSize().y)
                    << form.name() << "." << c->displayName();
            }
            const bool label = dynamic_cast<ui::Label*>(c) != nullptr;
            const bool button = dynamic_cast<ui::CommandButton*>(c) != nullptr;
            wxWindow* w = backend_->window(*c);
            if ((!label && !button) || !w || c->caption().empty()) continue; // hidden ones too
            wxClientDC dc(w);
            dc.SetFont(w->GetFont());
            // A label shows its text wrapped to its width; a button on one line, with room
            // for its frame.
            wxString shown = label ? w->GetLabel() : wxControl::RemoveMnemonics(w->GetLabel());
            wxSize text = dc.GetMultiLineTextExtent(shown);
            wxSize box = w->GetClientSize();
            if (button) box.DecBy(8, 4);
            EXPECT_LE(text.x, box.x)
                << form.name() << "." << c->displayName() << ": \"" << c->caption() << "\"";
            EXPECT_LE(text.y, box.y)
                << form.name() << "." << c->displayName() << ": \"" << c->caption() << "\"";
            ++checked;
        }
        EXPECT_GT(checked, 0) << form.name();
    }
};

TEST_F(WxWindows, LoginTextsFitTheirBoxes) {
    check(ui::app().form<frmLogin>());
}

TEST_F(WxWindows, SplashTextsFitTheirBoxes) {
    auto& splash = ui::app().form<frmSplash>();
    splash.noInit = true;
    check(splash);
}

TEST_F(WxWindows, TermsTextsFitTheirBoxes) {
    check(ui::app().form<frmTerms>());
}

TEST_F(WxWindows, HistoryTextsFitTheirBoxes) {
    check(ui::app().form<frmHistory>());
}

TEST_F(WxWindows, OptionsTextsFitTheirBoxes) {
    check(ui::app().form<frmOptions>()); // every page's controls, the hidden ones too
}

} // namespace
} // namespace kv::app
