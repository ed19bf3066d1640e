#include "platform/cookies/cookie_jar.h"
#include "platform/system/testing/temp_machine.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace kv::cookies {
namespace {

std::vector<std::string> jarLines() {
    std::ifstream in(jarPath());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

// The cookies libcurl reads from the jar, one Netscape line each.
std::vector<std::string> curlCookies() {
    std::vector<std::string> out;
    CURL* curl = curl_easy_init();
    if (!curl) return out;
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, jarPath().c_str());
    curl_easy_setopt(curl, CURLOPT_COOKIELIST, "RELOAD");
    curl_slist* list = nullptr;
    if (curl_easy_getinfo(curl, CURLINFO_COOKIELIST, &list) == CURLE_OK)
        for (curl_slist* p = list; p; p = p->next)
            out.emplace_back(p->data);
    curl_slist_free_all(list);
    curl_easy_cleanup(curl);
    return out;
}

TEST(CookieJar, TheClientsPastExpiryIsKeptAsASessionCookieThatLibcurlReads) {
    machine::testing::TempMachine machine;
    ASSERT_TRUE(
        setCookie("http://www.ebay.com", "s", "abc123; expires=Sat, 31-Dec-2009 11:59:59 GMT"));
    EXPECT_EQ(jarLines(), std::vector<std::string>{"www.ebay.com\tFALSE\t/\tFALSE\t0\ts\tabc123"});
    const auto cookies = curlCookies();
    ASSERT_EQ(cookies.size(), 1u);
    EXPECT_NE(cookies[0].find("www.ebay.com"), std::string::npos) << cookies[0];
    EXPECT_NE(cookies[0].find("\ts\tabc123"), std::string::npos) << cookies[0];

    // The same name again replaces the cookie; a future expiry is kept; other names add.
    ASSERT_TRUE(
        setCookie("http://www.ebay.com", "s", "new; expires=Fri, 01-Jan-2100 00:00:00 GMT"));
    ASSERT_TRUE(setCookie("http://www.ebay.com/", "other", "x"));
    const auto lines = jarLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "www.ebay.com\tFALSE\t/\tFALSE\t4102444800\ts\tnew");
    EXPECT_EQ(curlCookies().size(), 2u);
    EXPECT_FALSE(setCookie("not a url", "s", "v"));
    EXPECT_FALSE(setCookie("http://www.ebay.com", "", "v"));
}

TEST(CookieJar, ExpiryDates) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> expected;
    };
    const Case cases[] = {
        {"Sat, 31-Dec-2009 11:59:59 GMT", 1262260799},
        {"Saturday, 31-Dec-09 11:59:59 GMT", 1262260799},
        {"Sat, 31 Dec 2009 11:59:59 GMT", 1262260799},
        {"Fri, 01-Jan-2100 00:00:00 GMT", 4102444800},
        {"tomorrow", std::nullopt},
        {"Sat, 31-Foo-2009 11:59:59 GMT", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseExpiry(c.text), c.expected) << c.text;
}

} // namespace
} // namespace kv::cookies
