// The kestrovane program run as a user starts it, headless under UI scripts, against the
// stand-in service over loopback.

#include "platform/system/testing/temp_machine.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

class Program : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_GT(sim_.start(), 0); }
    // Every request the program sent is one the service takes.
    void TearDown() override { EXPECT_EQ(sim_.refusals(), std::vector<std::string>{}); }
    // Runs kestrovane under the script text (or the script file) and collects its output.
    // The demo build also prints the snipe list at the end.
    ProgramRun run(const std::string& script, bool isFile = false,
                   const std::string& program = KESTROVANE_PATH) {
        std::string path = script;
        if (!isFile) {
            path = (machine_.folder() / "run.uiscript").string();
            std::ofstream(path) << script;
        }
        return runCommand("KV_UI=headless KV_SERVICE_URL=" + sim_.baseUrl() + " KV_UI_SCRIPT='" +
                          path + "' '" + program + "' 2>&1");
    }
    static ProgramRun runCommand(const std::string& command) {
        ProgramRun r;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (!pipe) return r;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            r.output.append(buffer, n);
        const int status = ::pclose(pipe);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }
    static bool has(const ProgramRun& r, const std::string& text) {
        return r.output.find(text) != std::string::npos;
    }

    kv::machine::testing::TempMachine machine_; // also $KV_MACHINE of the program
    kv::servicesim::Server sim_;
};

constexpr const char* kAsExpected = "--- ui script: all as expected ---";

TEST_F(Program, FirstStartThenNextStart) {
    ProgramRun first = run(KESTROVANE_DEMO_SCRIPT, true, KESTROVANE_DEMO_PATH);
    EXPECT_EQ(first.exitCode, 0) << first.output;
    EXPECT_TRUE(has(first, kAsExpected)) << first.output;
    EXPECT_TRUE(has(first, "show modal frmTerms \"License\"")) << first.output;
    // The active snipes folder was listed: alice's two active snipes, the one she added with
    // "&New Snipe..." and their total.
    EXPECT_TRUE(has(first, "--- snipe list: 4 rows ---")) << first.output;
    EXPECT_TRUE(has(first, "3001122334 | Brass pocket watch")) << first.output;
    EXPECT_TRUE(has(first, "3007770001 | Carriage clock | 20.00")) << first.output;

    // Terms accepted and the import question asked: neither comes again.
    ProgramRun next = run(R"(modal frmLogin
  set txtPassword "secret"
  click cmdOK
end
idle
  close frmMain
end
)");
    EXPECT_EQ(next.exitCode, 0) << next.output;
    EXPECT_TRUE(has(next, kAsExpected)) << next.output;
    EXPECT_FALSE(has(next, "frmTerms")) << next.output;
}

TEST_F(Program, UserJourneys) {
    struct Case {
        const char* name;
        const char* script;
        const char* absent; // a text the transcript must not hold
    };
    const Case cases[] = {
        {"refused then good login", R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "wrong"
  click cmdOK
end
modal frmLogin
  set txtPassword "secret"
  click cmdOK
end
box caption "Login" text "Invalid user id or password." style 0x10
modal frmTerms
  click cmdAccept
end
box text "Do you want to import your watch list and bids from eBay?" answer No
idle
  close frmMain
end
)",
         nullptr},
        {"security code", R"(modal frmLogin
  set txtUserName "carol"
  set txtPassword "secret"
  click cmdOK
end
modal frmLogin
  set txtToken "7Q4K"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box text "Do you want to import your watch list and bids from eBay?" answer No
idle
  close frmMain
end
)",
         nullptr},
        {"cancelled login", R"(modal frmLogin
  click cmdCancel
end
)",
         "frmTerms"},
        {"declined terms", R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdDecline
end
)",
         "import"},
        {"upgrade accepted", R"(modal frmLogin
  set txtUserName "bob"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box caption "Upgrade" style 4 answer Yes
box text "Do you want to import your watch list and bids from eBay?" answer No
)",
         "unload frmMain"},
        {"upgrade accepted, then the import question left open", R"(modal frmLogin
  set txtUserName "bob"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box caption "Upgrade" answer Yes
box text "Do you want to import your watch list and bids from eBay?" answer Yes after 5000
)",
         "\"myEbay\" imported"},
        {"logout and another user, about box", R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box text "Do you want to import your watch list and bids from eBay?" answer No
idle
  menu frmMain.mnuHelpAbout
end
modal frmSplash
  click lblVersion
end
idle
  menu frmMain.mnuLogout
end
modal frmLogin
  set txtUserName "bob"
  set txtPassword "secret"
  click cmdOK
end
box caption "Upgrade" answer No
idle
  close frmMain
end
)",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::machine::testing::TempMachine fresh;
        ProgramRun r = run(c.script);
        EXPECT_EQ(r.exitCode, 0) << r.output;
        EXPECT_TRUE(has(r, kAsExpected)) << r.output;
        if (c.absent) {
            EXPECT_FALSE(has(r, c.absent)) << r.output;
        }
    }
}

