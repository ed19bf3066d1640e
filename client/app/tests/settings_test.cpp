#include "client/app/favorite_searches.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/app/site_home.h"

#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <optional>

namespace kv::app {
namespace {

using machine::testing::TempMachine;

TEST(SettingsStore, KeysLiveInTheProgramsSectionOfTheUsersStoreAndOutliveTheProcess) {
    TempMachine m;
    EXPECT_EQ(getSetting("MainLeft", "1000"), "1000");
    ASSERT_TRUE(saveSetting("MainLeft", "1234"));
    registry::Key k;
    ASSERT_EQ(registry::openKey(registry::rootKey(registry::Root::CurrentUser),
                                "Software\\VB and VBA Program Settings\\Kestrovane\\Settings", k),
              registry::Status::Success);
    registry::resetForTests(); // what the next run of the program sees
    EXPECT_EQ(getSetting("MainLeft", "1000"), "1234");
    EXPECT_EQ(getSetting("mainleft", "1000"), "1234");
}

TEST(SettingConversions, NumbersIntegersAndBooleans) {
    struct Case {
        const char* text;
        std::optional<float> single;
        std::optional<std::int16_t> integer;
        std::optional<bool> boolean;
    };
    const Case cases[] = {
        {"2740", 2740.f, 2740, true},
        {" 3975 ", 3975.f, 3975, true},
        {"0", 0.f, 0, false},
        {"-15.5", -15.5f, -16, true},
        {"2.5", 2.5f, 2, true}, // halves round to even
        {"1e3", 1000.f, 1000, true},
        {"40000", 40000.f, std::nullopt, true},
        {"True", std::nullopt, std::nullopt, true},
        {"false", std::nullopt, std::nullopt, false},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"abc", std::nullopt, std::nullopt, std::nullopt},
        {"12px", std::nullopt, std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt, std::nullopt},
        {"1e60", std::nullopt, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(toSingle(c.text), c.single);
        EXPECT_EQ(toInteger(c.text), c.integer);
        EXPECT_EQ(toBoolean(c.text), c.boolean);
    }
    EXPECT_EQ(booleanText(true), "True");
    EXPECT_EQ(booleanText(false), "False");
}

TEST(SiteHome, NamesMatchExactlyAndEverythingElseIsTheMainSite) {
    auto table = siteHomeTable();
    ASSERT_EQ(table.size(), 22u);
    EXPECT_EQ(table.front().name, kMainSiteName);
    EXPECT_EQ(table[1].name, "eBay Motors");
    EXPECT_EQ(table.back().name, "eBay United Kingdom");
    const std::string main = homeUrlFor(kMainSiteName);
    EXPECT_EQ(homeUrlFor("eBay Korea"), "http://www.ebay.co.kr/");
    EXPECT_EQ(homeUrlFor("eBay Motors"), "http://www.motors.ebay.com/");
    EXPECT_EQ(homeUrlFor("ebay korea"), main);
    EXPECT_EQ(homeUrlFor("eBay Narnia"), main);
    EXPECT_EQ(homeUrlFor(""), main);
    for (const SiteHome& site : table) {
        if (site.name != kMainSiteName) {
            EXPECT_NE(homeUrlFor(site.name), main) << site.name;
        }
    }
}

TEST(FavoriteSearches, TenRowsNewestFirstKeepingTheTypedText) {
    TempMachine m;
    ui::headless::install();
    ui::Form form("frmMain");
    auto& box = form.add<ui::ComboBox>("cboSearch");
    box.setText("<Enter your eBay search here>");
    box.addItem("stale row");
    saveSetting("Fav1", "pocket watch");
    saveSetting("Fav3", "brass lamp");
    saveSetting("Fav10", "oldest");
    fillFavoriteSearches(box);
    ASSERT_EQ(box.listCount(), 10);
    EXPECT_EQ(box.list(0), "pocket watch");
    EXPECT_EQ(box.list(1), "");
    EXPECT_EQ(box.list(2), "brass lamp");
    EXPECT_EQ(box.list(9), "oldest");
    EXPECT_EQ(box.text(), "<Enter your eBay search here>");
    fillFavoriteSearches(box); // refilling does not pile up rows
    EXPECT_EQ(box.listCount(), 10);
}

} // namespace
} // namespace kv::app
