#include "client/app/frm_main.h"
#include "client/app/frm_options.h"
#include "client/app/options_command.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ui/application.h"
#include "platform/ui/script/ui_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace kv::app {
namespace {

using kv::servicesim::Store;
using kv::ui::app;
using Requests = std::vector<std::string>;
using Texts = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Kestrovane";

// alice logged in against the stand-in service, the program's folder current with a
// search.cfg of the test's, the options dialog played by a UI script.
class OptionsDialog : public testing::ServiceTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ServiceTest::SetUp());
        programFolder();
    }
    // A fresh machine with the program's folder again.
    void freshMachine() {
        ServiceTest::freshMachine();
        programFolder();
    }
    static void programFolder() {
        ASSERT_TRUE(kv::fs::createFolders(kFolder));
        ASSERT_TRUE(kv::fs::setCurrentFolder(kFolder));
    }

    static void writeConfig(const std::string& content) {
        ASSERT_TRUE(kv::fs::writeFile(std::string(kFolder) + "\\search.cfg", content));
    }
    // Runs body (after the login) under the script; what did not go as the script says.
    std::string play(const std::string& script, const std::function<void()>& body) {
        return playLoggedIn(script, [&] {
            mainForm();
            sim_.clearRequests();
            body();
        });
    }
    void getoptionsReplies(kv::servicesim::Fields fields) {
        kv::servicesim::Switches sw;
        sw.failCommand = "getoptions";
        sw.failCommandFields = std::move(fields);
        sim_.setSwitches(sw);
    }
    // Loads the dialog and shows it modally, as editOptions does, without the service.
    static void showDialog() {
        frmOptions& d = app().form<frmOptions>();
        d.selectTab(1);
        d.show(kv::ui::ShowMode::Modal, &mainForm());
    }
    static frmOptions& dialog() { return app().form<frmOptions>(); }
    static Texts entries(const kv::ui::ComboBox& list) {
        Texts out;
        for (const auto& e : list.entries())
            out.push_back(std::to_string(e.data) + "=" + e.text);
        return out;
    }
};

constexpr const char* kOk = "modal frmOptions\n  click cmdOK\nend\n";
constexpr const char* kCancel = "modal frmOptions\n  click cmdCancel\nend\n";

TEST_F(OptionsDialog, AnUnchangedOkSendsTheFetchedOptionsBackInOrder) {
    struct Case {
        const char* name;
        kv::servicesim::Fields reply;
        const char* shown; // the script's checks of what the dialog shows
        const char* stored;
    };
    const Case cases[] = {
        {"tenth and second entries, no third message",
         {{"return", "1"},
          {"default_offset", "300"},
          {"friendly_pct", "10"},
          {"friendly_offset", "2"},
          {"feedback1", "Thanks"},
          {"feedback2", "Quick & easy"},
          {"feedback4", "Bye"}},
         "  expect cboMaxPercent listIndex \"9\"\n  expect cboMaxFriendly text \"2\"\n"
         "  expect txtTime text \"5\"\n  expect txtTimeType text \"minutes\"\n"
         "  expect txtFeedback(2) text \"\"\n  expect txtFeedback(3) text \"Bye\"\n",
         "0=0&cmd=setoptions&friendly_offset=2&friendly_pct=10&default_offset=300&"
         "feedback1=Thanks&feedback2=Quick%20%26%20easy&feedback3=&feedback4=Bye"},
        {"no percentage, a number of bids outside its list",
         {{"return", "1"}, {"friendly_offset", "6"}},
         "  expect cboMaxPercent listIndex \"-1\"\n  expect cboMaxFriendly listIndex \"-1\"\n"
         "  expect txtTime text \"1\"\n  expect txtTimeType text \"seconds\"\n",
         "0=0&cmd=setoptions&friendly_offset=0&friendly_pct=0&default_offset=1&feedback1=&"
         "feedback2=&feedback3=&feedback4="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        getoptionsReplies(c.reply);
        const std::string script = std::string("modal frmOptions\n") + c.shown +
                                   "  expect tbsOptions selectedIndex \"1\"\n  click cmdOK\nend\n";
        EXPECT_EQ(play(script, [] { editOptions(1); }), "");
        EXPECT_EQ(sent(), (Requests{"0=0&cmd=getoptions", c.stored}));
        EXPECT_FALSE(dialog().shown());
        EXPECT_TRUE(dialog().loaded()); // OK hides it and leaves it loaded
        kv::ui::script::resetForTests();
        resetForTests(); // the next case logs in afresh
    }
}

TEST_F(OptionsDialog, TheStandInKeepsWhatOkSent) {
    const char* script = R"(modal frmOptions
  expect txtFeedback(0) text "Great buyer, prompt payment."
  expect txtTime text "8"
  choose txtTime "10"
  choose txtTimeType "hours"
  choose cboMaxFriendly "3"
  tab tbsOptions 2
  set txtFeedback(3) "Would buy again"
  click cmdOK
end
)";
    EXPECT_EQ(play(script, [] { editOptions(1); }), "");
    sim_.withStore([](Store& s) {
        const auto& o = s.optionsOf("alice");
        EXPECT_EQ(o.defaultOffset, 36000);
        EXPECT_EQ(o.friendlyOffset, 3);
        EXPECT_EQ(o.friendlyPct, 6);
        EXPECT_EQ(o.feedback[3], "Would buy again");
    });
}