// After start-up the script reads the main window back: the caption, the folder tree with
// no folder selected, and the news page asked of the main browser pane.
TEST_F(Program, ScriptChecksTheMainWindowAfterStartUp) {
    const ProgramRun r = run(R"s(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box text "Do you want to import your watch list and bids from eBay?" answer No
idle
  expect frmMain caption "Kestrovane (eBay: alice)"
  expect frmMain visible true
  expect frmMain.tvTreeView nodeCount 9
  expect frmMain.tvTreeView node k0 text "All Snipes"
  expect frmMain.tvTreeView node k1 text "Active snipes"
  expect frmMain.tvTreeView node k1 parent k0
  expect frmMain.tvTreeView node k5 text "Cancelled snipes"
  expect frmMain.tvTreeView node myebay text "My eBay"
  expect frmMain.tvTreeView node k11 text "Items I'm Bidding On"
  expect frmMain.tvTreeView node k11 parent myebay
  expect frmMain.tvTreeView node k0 expanded true
  expect frmMain.tvTreeView selectedIndex -1
  expect frmMain.tvTreeView node k1 selected false
  close frmMain
end
)s");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(has(r, kAsExpected)) << r.output;
    // wb1 first shows a blank page, then the news page of the service (its query
    // encrypted, a random tail against caching).
    const std::size_t blank = r.output.find("navigate frmMain.wb1 \"about:blank\" flags 0");
    const std::size_t news = r.output.find("navigate frmMain.wb1 \"http");
    ASSERT_NE(blank, std::string::npos) << r.output;
    ASSERT_NE(news, std::string::npos) << r.output;
    EXPECT_LT(blank, news);
    const std::string line = r.output.substr(news, r.output.find('\n', news) - news);
    EXPECT_NE(line.find("&r="), std::string::npos) << line;
    EXPECT_TRUE(line.ends_with("\" flags 0 frame \"\"")) << line;
}

// A script whose idle blocks are used up with the main window still open ends the run at
// once: the user has nothing left to do.
TEST_F(Program, ScriptWithNoActionLeftEndsTheRun) {
    const ProgramRun r = run(R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
modal frmTerms
  click cmdAccept
end
box text "Do you want to import your watch list and bids from eBay?" answer No
idle
  wait 4000000
  expect frmMain visible true
end
)");
    EXPECT_EQ(r.exitCode, 1) << r.output;
    EXPECT_TRUE(has(r, "--- ui script FAILED ---\nno action left: the program waits for the user "
                       "with frmMain shown\n"))
        << r.output;
}

TEST_F(Program, HeadlessWithoutAScriptSaysItHasNothingToDo) {
    const ProgramRun r = runCommand("KV_UI=headless KV_UI_SCRIPT= '" KESTROVANE_PATH "' 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(has(r, "kestrovane: ")) << r.output;
    EXPECT_TRUE(has(r, "nothing to do")) << r.output;
}

TEST_F(Program, MachineFolderThatCannotBeWrittenIsNamedInABox) {
    const std::filesystem::path file = machine_.folder() / "not-a-folder";
    std::ofstream(file) << "x";
    const std::filesystem::path script = machine_.folder() / "box.uiscript";
    std::ofstream(script) << "box caption \"Kestrovane\" text \"The machine folder \\\"" +
                                 file.string() + "\\\" cannot be written.\" style 0x10\n";
    const ProgramRun r =
        runCommand("KV_UI=headless KV_MACHINE='" + file.string() + "' KV_UI_SCRIPT='" +
                   script.string() + "' '" KESTROVANE_PATH "' 2>&1");
    EXPECT_EQ(r.exitCode, 1);
    // That box only: no window after it.
    EXPECT_TRUE(has(r, kAsExpected)) << r.output;
    EXPECT_FALSE(has(r, "] show ")) << r.output;
}

} // namespace
