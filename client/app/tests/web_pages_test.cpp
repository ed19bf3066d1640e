#include "client/app/web_pages.h"

#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

namespace kv::app {
namespace {

// A page's title as the real windows' loader reads it, whatever the case of its tags and
// whatever attributes its title tag carries.
TEST(WebPages, ReadTheTitleWhateverTheTagsCase) {
    kv::ui::headless::install();
    struct Case {
        const char* html;
        const char* title;
    };
    const Case cases[] = {
        {"<html><title>eBay item 3001122334</title></html>", "eBay item 3001122334"},
        {"<HTML><HEAD><TITLE>eBay item 3001122335 (Ends Dec-11)</TITLE></HEAD></HTML>",
         "eBay item 3001122335 (Ends Dec-11)"},
        {"<html><Title lang=\"en\">eBay Motors item 42</tITLE></html>", "eBay Motors item 42"},
        {"<html><titlebar>none</titlebar></html>", ""},
        {"<html><title>cut short", ""},
    };
    httplib::Server server;
    std::string html;
    server.Get("/page", [&](const httplib::Request&, httplib::Response& res) {
        res.set_content(html, "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (const Case& c : cases) {
        html = c.html;
        const auto page =
            WebPages().fetchPage("http://127.0.0.1:" + std::to_string(port) + "/page");
        ASSERT_TRUE(page.has_value()) << c.html;
        EXPECT_EQ(page->title, c.title) << c.html;
    }
    server.stop();
    thread.join();
    kv::ui::resetForTests();
}

} // namespace
} // namespace kv::app