TEST_F(OptionsDialog, AFailedFetchShowsOneBoxAndNoDialog) {
    kv::servicesim::Switches sw;
    sw.failCommand = "getoptions";
    sw.failCommandMessage = "Service busy";
    sim_.setSwitches(sw);
    EXPECT_EQ(play(R"(box caption "Options" text "Service busy" style 0x10)"
                   "\n",
                   [] { editOptions(1); }),
              "");
    EXPECT_EQ(sent(), Requests{"0=0&cmd=getoptions"});
    EXPECT_EQ(app().loadedForm<frmOptions>(), nullptr);
}

TEST_F(OptionsDialog, AFailedStoreShowsTheDialogAgainOnTheCallersTab) {
    kv::servicesim::Switches sw;
    sw.failCommand = "setoptions";
    sim_.setSwitches(sw);
    const char* script = R"(modal frmOptions
  expect tbsOptions selectedIndex "3"
  expect picOptions(2) visible "true"
  expect picOptions(0) visible "false"
  tab tbsOptions 2
  set txtFeedback(1) "Typed"
  click cmdOK
end
box caption "Options" text "No response from the server. You must be connected to the Internet to use Kestrovane." style 0x10
modal frmOptions
  expect tbsOptions selectedIndex "3"
  expect txtFeedback(1) text "Typed"
  click cmdCancel
end
)";
    EXPECT_EQ(play(script, [] { editOptions(3); }), "");
    const Requests s = sent();
    ASSERT_EQ(s.size(), 2u) << ::testing::PrintToString(s);
    EXPECT_EQ(s[0], "0=0&cmd=getoptions");
    EXPECT_NE(s[1].find("&feedback2=Typed&"), std::string::npos) << s[1];
    EXPECT_EQ(app().loadedForm<frmOptions>(), nullptr); // Cancel unloaded it
}

TEST_F(OptionsDialog, OkKeepsTheDialogAsLeftAndCancelLoadsItAfresh) {
    const char* script = R"(modal frmOptions
  choose txtTime "10"
  choose txtTimeType "hours"
  tab tbsOptions 3
  set minPrice "5"
  click cmdOK
end
modal frmOptions
  expect txtTime text "10"
  expect txtTimeType text "hours"
  expect txtFeedback(0) text ""
  tab tbsOptions 3
  set minPrice "7"
  click cmdCancel
end
modal frmOptions
  expect txtTime text "1"
  expect txtTimeType text "seconds"
  expect minPrice text "5"
  close frmOptions
end
)";
    std::vector<std::string> stored;
    EXPECT_EQ(play(script,
                   [&] {
                       editOptions(1);
                       stored.push_back(sent().back());
                       getoptionsReplies({{"return", "1"}}); // without default_offset
                       editOptions(1);
                       editOptions(1);
                   }),
              "");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_NE(stored[0].find("&default_offset=36000&"), std::string::npos) << stored[0];
    EXPECT_EQ(sent().size(), 4u); // two more fetches, no store after Cancel
    EXPECT_EQ(getSetting("minPrice", "none"), "5");
    EXPECT_EQ(app().loadedForm<frmOptions>(), nullptr); // the close box unloads it too
}

