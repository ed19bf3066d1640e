#include "client/app/frm_main.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kv::app {
namespace {

using Texts = std::vector<std::string>;
using Settings = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kFolder = "C:\\Kestrovane";
constexpr const char* kItemPage = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=";
constexpr const char* kResults =
    "http://search.ebay.com/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=";
constexpr const char* kNoTextBox = "box caption \"Kestrovane\" text \"Please enter your search "
                                   "text in the space provided.\" style 0x30 answer OK\n";

// alice logged in against the stand-in service, the program's folder current with the
// program's search.cfg, the main window shown and a UI script playing the user.
class SearchBar : public testing::ServiceTest {
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
    void programFolder() {
        ASSERT_TRUE(kv::fs::createFolders(kFolder));
        ASSERT_TRUE(kv::fs::setCurrentFolder(kFolder));
        std::ifstream in(KESTROVANE_SEARCH_CFG, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        ASSERT_TRUE(kv::fs::writeFile(std::string(kFolder) + "\\search.cfg", content.str()));
    }

    // Shows the main window (its favourites read from the store), runs before, then lets
    // the script play the user until the window closes; what did not go as the script says.
    std::string play(const std::string& script, const std::function<void(frmMain&)>& before = {}) {
        return playLoggedIn(script, [&] {
            sim_.clearRequests();
            frmMain& main = mainForm();
            main.show();
            if (before) before(main);
            kv::ui::app().run();
        });
    }
    // The addresses wb1 was sent to, in order.
    static Texts navigations() {
        const std::string marker = "navigate frmMain.wb1 \"";
        Texts out;
        std::istringstream lines(kv::ui::script::transcript());
        for (std::string line; std::getline(lines, line);) {
            const std::size_t at = line.find(marker);
            if (at == std::string::npos) continue;
            const std::size_t from = at + marker.size();
            out.push_back(line.substr(from, line.find('"', from) - from));
        }
        return out;
    }
    static void store(const Settings& settings) {
        for (const auto& [key, value] : settings)
            ASSERT_TRUE(saveSetting(key, value));
    }
    static Texts favorites() {
        Texts out;
        for (int n = 1; n <= 10; ++n)
            out.push_back(getSetting("Fav" + std::to_string(n), ""));
        return out;
    }
};

// Types the text and clicks "Search for an auction".
std::string searchFor(const std::string& text) {
    return "idle\n  set frmMain.cboSearch \"" + text +
           "\"\n  click frmMain.cmdSearch\n  close frmMain\nend\n";
}

TEST_F(SearchBar, TheBarHoldsItsLabelBoxAndPictureButtons) {
    EXPECT_EQ(play("idle\n  close frmMain\nend\n",
                   [](frmMain& main) {
                       EXPECT_EQ(main.cboSearch.text(), "<Enter your eBay search here>");
                       EXPECT_EQ(main.lblSearch.caption(), "Search:");
                       const std::pair<kv::ui::CommandButton*, const char*> buttons[] = {
                           {&main.cmdSearch, "Search for an auction"},
                           {&main.cmdFavoriteSearches, "Add to favorite searches"},
                           {&main.cmdSearchPrefs, "Change search preferences"},
                       };
                       for (const auto& [button, tip] : buttons) {
                           EXPECT_EQ(button->toolTip(), tip);
                           EXPECT_FALSE(button->picture().empty()) << tip;
                           EXPECT_EQ(button->container(), &main.searchBar) << tip;
                       }
                       EXPECT_NE(main.cmdSearch.picture(), main.cmdFavoriteSearches.picture());
                       EXPECT_NE(main.cmdSearch.picture(), main.cmdSearchPrefs.picture());
                       EXPECT_EQ(main.cboSearch.container(), &main.searchBar);
                       EXPECT_EQ(main.lblSearch.container(), &main.searchBar);
                       // Each child lies inside the bar's band of 440 twips.
                       for (const kv::ui::Control* c :
                            {static_cast<kv::ui::Control*>(&main.lblSearch),
                             static_cast<kv::ui::Control*>(&main.cboSearch),
                             static_cast<kv::ui::Control*>(&main.cmdSearch),
                             static_cast<kv::ui::Control*>(&main.cmdFavoriteSearches),
                             static_cast<kv::ui::Control*>(&main.cmdSearchPrefs)}) {
                           EXPECT_GE(c->top(), 0) << c->name();
                           EXPECT_LE(c->top() + c->height(), 440) << c->name();
                       }
                   }),
              "");
}

TEST_F(SearchBar, ANumberOpensItsItemPageAndAnyOtherTextSearches) {
    const std::string script = R"(idle
  set frmMain.cboSearch "2468013579"
  key frmMain.cboSearch 13
  expect frmMain.wb1 visible "true"
  expect frmMain.ts1 selectedIndex "1"
  expect frmMain mousePointer "0"
  set frmMain.cboSearch "12a"
  key frmMain.cboSearch 65
  click frmMain.cmdSearch
  close frmMain
end
)";
    EXPECT_EQ(play(script, [](frmMain& main) { main.wb1Show(false); }), "");
    EXPECT_EQ(navigations(), (Texts{std::string(kItemPage) + "2468013579",
                                    std::string(kResults) + "12a&query=12a"}));
}

TEST_F(SearchBar, TheStoredPreferencesAreAppendedInTheirFixedOrder) {
    struct Case {
        const char* name;
        Settings stored;
        std::string text;
        std::string query; // what follows query2=
    };
    const Case cases[] = {
        {"nothing stored", {}, "camera", "camera&query=camera"},
        {"the digital camera example",
         {{"SortProperty", "1"}, {"maxRecordsPerPage", "50"}, {"ebaycurr", "0"}, {"pt", "0"}},
         "digital camera",
         "digital%20camera&query=digital%20camera&SortProperty=MetaNewSort&maxRecordsPerPage=50"
         "&pt=0"},
        {"reserved and accented characters",
         {},
         "a&b+c%d \xE9=.",
         "a%26b%2Bc%25d%20%E9%3D%2E&query=a%26b%2Bc%25d%20%E9%3D%2E"},
        {"sort code 0",
         {{"SortProperty", "0"}},
         "camera",
         "camera&query=camera&SortProperty=MetaEndSort"},
        {"sort code 3",
         {{"SortProperty", "3"}},
         "camera",
         "camera&query=camera&SortProperty=MetaHighestPriceSort"},
        {"sort code 5", {{"SortProperty", "5"}}, "camera", "camera&query=camera&SortProperty=5"},
        {"sort code 00 is no 0",
         {{"SortProperty", "00"}},
         "camera",
         "camera&query=camera&SortProperty=00"},
        {"category 293", {{"category0", "293"}}, "camera", "camera&query=camera&category0=293"},
        {"category 0", {{"category0", "0"}}, "camera", "camera&query=camera"},
        {"the motors category",
         {{"category0", "6000"}},
         "camera",
         "camera&query=camera&category0=6000&siteID=100"},
        {"a price with its point",
         {{"minPrice", "12.50"}},
         "camera",
         "camera&query=camera&minPrice=12%2E50"},
        {"currency 0 and empty values",
         {{"ebaycurr", "0"}, {"region", ""}, {"maxPrice", ""}},
         "camera",
         "camera&query=camera"},
        {"currency 00", {{"ebaycurr", "00"}}, "camera", "camera&query=camera&ebaycurr=00"},
        {"PayPal off", {{"pt", "0"}}, "camera", "camera&query=camera&pt=0"},
        {"every preference, stored backwards",
         {{"pt", "2"},
          {"maxPrice", "99"},
          {"minPrice", "5"},
          {"ebaycurr", "3"},
          {"located_in", "1"},
          {"available_to", "2"},
          {"region", "4"},
          {"maxRecordsPerPage", "100"},
          {"SortProperty", "2"},
          {"category0", "293"}},
         "camera",
         "camera&query=camera&category0=293&SortProperty=MetaLowestPriceSort"
         "&maxRecordsPerPage=100&region=4&available_to=2&located_in=1&ebaycurr=3&minPrice=5"
         "&maxPrice=99&pt=2"},
    };
    bool first = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!first) {
            dropMachine();
            freshMachine();
        }
        first = false;
        store(c.stored);
        EXPECT_EQ(play(searchFor(c.text)), "");
        EXPECT_EQ(navigations(), Texts{kResults + c.query});
    }
}

