#pragma once
// A fresh machine and the stand-in service over loopback, for tests whose user is a UI script
// that logs in as alice.

#include "client/app/reset.h"
#include "client/app/session.h"
#include "platform/fs/path.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::app::testing {

// The script's first block: alice logs in.
inline constexpr const char* kLogin = R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
)";

// The machine made and the service started (KV_SERVICE_URL pointing at it) before each test;
// after it, every request the client sent must have been one the service takes.
class ServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        freshMachine();
        ASSERT_GT(sim_.start(), 0);
        setenv("KV_SERVICE_URL", sim_.baseUrl().c_str(), 1);
    }
    void TearDown() override {
        EXPECT_EQ(sim_.refusals(), std::vector<std::string>{});
        unsetenv("KV_SERVICE_URL");
        sim_.stop();
        dropMachine();
    }

    // A new machine with an empty registry and the client's state dropped.
    void freshMachine() {
        kv::registry::resetForTests();
        machine_.emplace();
        resetForTests();
    }
    // Drops the UI script, the client's state, the current folder, the registry and the
    // machine; the service keeps running.
    void dropMachine() {
        kv::ui::script::resetForTests();
        resetForTests();
        kv::fs::resetForTests();
        kv::registry::resetForTests();
        machine_.reset();
    }

    // Loads alice's login followed by script, logs her in and runs program as the program's
    // body under the script; what did not go as the script says, or why it did not load.
    static std::string playLoggedIn(const std::string& script,
                                    const std::function<void()>& program) {
        std::string error;
        if (!kv::ui::script::loadText(std::string(kLogin) + script, &error)) return error;
        security().doLogin();
        kv::ui::runProgram([&] {
            program();
            return 0;
        });
        return kv::ui::script::report();
    }
    // The requests since the service's last clear, each without the account fields at its end.
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const std::string& q : sim_.requests())
            out.push_back(q.substr(0, q.find("&user_id=")));
        return out;
    }
    // Whether alice has the snipe on the service.
    bool hasSnipe(int bidId) {
        bool found = false;
        sim_.withStore([&](kv::servicesim::Store& s) { found = s.findSnipe("alice", bidId); });
        return found;
    }
    // Drops alice's snipes on the service and gives her these, in this order.
    void replaceSnipes(std::vector<kv::servicesim::Snipe> snipes) {
        sim_.withStore([&](kv::servicesim::Store& s) {
            std::erase_if(s.snipes,
                          [](const kv::servicesim::Snipe& n) { return n.userId == "alice"; });
            for (kv::servicesim::Snipe& n : snipes) {
                n.userId = "alice";
                s.snipes.push_back(std::move(n));
            }
        });
    }

    std::optional<kv::machine::testing::TempMachine> machine_;
    kv::servicesim::Server sim_;
};

} // namespace kv::app::testing