TEST_F(OptionsDialog, SearchCfgFillsTheSearchListsWithTheirStoredSelections) {
    struct Case {
        const char* name;
        const char* config;
        std::vector<std::pair<const char*, const char*>> settings;
        const char* box; // the script's box line, or ""
        const kv::ui::ComboBox& (*list)(const frmOptions&);
        Texts entries;
        int selected;
    };
    auto availableTo = [](const frmOptions& d) -> const kv::ui::ComboBox& {
        return d.cboAvailableTo;
    };
    auto locatedIn = [](const frmOptions& d) -> const kv::ui::ComboBox& { return d.cboLocatedIn; };
    auto region = [](const frmOptions& d) -> const kv::ui::ComboBox& { return d.cboRegion; };
    auto sort = [](const frmOptions& d) -> const kv::ui::ComboBox& { return d.cboSortProperty; };
    const char* corrupt = "box caption \"%s\" text \"The configuration data in search.cfg is "
                          "invalid: the file is corrupt. Please re-install Kestrovane.\" style "
                          "0x10";
    auto corruptBox = [&](const char* title) {
        std::string line = corrupt;
        return line.replace(line.find("%s"), 2, title);
    };
    const std::string corruptRegio = corruptBox("regio");
    const std::string corruptRegion = corruptBox("Region");
    const std::string missing =
        "box caption \"Kestrovane\" text \"Missing config data. Please re-install "
        "Kestrovane.\" style 0";
    const Case cases[] = {
        {"two lists, each against its own selection",
         "[available_to_located_in]\r\n1=USA\r\n2=Canada\r\n",
         {{"available_to", "2"}},
         "",
         availableTo,
         {"1=USA", "2=Canada"},
         1},
        {"the second list of the section",
         "[available_to_located_in]\r\n1=USA\r\n2=Canada\r\n",
         {{"available_to", "2"}},
         "",
         locatedIn,
         {"1=USA", "2=Canada"},
         -1},
        {"a section named twice is filled again",
         "[region]\r\n1=North\r\n[SortProperty]\r\n1=Newly listed\r\n[region]\r\n2=South\r\n",
         {},
         "",
         region,
         {"2=South"},
         -1},
        {"the example item line",
         "[SortProperty]\r\n0=Ending first\r\n1=Newly listed\r\n",
         {{"SortProperty", "1"}},
         "",
         sort,
         {"0=Ending first", "1=Newly listed"},
         1},
        {"no selection stored selects 0; the last equal number wins",
         "[region]\r\n0=All\r\n0=Any\r\n",
         {},
         "",
         region,
         {"0=All", "0=Any"},
         1},
        {"lines without = skipped, empty text, = in the text, blanks round the number",
         "[region]\r\n\r\nno equals\r\n3=\r\n7=a=b\r\n 8 =Eight\r\n",
         {{"region", "7"}},
         "",
         region,
         {"3=", "7=a=b", "8=Eight"},
         1},
        {"an unknown section stops with the corrupt-file box",
         "[region]\r\n1=North\r\n[region\r\n2=South\r\n",
         {},
         corruptRegio.c_str(),
         region,
         {"1=North"},
         -1},
        {"section names are case-sensitive",
         "[Region]\r\n1=North\r\n",
         {},
         corruptRegion.c_str(),
         region,
         {},
         -1},
        {"an empty line before the first section",
         "\r\n[region]\r\n1=North\r\n",
         {},
         missing.c_str(),
         region,
         {},
         -1},
        {"an item line before the first section",
         "1=North\r\n[region]\r\n1=North\r\n",
         {},
         missing.c_str(),
         region,
         {},
         -1},
        {"a bad number stops silently",
         "[region]\r\n1=North\r\nx=Bad\r\n2=South\r\n",
         {{"region", "1"}},
         "",
         region,
         {"1=North"},
         0},
        {"a stored selection that is no number selects nothing",
         "[region]\r\n0=All\r\n",
         {{"region", "many"}},
         "",
         region,
         {"0=All"},
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeConfig(c.config);
        for (const auto& [key, value] : c.settings)
            saveSetting(key, value);
        const std::string script = std::string(c.box) + (*c.box ? "\n" : "") +
                                   "modal frmOptions\n  click cmdCancel\nend\n";
        Texts shown;
        int selected = -2;
        EXPECT_EQ(play(script,
                       [&] {
                           const kv::ui::ComboBox& list = c.list(dialog());
                           shown = entries(list);
                           selected = list.listIndex();
                           showDialog();
                       }),
                  "");
        EXPECT_EQ(shown, c.entries);
        EXPECT_EQ(selected, c.selected);
        dropMachine();
        freshMachine(); // the next case's settings start empty
    }
}

TEST_F(OptionsDialog, WithoutSearchCfgTheSearchListsStayEmptyAndOkStoresNothingForThem) {
    saveSetting("region", "4");
    EXPECT_EQ(play(kOk,
                   [] {
                       EXPECT_EQ(dialog().cboRegion.listCount(), 0);
                       EXPECT_EQ(dialog().cboCurrency.listCount(), 0);
                       showDialog();
                   }),
              "");
    EXPECT_EQ(getSetting("region", ""), "4");
    EXPECT_EQ(getSetting("ebaycurr", "none"), "none");
}

TEST_F(OptionsDialog, TheProgramsSearchCfgHasEverySection) {
    std::ifstream in(KESTROVANE_SEARCH_CFG, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    ASSERT_NE(content.str().find("\r\n"), std::string::npos); // built with CR LF
    writeConfig(content.str());
    EXPECT_EQ(play(kCancel,
                   [] {
                       frmOptions& d = dialog();
                       EXPECT_EQ(entries(d.cboSortProperty),
                                 (Texts{"0=Ending first", "1=Newly listed", "2=Lowest price first",
                                        "3=Highest price first"}));
                       for (const kv::ui::ComboBox* list :
                            {&d.cboCategory0, &d.cboMaxRecordsPerPage, &d.cboRegion,
                             &d.cboAvailableTo, &d.cboLocatedIn, &d.cboCurrency})
                           EXPECT_GT(list->listCount(), 1) << list->name();
                       EXPECT_EQ(d.cboCategory0.itemData(d.cboCategory0.listIndex()), 0);
                       EXPECT_EQ(d.cboCurrency.itemData(d.cboCurrency.listIndex()), 0);
                       EXPECT_GE(d.cboCategory0.findText("eBay Motors"), 0);
                       EXPECT_EQ(d.cboCategory0.itemData(d.cboCategory0.findText("eBay Motors")),
                                 6000);
                       showDialog();
                   }),
              "");
}

TEST_F(OptionsDialog, OkChecksTheTimeAndThePricesInOrder) {
    const char* script = R"(modal frmOptions
  click cmdOK
  expect txtTimeType focus "true"
  choose txtTime "5"
  click cmdOK
  expect txtTime focus "true"
  choose txtTimeType "minutes"
  tab tbsOptions 3
  set minPrice "10"
  set maxPrice "9"
  click cmdOK
  expect minPrice focus "true"
  set minPrice "-1"
  set maxPrice ""
  click cmdOK
  set minPrice "abc"
  set maxPrice "abc"
  click cmdOK
  set minPrice ""
  click cmdOK
  expect maxPrice focus "true"
  set maxPrice "-2"
  click cmdOK
  expect frmOptions visible "true"
  set minPrice "9"
  set maxPrice "10"
  click cmdOK
end
box caption "Options" text "Invalid time, try again!" style 0
box caption "Options" text "Invalid time, try again!" style 0
box caption "Options" text "Invalid minimum price, try again!" style 0
box caption "Options" text "Invalid minimum price, try again!" style 0
box caption "Options" text "Invalid minimum price, try again!" style 0
box caption "Options" text "Invalid maximum price, try again!" style 0
box caption "Options" text "Invalid maximum price, try again!" style 0
)";
    EXPECT_EQ(play(script,
                   [] {
                       frmOptions& d = dialog();
                       d.txtTime.setListIndex(-1);
                       d.txtTimeType.setListIndex(-1);
                       showDialog();
                   }),
              "");
    EXPECT_TRUE(dialog().setSucceeded);
    EXPECT_EQ(dialog().time, 300);
    EXPECT_EQ(getSetting("minPrice", ""), "9");
    EXPECT_EQ(getSetting("maxPrice", ""), "10");
}

TEST_F(OptionsDialog, LocalPreferencesAreShownAndStoredByOkOnly) {
    writeConfig("[region]\r\n0=All\r\n1=North\r\n[ebaycurr]\r\n0=Any\r\n");
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, const char*>> settings;
        const char* script;
        std::vector<std::pair<const char*, const char*>> stored; // after the run
    };
    const Case cases[] = {
        {"defaults shown and stored back",
         {},
         R"(  expect cboMaxPercent text "6"
  expect cboMaxFriendly text "5"
  expect txtTime text "1"
  expect chkPayPal value "0"
  expect dblClickOnAuction(0) value "true"
  expect showPreview text "No preview"
  expect eBayHome text "eBay United States"
  expect eBayHome listCount "22"
  click cmdOK
)",
         {{"pt", "0"},
          {"ClickToEdit", "0"},
          {"ShowPreview", "0"},
          {"BrowserHome", "eBay United States"},
          {"region", "0"},
          {"minPrice", ""}}},
        {"stored values shown and stored back",
         {{"pt", "2"},
          {"ClickToEdit", "1"},
          {"ShowPreview", "2"},
          {"BrowserHome", "eBay Motors"},
          {"region", "1"},
          {"maxPrice", "20"}},
         R"(  expect chkPayPal value "1"
  expect dblClickOnAuction(1) value "true"
  expect showPreview text "At bottom of page"
  expect eBayHome text "eBay Motors"
  expect cboRegion text "North"
  expect maxPrice text "20"
  click cmdOK
)",
         {{"pt", "2"}, {"ClickToEdit", "1"}, {"ShowPreview", "2"}, {"BrowserHome", "eBay Motors"}}},
        {"a home page of no entry's exact name selects none and keeps it",
         {{"BrowserHome", "ebay motors"}, {"ShowPreview", "x"}},
         "  expect eBayHome listIndex \"-1\"\n  expect showPreview listIndex \"-1\"\n"
         "  click cmdOK\n",
         {{"BrowserHome", "ebay motors"}, {"ShowPreview", "-1"}}},
        {"changes, then Cancel stores nothing",
         {{"region", "1"}},
         R"(  tab tbsOptions 3
  choose cboRegion "All"
  tick chkPayPal on
  set minPrice "3"
  tab tbsOptions 4
  tick dblClickOnAuction(1) on
  choose eBayHome "eBay Korea"
  click cmdCancel
)",
         {{"region", "1"}, {"pt", "none"}, {"BrowserHome", "none"}, {"minPrice", "none"}}},
        {"the picture beside the PayPal box toggles it",
         {},
         "  tab tbsOptions 3\n  click Picture5\n  expect chkPayPal value \"1\"\n"
         "  click Picture5\n  click Picture5\n  click cmdOK\n",
         {{"pt", "2"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& [key, value] : c.settings)
            saveSetting(key, value);
        EXPECT_EQ(play(std::string("modal frmOptions\n") + c.script + "end\n", showDialog), "");
        for (const auto& [key, value] : c.stored)
            EXPECT_EQ(getSetting(key, "none"), value) << key;
        dropMachine();
        freshMachine();
        writeConfig("[region]\r\n0=All\r\n1=North\r\n[ebaycurr]\r\n0=Any\r\n");
    }
}