TEST_F(SearchBar, TheFocusClearsThePromptAndNoSearchTextGetsTheMessage) {
    const std::string script = std::string(R"(idle
  expect frmMain.cboSearch text "<Enter your eBay search here>"
  click frmMain.cmdSearch
  expect frmMain.cboSearch focus "true"
  expect frmMain.cboSearch text ""
  key frmMain.cboSearch 13
  set frmMain.cboSearch "<books"
  click frmMain.cmdFavoriteSearches
  expect frmMain.cboSearch text ""
  close frmMain
end
)") + kNoTextBox + kNoTextBox + kNoTextBox;
    EXPECT_EQ(play(script,
                   [](frmMain& main) {
                       // Showing the window does not focus the box; a text is kept.
                       ASSERT_EQ(main.cboSearch.text(), "<Enter your eBay search here>");
                       main.cboSearch.setText("camera");
                       main.cmdSearch.setFocus();
                       main.cboSearch.setFocus();
                       EXPECT_EQ(main.cboSearch.text(), "camera");
                       main.cmdSearch.setFocus();
                       main.cboSearch.setText("<Enter your eBay search here>");
                   }),
              "");
    EXPECT_EQ(navigations(), Texts{});
    EXPECT_EQ(favorites(), Texts(10));
}

TEST_F(SearchBar, ANewFavoriteComesFirstAndAFullListDropsTheOldest) {
    Settings full;
    for (int n = 1; n <= 10; ++n)
        full.emplace_back("Fav" + std::to_string(n), "f" + std::to_string(n));
    store(full);
    const std::string script = R"(idle
  expect frmMain.cboSearch listCount "10"
  set frmMain.cboSearch "camera"
  click frmMain.cmdFavoriteSearches
  expect frmMain.cboSearch text "camera"
  expect frmMain.cboSearch listCount "10"
  choose frmMain.cboSearch #1
  choose frmMain.cboSearch #0
  click frmMain.cmdFavoriteSearches
  close frmMain
end
)";
    EXPECT_EQ(play(script), "");
    // Stored again without a check for duplicates.
    EXPECT_EQ(favorites(),
              (Texts{"camera", "camera", "f1", "f2", "f3", "f4", "f5", "f6", "f7", "f8"}));
    EXPECT_EQ(navigations(), (Texts{std::string(kResults) + "f1&query=f1",
                                    std::string(kResults) + "camera&query=camera"}));
}

