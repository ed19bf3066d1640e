#include "platform/ui/headless/controls.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/web_browser.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

struct Panes : Form {
    Panes() : Form("frmMain") {
        wb1.onNavigateComplete = [this](const std::string& url) { loaded.push_back(url); };
    }
    WebBrowser& wb1 = add<WebBrowser>("wb1");
    RichTextBox& rtf = add<RichTextBox>("RichEdit1");
    std::vector<std::string> loaded;
};

TEST(WebBrowser, LoadsFromTheFakeWebWithHistory) {
    headless::install();
    auto& web = headless::installControls();
    web.addPage("http://a/1", "eBay item 1001 - Red lamp", "<html><b>Red</b> lamp</html>");
    web.addPage("http://a/2", "", "<p>two</p>");
    auto& f = app().form<Panes>();
    auto& wb = f.wb1;
    wb.navigate("http://a/1", nav::NoReadFromCache, "_self");
    EXPECT_TRUE(wb.busy());
    EXPECT_TRUE(f.loaded.empty()); // the page loads from the message loop
    app().processMessages();
    EXPECT_EQ(f.loaded, (std::vector<std::string>{"http://a/1"}));
    EXPECT_EQ(wb.locationName(), "eBay item 1001 - Red lamp");
    EXPECT_EQ(wb.navigations().back().flags, nav::NoReadFromCache);
    EXPECT_EQ(wb.navigations().back().targetFrame, "_self");

    wb.navigate("http://a/2");
    app().processMessages();
    EXPECT_EQ(wb.locationName(), "http://a/2"); // no title: the address
    EXPECT_FALSE(wb.goForward());
    EXPECT_TRUE(wb.goBack());
    app().processMessages();
    EXPECT_EQ(wb.locationURL(), "http://a/1");
    EXPECT_FALSE(wb.goBack());
    wb.navigate("http://missing/"); // cuts the forward history
    app().processMessages();
    EXPECT_FALSE(wb.document().loaded);
    EXPECT_FALSE(wb.canGoForward());
    EXPECT_FALSE(wb.execCommand(browser_cmd::Print)); // nothing to print
    wb.reload();
    wb.stop(); // the reload never completes
    app().processMessages();
    EXPECT_EQ(f.loaded.size(), 4u);
    EXPECT_TRUE(wb.goBack());
    app().processMessages();
    EXPECT_EQ(wb.locationURL(), "http://a/1");
    EXPECT_EQ(f.loaded.size(), 5u);
    EXPECT_EQ(web.fetched().size(), 5u);
}

TEST(WebBrowser, CommandsAndContextMenu) {
    headless::install();
    auto& web = headless::installControls();
    web.addPage("http://a/1", "Item", "<html><body>Red\n  lamp</body></html>");
    auto& f = app().form<Panes>();
    auto& wb = f.wb1;
    f.show();
    EXPECT_FALSE(user::rightClickPage(wb)); // no page yet
    wb.navigate("http://a/1");
    app().processMessages();
    app().setClipboardText("before");
    EXPECT_TRUE(wb.execCommand(browser_cmd::Copy)); // nothing selected: clipboard kept
    EXPECT_EQ(app().clipboardText(), "before");
    EXPECT_TRUE(wb.execCommand(browser_cmd::SelectAll));
    EXPECT_TRUE(wb.execCommand(browser_cmd::Copy));
    EXPECT_EQ(app().clipboardText(), "Red lamp");
    for (int cmd : {browser_cmd::Print, browser_cmd::Cut, browser_cmd::Paste, browser_cmd::Undo})
        EXPECT_TRUE(wb.execCommand(cmd)) << cmd;
    EXPECT_FALSE(wb.execCommand(99));
    EXPECT_EQ(wb.executed(), (std::vector<int>{12, 17, 12, 6, 11, 13, 15}));

    EXPECT_TRUE(user::rightClickPage(wb)); // no handler: the page's own menu
    int ours = 0;
    wb.onDocumentContextMenu = [&] { return ++ours, false; };
    EXPECT_TRUE(user::rightClickPage(wb));
    EXPECT_EQ(ours, 1);
    EXPECT_EQ(wb.pageMenus(), 1);

    // A page still loading when its control is removed never reports.
    wb.navigate("http://a/1");
    f.remove(wb);
    app().processMessages();
    EXPECT_EQ(f.loaded.size(), 1u);
}

TEST(RichTextBox, BoldRunsFromRichTextAndReplacement) {
    headless::install();
    auto& f = app().form<Panes>();
    f.rtf.setRichText("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                      "{\\*\\generator x;}\\f0 Read {\\b this} first\\par \\b Caf\\'e9\\b0  done}");
    EXPECT_EQ(f.rtf.text(), "Read this first\r\nCaf\xe9 done");
    EXPECT_EQ(f.rtf.boldRuns(), (std::vector<TextRun>{{5, 4}, {17, 4}}));
    f.rtf.setBold(20, 100); // clipped
    EXPECT_EQ(f.rtf.boldRuns().back(), (TextRun{20, 6}));
    f.rtf.setLocked(true);
    f.rtf.setBackColor(0x123456);
    f.rtf.setGeometry({10, 20, 300, 200});
    RichTextBox& box = f.rtf.replaceWithNew(true);
    EXPECT_EQ(f.find<RichTextBox>("RichEdit1"), &box);
    EXPECT_TRUE(box.rightToLeft());
    EXPECT_TRUE(box.locked());
    EXPECT_EQ(box.text(), "Read this first\r\nCaf\xe9 done");
    EXPECT_EQ(box.boldRuns().size(), 3u);
    EXPECT_EQ(box.backColor(), 0x123456u);
    EXPECT_EQ(box.geometry(), (Rect{10, 20, 300, 200}));
    box.setText("plain");
    EXPECT_TRUE(box.boldRuns().empty());
}

} // namespace
} // namespace kv::ui
