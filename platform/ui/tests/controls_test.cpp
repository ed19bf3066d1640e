#include "platform/ui/buttons.h"
#include "platform/ui/caret.h"
#include "platform/ui/frame.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::ui {
namespace {

struct Page : Form {
    Page() : Form("frmPage", Units::Pixels) {
        onPaint = [this] { ++paints; };
        opt0.onClick = [this] { ++clicks; };
        opt1.onClick = [this] { ++clicks; };
        chk.onClick = [this] { ++clicks; };
        cbo.onClick = [this] { ++clicks; };
        cbo.setStyle(ComboStyle::DropDownList);
    }
    Frame& frame = add<Frame>("Frame2");
    OptionButton& opt0 = add<OptionButton>("dblClickOnAuction", 0, &frame);
    OptionButton& opt1 = add<OptionButton>("dblClickOnAuction", 1, &frame);
    CheckBox& chk = add<CheckBox>("chkPayPal");
    ComboBox& cbo = add<ComboBox>("cboRegion");
    int paints = 0;
    int clicks = 0;
};

TEST(Controls, OptionsCheckBoxesAndListsRaiseClicks) {
    headless::install();
    auto& p = app().form<Page>();
    p.show();
    app().processMessages();
    EXPECT_EQ(p.paints, 1);
    p.opt0.setValue(true);
    EXPECT_TRUE(user::click(p.opt1));
    EXPECT_FALSE(p.opt0.value());
    EXPECT_TRUE(user::setChecked(p.chk, true));
    EXPECT_TRUE(user::setChecked(p.chk, true)); // already ticked: no click
    p.cbo.addItem("North");
    p.cbo.setItemData(0, 7);
    p.cbo.addItem("East", 0);
    EXPECT_TRUE(user::choose(p.cbo, 1));
    EXPECT_EQ(p.cbo.text(), "North");
    EXPECT_EQ(p.cbo.itemData(p.cbo.listIndex()), 7);
    EXPECT_FALSE(user::typeText(p.cbo, "West")); // pick-only
    EXPECT_EQ(p.clicks, 4);
    p.frame.setEnabled(false);
    EXPECT_FALSE(user::click(p.opt0)); // unreachable inside a disabled frame
}

struct Custom : Form {
    Custom() : Form("frmCustom", Units::Pixels) {
        lstGroups.setCheckBoxes(true);
        lstGroups.onItemCheck = [this](int i) { checks.push_back(i); };
        txtToken.setLocked(true);
        txtPassword.setPasswordChar('*');
        txtPassword.setMaxLength(4);
    }
    ListBox& lstGroups = add<ListBox>("lstGroups");
    TextBox& txtToken = add<TextBox>("txtToken");
    TextBox& txtPassword = add<TextBox>("txtPassword");
    ProgressBar& bar = add<ProgressBar>("ProgressBar1");
    std::vector<int> checks;
};

TEST(Controls, CheckedListsTextLimitsAndProgressRange) {
    headless::install();
    auto& c = app().form<Custom>();
    c.show();
    for (const char* g : {"Program", "Help", "Samples"})
        c.lstGroups.addItem(g);
    EXPECT_TRUE(user::checkItem(c.lstGroups, 2, true));
    c.lstGroups.setItemChecked(2, true); // unchanged: no event
    c.lstGroups.setItemChecked(0, true);
    EXPECT_FALSE(user::checkItem(c.lstGroups, 3, true));
    EXPECT_EQ(c.checks, (std::vector<int>{2, 0}));
    c.lstGroups.setListIndex(2);
    c.lstGroups.removeItem(0);
    EXPECT_EQ(c.lstGroups.listIndex(), 1);
    EXPECT_EQ(c.lstGroups.text(), "Samples");
    EXPECT_TRUE(c.lstGroups.itemChecked(1));

    EXPECT_FALSE(user::typeText(c.txtToken, "x")); // read-only for the user
    c.txtToken.setText("set by code");
    EXPECT_EQ(c.txtToken.text(), "set by code");
    EXPECT_TRUE(user::typeText(c.txtPassword, "secret"));
    EXPECT_EQ(c.txtPassword.text(), "secr");
    c.txtPassword.setText("longer by code"); // the limit binds only the user
    EXPECT_EQ(c.txtPassword.text(), "longer by code");

    c.bar.setRange(0, 12);
    c.bar.setValue(20);
    EXPECT_EQ(c.bar.value(), 12);
    c.bar.setRange(5, 10);
    EXPECT_EQ(c.bar.value(), 10);
}

struct Keys : Form {
    Keys() : Form("frmKeys", Units::Pixels) {
        onKeyDown = [this](int& key, int shift) {
            seen.push_back("form down " + std::to_string(key) + "/" + std::to_string(shift));
            if (key == swallow) key = 0;
        };
        onKeyUp = [this](int& key, int) { seen.push_back("form up " + std::to_string(key)); };
        txt.onKeyDown = [this](int& key, int) {
            seen.push_back("box down " + std::to_string(key));
        };
        txt.onKeyPress = [this](int& ascii) {
            seen.push_back("box press " + std::to_string(ascii));
        };
        txt.onKeyUp = [this](int& key, int) { seen.push_back("box up " + std::to_string(key)); };
    }
    TextBox& txt = add<TextBox>("txt");
    int swallow = -1;
    std::vector<std::string> seen;
};

TEST(Controls, AFormWithKeyPreviewSeesKeysFirstAndMaySwallowThem) {
    headless::install();
    auto& f = app().form<Keys>();
    f.show();
    EXPECT_TRUE(user::pressKey(f.txt, 65));
    EXPECT_EQ(f.seen, (std::vector<std::string>{"box down 65", "box press 65", "box up 65"}));
    f.seen.clear();
    f.setKeyPreview(true);
    f.swallow = 9;
    EXPECT_TRUE(user::pressKey(f.txt, 65, 1));
    EXPECT_TRUE(user::pressKey(f.txt, 9, 2));
    EXPECT_EQ(f.seen, (std::vector<std::string>{"form down 65/1", "box down 65", "box press 65",
                                                "form up 65", "box up 65", "form down 9/2",
                                                "form up 9", "box up 9"}));
}

struct Notes : Form {
    Notes() : Form("frmNotes", Units::Pixels) {}
    TextBox& txtLog = add<TextBox>("txtLog");
    TextBox& txtName = add<TextBox>("txtName");
    CommandButton& cmdOK = add<CommandButton>("cmdOK");
};

// The caret is the focused text box's: hidden, it stays so until shown or until the focus
// leaves the box; the backend records each hide and show.
TEST(Controls, TheCaretOfTheFocusedTextBox) {
    headless::HeadlessBackend& ui = headless::install();
    auto& f = app().form<Notes>();
    f.show();
    EXPECT_FALSE(hideCaret(f)); // nothing has the focus
    f.cmdOK.setFocus();
    EXPECT_FALSE(hideCaret(f)); // a button has no caret
    f.txtLog.setFocus();
    EXPECT_TRUE(f.txtLog.caretVisible());
    EXPECT_TRUE(hideCaret(f));
    EXPECT_TRUE(hideCaret(f)); // once hidden, no new record
    EXPECT_FALSE(f.txtLog.caretVisible());
    EXPECT_TRUE(showCaret(f));
    EXPECT_TRUE(f.txtLog.caretVisible());
    EXPECT_TRUE(hideCaret(f));
    f.txtName.setFocus();
    EXPECT_FALSE(f.txtLog.caretVisible());
    EXPECT_FALSE(f.txtLog.caretHidden());
    EXPECT_TRUE(f.txtName.caretVisible());
    f.txtLog.setFocus();
    EXPECT_TRUE(f.txtLog.caretVisible());
    std::vector<std::string> notes;
    for (const headless::Record& r : ui.records())
        if (r.kind == headless::Record::Kind::Note) notes.push_back(r.text);
    EXPECT_EQ(notes, (std::vector<std::string>{"caret hidden frmNotes.txtLog",
                                               "caret shown frmNotes.txtLog",
                                               "caret hidden frmNotes.txtLog"}));
}

} // namespace
} // namespace kv::ui