TEST_F(OptionsDialog, CtrlTabGoesToTheNextTabAndTheTabsShowTheirPages) {
    const char* script = R"(modal frmOptions
  expect tbsOptions tabCount "4"
  expect tbsOptions tab 1 toolTip "Kestrovane General Options"
  expect tbsOptions tab 2 caption "Feedback"
  expect tbsOptions tab 3 toolTip "Search Preferences"
  expect tbsOptions tab 4 caption "Browser"
  expect txtFeedback(0) maxLength "80"
  tab tbsOptions 4
  expect picOptions(3) left "230"
  expect picOptions(3) enabled "true"
  expect picOptions(0) left "-20000"
  expect picOptions(0) visible "false"
  expect picOptions(0) enabled "false"
  key eBayHome 9 2
  expect tbsOptions selectedIndex "1"
  expect picOptions(0) left "230"
  expect picOptions(0) visible "true"
  expect picOptions(3) visible "false"
  key txtTime 9 3
  key txtTime 9 4
  key txtTime 9 0
  expect tbsOptions selectedIndex "1"
  key txtTime 9 2
  expect tbsOptions selectedIndex "2"
  expect picOptions(1) top "500"
  click cmdCancel
end
)";
    EXPECT_EQ(play(script, showDialog), "");
}

} // namespace
} // namespace kv::app