TEST_F(SearchBar, ChoosingABlankFavoriteRowGetsTheMessage) {
    store({{"Fav1", "camera"}});
    const std::string script = std::string(R"(idle
  choose frmMain.cboSearch #4
  expect frmMain.cboSearch focus "true"
  choose frmMain.cboSearch "camera"
  close frmMain
end
)") + kNoTextBox;
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(navigations(), Texts{std::string(kResults) + "camera&query=camera"});
}

TEST_F(SearchBar, SearchPreferencesOpenTheSearchTabAndApplyToTheNextSearch) {
    store({{"SortProperty", "1"}});
    const std::string script = R"(idle
  click frmMain.cmdSearchPrefs
  expect frmMain left "2000"
  expect frmMain width "9000"
end
modal frmOptions
  expect tbsOptions selectedIndex "3"
  expect picOptions(2) visible "true"
  expect cboSortProperty text "Newly listed"
  choose cboSortProperty "Lowest price first"
  click cmdOK
end
idle
  click frmMain.cmdSearchPrefs
end
modal frmOptions
  expect tbsOptions selectedIndex "3"
  expect cboSortProperty text "Lowest price first"
  click cmdCancel
end
idle
  set frmMain.cboSearch "camera"
  key frmMain.cboSearch 13
  close frmMain
end
)";
    // A window moved since the load stays where it is: the geometry is stored before the
    // dialog and applied again after it.
    EXPECT_EQ(play(script, [](frmMain& main) { main.setGeometry({2000, 1500, 9000, 7000}); }), "");
    EXPECT_EQ(getSetting("MainLeft", ""), "2000");
    Texts commands;
    for (const std::string& q : sent())
        commands.push_back(q.substr(0, q.find('&', 4)));
    EXPECT_EQ(commands, (Texts{"0=0&cmd=getoptions", "0=0&cmd=setoptions", "0=0&cmd=getoptions"}));
    // The dialog stores its first entries too: category and currency 0 add nothing.
    EXPECT_EQ(navigations(), Texts{std::string(kResults) +
                                   "camera&query=camera&SortProperty=MetaLowestPriceSort&region=0"
                                   "&available_to=0&located_in=0&pt=0"});
}

} // namespace
} // namespace kv::app
