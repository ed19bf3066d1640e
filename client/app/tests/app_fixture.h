#pragma once
// A logged-in client on a fresh machine against the stand-in service over loopback, with
// the main window loaded and every box recorded.

#include "client/app/frm_login.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace kv::app::testing {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        kv::registry::resetForTests();
        machine_.emplace();
        resetForTests();
        ui_ = &kv::ui::headless::install();
        ASSERT_GT(sim_.start(), 0);
        setenv("KV_SERVICE_URL", sim_.baseUrl().c_str(), 1);
        ui_->onModal("frmLogin", [](kv::ui::Form& f) {
            auto& d = static_cast<frmLogin&>(f);
            d.txtUserName.setText("alice");
            d.txtPassword.setText("secret");
            d.cmdOK.click();
        });
        security().doLogin();
        ASSERT_EQ(security().m_Level, 1);
        main_ = &kv::ui::app().form<frmMain>();
        kv::ui::app().setMainForm(main_);
        sim_.clearRequests();
    }
    void TearDown() override {
        // Every request the client sent is one the service takes.
        EXPECT_EQ(sim_.refusals(), std::vector<std::string>{});
        EXPECT_EQ(ui_->finish(), "");
        unsetenv("KV_SERVICE_URL");
        sim_.stop();
        kv::ui::resetForTests();
        resetForTests();
        kv::registry::resetForTests();
        machine_.reset();
    }

    // The requests since the last clear, each without the account fields at its end, which
    // must be alice's.
    std::vector<std::string> sent() const {
        std::vector<std::string> out;
        for (const std::string& q : sim_.requests()) {
            const std::size_t at = q.find("&user_id=");
            EXPECT_NE(at, std::string::npos) << q;
            EXPECT_EQ(q.compare(at, 27, "&user_id=alice&plp=secret&p"), 0) << q;
            out.push_back(q.substr(0, at));
        }
        return out;
    }
    void failNext(const std::string& command, const std::string& message) {
        kv::servicesim::Switches sw;
        sw.failCommand = command;
        sw.failCommandMessage = message;
        sim_.setSwitches(sw);
    }
    void expectError(const std::string& title, const std::string& text) {
        ui_->expectBox({.caption = title, .text = text, .style = kv::ui::mb::IconError});
    }

    std::optional<kv::machine::testing::TempMachine> machine_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
    kv::servicesim::Server sim_;
    frmMain* main_ = nullptr;
};

} // namespace kv::app::testing
