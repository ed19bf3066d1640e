// The statements that check and drive what the windows show, each run in-process once
// passing and once failing against a form with one control of each kind.

#include "platform/ui/application.h"
#include "platform/ui/bars.h"
#include "platform/ui/buttons.h"
#include "platform/ui/end_program.h"
#include "platform/ui/list_view.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/script/property_reader.h"
#include "platform/ui/script/ui_script.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

#include <gtest/gtest.h>

namespace kv::ui::script {
namespace {

// What the panel's handlers saw, in order.
std::vector<std::string>* panelEvents = nullptr;

void seen(const std::string& event) {
    if (panelEvents) panelEvents->push_back(event);
}

std::string mouse(const char* what, const MouseEvent& e) {
    return std::string(what) + " " + std::to_string(e.button) + " " + std::to_string(e.x) + " " +
           std::to_string(e.y);
}

struct Panel : Form {
    Panel() : Form("frmPanel") {
        setCaption("Panel");
        setGeometry({100, 200, 6000, 4000});
        txtName.setText("alice");
        txtName.setMaxLength(10);
        txtName.setToolTip("Your name");
        chkRemember.setChecked(true);
        cboSite.addItem("eBay");
        cboSite.addItem("Other");
        cboSite.setListIndex(1);
        lv.addColumn("Item", 2000);
        lv.addColumn("Price");
        int r = lv.addItem("1001", "tag1", 0, 3);
        lv.setText(r, 1, "12.50");
        lv.addItem("Brass watch");
        lv.setChecked(1, true);
        lv.setSortKey(1);
        lv.setSortOrder(SortOrder::Descending);
        int root = tv.addNode("All", "k0");
        tv.addNode("Active", "k1", root);
        tb.addButton({.key = "new", .toolTip = "New snipe"});
        tb.addButton({.key = "del", .enabled = false});
        sb.addPanel("Ready");
        ts.addTab({.caption = "eBay"});
        ts.addTab({.caption = "Snipes"});
        mnuFile.setCaption("&File");
        mnuFileOpen.setContainer(&mnuFile);
        mnuFileOpen.setCaption("&Open");
        mnuFileOpen.setShortcut("Ctrl+O");
        mnuPop.setVisible(false);
        mnuPopCopy.setContainer(&mnuPop);
        mnuPopCopy.setCaption("Copy");
        cmdGo.onClick = [this] { wb.navigate("http://x/", nav::NoHistory, "main"); };
        cmdCopy.onClick = [this] {
            wb.selectText("watch");
            wb.execCommand(browser_cmd::Copy);
        };
        cmdPaste.onClick = [this] { txtName.setText(app().clipboardText()); };
        cmdMenu.onClick = [this] { mnuPop.popup(); };
        picSplit.onMouseDown = [](const MouseEvent& e) { seen(mouse("down", e)); };
        picSplit.onMouseMove = [](const MouseEvent& e) { seen(mouse("move", e)); };
        picSplit.onMouseUp = [](const MouseEvent& e) { seen(mouse("up", e)); };
        onResize = [this] { seen("resize " + std::to_string(width())); };
        Timer2.setInterval(60000);
        Timer2.onTimer = [] { seen("tick"); };
        Timer3.setEnabled(false);
        Timer3.setInterval(3000);
        Timer3.onTimer = [this] { unload(); };
        cmdLater.onClick = [this] { Timer3.setEnabled(true); };
    }
    TextBox& txtName = add<TextBox>("txtName");
    CheckBox& chkRemember = add<CheckBox>("chkRemember");
    ComboBox& cboSite = add<ComboBox>("cboSite");
    ListView& lv = add<ListView>("lvList");
    TreeView& tv = add<TreeView>("tvTree");
    Toolbar& tb = add<Toolbar>("tbTools");
    StatusBar& sb = add<StatusBar>("sbStatus");
    TabStrip& ts = add<TabStrip>("tsTabs");
    WebBrowser& wb = add<WebBrowser>("wb1");
    Menu& mnuFile = add<Menu>("mnuFile");
    Menu& mnuFileOpen = add<Menu>("mnuFileOpen");
    Menu& mnuPop = add<Menu>("mnuPop");
    Menu& mnuPopCopy = add<Menu>("mnuPopCopy");
    CommandButton& cmdGo = add<CommandButton>("cmdGo");
    CommandButton& cmdCopy = add<CommandButton>("cmdCopy");
    CommandButton& cmdPaste = add<CommandButton>("cmdPaste");
    CommandButton& cmdMenu = add<CommandButton>("cmdMenu");
    PictureBox& picSplit = add<PictureBox>("picSplit");
    Timer& Timer2 = add<Timer>("Timer2"); // ticks every minute
    Timer& Timer3 = add<Timer>("Timer3"); // closes the panel, once enabled
    CommandButton& cmdLater = add<CommandButton>("cmdLater");
};

struct PanelRun {
    std::string report;
    std::string transcript;
    std::vector<std::string> events;
};

// Runs the panel as a main window under the script.
PanelRun runPanel(const std::string& script) {
    std::string error;
    EXPECT_TRUE(loadText(script, &error)) << error;
    PanelRun r;
    panelEvents = &r.events;
    runProgram([&r] {
        Panel& p = app().form<Panel>();
        app().setMainForm(&p);
        p.show();
        r.events.clear(); // the resize of the first show
        app().run();
        return 0;
    });
    panelEvents = nullptr;
    r.report = report();
    r.transcript = transcript();
    resetForTests();
    return r;
}

// One idle block with `line` as its second line, then the panel closed.
std::string idleLine(const std::string& line) {
    return "idle\n  " + line + "\n  close frmPanel\nend\n";
}

TEST(ScriptStatements, ExpectComparesAPropertyAndNamesTheLineOfAMismatch) {
    struct Case {
        const char* line;
        const char* failure; // empty: passes
    } cases[] = {
        {"expect frmPanel caption \"Panel\"", ""},
        {"expect frmPanel caption \"Other\"", "line 2: expect frmPanel: caption is \"Panel\", "
                                              "not \"Other\""},
        {"expect frmPanel windowState normal", ""},
        {"expect frmPanel loaded true", ""},
        {"expect frmNever loaded false", ""},
        {"expect frmNever caption \"x\"", "line 2: expect frmNever: no form frmNever is loaded"},
        {"expect frmPanel.txtName text \"alice\"", ""},
        {"expect frmPanel.txtName text \"bob\"", "text is \"alice\", not \"bob\""},
        {"expect frmPanel.txtName maxLength 10", ""},
        {"expect frmPanel.txtName toolTip \"Your name\"", ""},
        {"expect frmPanel.txtName LEFT 0", ""},
        {"expect frmPanel.txtName colour red", "a TextBox has no property colour"},
        {"expect frmPanel.chkRemember value 1", ""},
        {"expect frmPanel.chkRemember checked false", "checked is \"true\", not \"false\""},
        {"expect frmPanel.cboSite text \"Other\"", ""},
        {"expect frmPanel.cboSite listIndex 1", ""},
        {"expect frmPanel.cboSite listCount 2", ""},
        {"expect frmPanel.mnuFileOpen shortcut Ctrl+O", ""},
        {"expect frmPanel.mnuFileOpen caption &Open", ""},
        {"expect frmPanel.mnuFileOpen checked true", "checked is \"false\", not \"true\""},
        {"expect frmPanel.lvList itemCount 2", ""},
        {"expect frmPanel.lvList sortKey 1", ""},
        {"expect frmPanel.lvList sortOrder descending", ""},
        {"expect frmPanel.lvList row #0 subItem(1) 12.50", ""},
        {"expect frmPanel.lvList row 1001 tag tag1", ""},
        {"expect frmPanel.lvList row 1001 smallIcon 3", ""},
        {"expect frmPanel.lvList row \"Brass watch\" checked true", ""},
        {"expect frmPanel.lvList row #1 selected true", "selected is \"false\", not \"true\""},
        {"expect frmPanel.lvList row #2 text x", "no row #2"},
        {"expect frmPanel.lvList column 0 text Item", ""},
        {"expect frmPanel.lvList column #0 width 2000", ""},
        {"expect frmPanel.lvList node k0 text All", "a ListView has no node"},
        {"expect frmPanel.tvTree node k1 text Active", ""},
        {"expect frmPanel.tvTree node k1 parent k0", ""},
        {"expect frmPanel.tvTree node #0 expanded false", ""},
        {"expect frmPanel.tvTree node k1 selected false", ""},
        {"expect frmPanel.tvTree selectedIndex -1", ""},
        {"expect frmPanel.tvTree node k9 text x", "no node k9"},
        {"expect frmPanel.tbTools button del enabled false", ""},
        {"expect frmPanel.tbTools button new toolTip \"New snipe\"", ""},
        {"expect frmPanel.tbTools button new pressed true", "pressed is \"false\", not \"true\""},
        {"expect frmPanel.sbStatus panel 1 text Ready", ""},
        {"expect frmPanel.sbStatus panel 2 text Ready", "no panel 2"},
        {"expect frmPanel.tsTabs selectedIndex 1", ""},
        {"expect frmPanel.tsTabs tab 2 caption Snipes", ""},
        {"expect frmPanel.wb1 locationURL \"\"", ""},
        {"expect frmPanel.txtName focus false", ""},
        {"expect clipboard text \"\"", ""},
        {"expect clipboard caption x", "the clipboard has only its text"},
        {"expect frmPanel.lvList row #0 text", "say expect <target>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PanelRun r = runPanel(idleLine(c.line));
        if (*c.failure == '\0') {
            EXPECT_EQ(r.report, "");
        } else {
            EXPECT_NE(r.report.find(c.failure), std::string::npos) << r.report;
            EXPECT_TRUE(r.report.starts_with("line 2: expect ")) << r.report;
        }
    }
}

using Events = std::vector<std::string>;

TEST(ScriptStatements, DriveThePanelPassingOnceAndFailingOnce) {
    struct Case {
        const char* name;
        const char* script;
        const char* failure; // empty: passes
        // What the panel's handlers saw; not checked when unset.
        std::optional<Events> events;
        const char* transcript = ""; // a line the transcript holds
    } cases[] = {
        {"page",
         "page \"http://x/\" \"Item X\" \"<p>x</p>\"\nidle\n  click frmPanel.cmdGo\n"
         "  wait 0\n  expect frmPanel.wb1 locationName \"Item X\"\n  close frmPanel\nend\n",
         "",
         {}},
        {"no page",
         "idle\n  click frmPanel.cmdGo\n  wait 0\n"
         "  expect frmPanel.wb1 locationName \"Item X\"\n  close frmPanel\nend\n",
         "line 4: expect frmPanel.wb1: locationName is \"http://x/\", not \"Item X\"",
         {}},
        {"clipboard",
         "idle\n  clipboard \"from elsewhere\"\n  click frmPanel.cmdPaste\n"
         "  expect frmPanel.txtName text \"from elsewhere\"\n  close frmPanel\nend\n",
         "",
         {}},
        {"clipboard of a closed form",
         "idle\n  close frmPanel\n  clipboard x\n"
         "  expect frmPanel.txtName text x\nend\n",
         "line 4: expect frmPanel.txtName: no form frmPanel is loaded",
         {}},
        {"drag",
         "idle\n  press frmPanel.picSplit left 10 20\n  move frmPanel.picSplit 300 20\n"
         "  release frmPanel.picSplit left 300 25\n  move frmPanel.picSplit 310 25\n"
         "  close frmPanel\nend\n",
         "", Events{"down 1 10 20", "move 1 300 20", "up 1 300 25", "move 0 310 25"}},
        {"drag a hidden control",
         "idle\n  press frmPanel.mnuPop left 1 2\n"
         "  press frmPanel.picSplit up 1 2\n  close frmPanel\nend\n",
         "line 2: press frmPanel.mnuPop: the user could not do it",
         {}},
        {"resize",
         "idle\n  resize frmPanel 7000 5000\n  expect frmPanel height 5000\n"
         "  close frmPanel\nend\n",
         "", Events{"resize 7000"}},
        {"resize a maximized window",
         "idle\n  state frmPanel maximized\n"
         "  resize frmPanel 7000 5000\n  close frmPanel\nend\n",
         "line 3: resize frmPanel: only a normal window can be sized", std::nullopt},
        {"state",
         "idle\n  state frmPanel maximized\n  state frmPanel normal\n"
         "  expect frmPanel width 6000\n  expect frmPanel windowState normal\n"
         "  close frmPanel\nend\n",
         "", std::nullopt},
        {"unknown state",
         "idle\n  state frmPanel huge\n  close frmPanel\nend\n",
         "line 2: state frmPanel: say normal, minimized or maximized",
         {}},
        {"transcript",
         "page http://x/ X\npopup frmPanel.mnuPop pick mnuPopCopy\nidle\n"
         "  click frmPanel.cmdGo\n"
         "  click frmPanel.cmdMenu\n  wait 0\n  click frmPanel.cmdCopy\n"
         "  close frmPanel\nend\n",
         "",
         {},
         "[0] navigate frmPanel.wb1 \"http://x/\" flags 2 frame \"main\"\n"
         "[0] popup frmPanel.mnuPop\n[1] clipboard \"watch\"\n"
         "[1] command frmPanel.wb1 12\n"},
        {"the program closing itself after the last action",
         "idle\n  click frmPanel.cmdLater\nend\n",
         "",
         {},
         "[3000] unload frmPanel"},
        {"timers past an hour", "idle\n  wait 3900000\n  expect frmPanel visible true\nend\n",
         "no action left: the program waits for the user with frmPanel shown", Events(65, "tick")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelRun r = runPanel(c.script);
        if (*c.failure == '\0')
            EXPECT_EQ(r.report, "");
        else
            EXPECT_NE(r.report.find(c.failure), std::string::npos) << r.report;
        if (c.events) {
            EXPECT_EQ(r.events, *c.events);
        }
        EXPECT_NE(r.transcript.find(c.transcript), std::string::npos) << r.transcript;
    }
}

TEST(ScriptStatements, ExpectInAModalBlockReadsBareNamesOnThatForm) {
    struct Dialog : Form {
        Dialog() : Form("frmAsk") { setCaption("Ask"); }
        TextBox& txtAnswer = add<TextBox>("txtAnswer");
    };
    ASSERT_TRUE(loadText("modal frmAsk\n  set txtAnswer \"yes\"\n  expect txtAnswer text yes\n"
                         "  expect frmAsk caption Ask\n  expect txtAnswer text no\n"
                         "  close frmAsk\nend\n"));
    runProgram([] {
        app().form<Dialog>().show(ShowMode::Modal);
        return 0;
    });
    EXPECT_EQ(report(), "line 5: expect txtAnswer: text is \"yes\", not \"no\"\n");
    resetForTests();
}

TEST(ScriptStatements, NewStatementsWithWrongArgumentsNameTheLine) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"page \"http://x/\"", "line 1: page: \"page <address> <title> [<html>]\""},
        {"idle\n  clipboard\nend", "line 2: clipboard: wrong number of arguments"},
        {"idle\n  press frmA.pic left 1\nend", "line 2: press: wrong number of arguments"},
        {"idle\n  resize frmA 10\nend", "line 2: resize: wrong number of arguments"},
        {"idle\n  expect frmA\nend", "line 2: expect: wrong number of arguments"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(loadText(c.text, &error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
}

// The reader as a dump uses it: every property a widget has, each readable.
TEST(PropertyReader, NamesEveryPropertyOfAKindAndReadsEachOne) {
    Panel p;
    const auto names = propertyNames(p.txtName);
    for (const char* n :
         {"caption", "visible", "enabled", "left", "font", "focus", "text", "maxLength", "locked"})
        EXPECT_NE(std::find(names.begin(), names.end(), n), names.end()) << n;
    EXPECT_EQ(std::find(names.begin(), names.end(), "listIndex"), names.end());
    for (const Control* c : p.controls())
        for (const std::string& n : propertyNames(*c)) {
            std::string error;
            EXPECT_TRUE(readProperty(*c, n, error)) << c->name() << "." << n << ": " << error;
        }
    std::string error;
    EXPECT_EQ(readProperty(p.txtName, "font", error), "MS Sans Serif 8");
    EXPECT_EQ(readProperty(p, "windowState", error), "normal");
    EXPECT_EQ(readProperty(p.lv, "maxLength", error), std::nullopt);
    EXPECT_EQ(error, "a ListView has no property maxLength");
}

} // namespace
} // namespace kv::ui::script
