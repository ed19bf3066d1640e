#include "platform/cookies/cookie_jar.h"

#include "platform/system/testing/temp_machine.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <ctime>

namespace kv::cookies {
namespace {

using machine::testing::TempMachine;

// The cookies libcurl loads from the jar, as its "domain\t...\tvalue" lines.
std::vector<std::string> cookiesCurlReads(const std::string& file) {
    std::vector<std::string> lines;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, file.c_str());
    curl_easy_setopt(curl, CURLOPT_COOKIELIST, "RELOAD");
    curl_slist* list = nullptr;
    curl_easy_getinfo(curl, CURLINFO_COOKIELIST, &list);
    for (curl_slist* item = list; item; item = item->next)
        lines.emplace_back(item->data);
    curl_slist_free_all(list);
    curl_easy_cleanup(curl);
    return lines;
}

TEST(CookieJar, APastExpiryIsKeptAsASessionCookieThatCurlReads) {
    TempMachine m;
    ASSERT_TRUE(
        setCookie("http://www.ebay.com", "s", "BAQAAAX; expires=Sat, 31-Dec-2009 11:59:59 GMT"));
    const std::vector<Cookie> jar = allCookies();
    ASSERT_EQ(jar.size(), 1u);
    EXPECT_EQ(jar[0].domain, "www.ebay.com");
    EXPECT_EQ(jar[0].path, "/");
    EXPECT_EQ(jar[0].name, "s");
    EXPECT_EQ(jar[0].value, "BAQAAAX");
    EXPECT_EQ(jar[0].expires, 0);

    const std::vector<std::string> curl = cookiesCurlReads(jarFile());
    ASSERT_EQ(curl.size(), 1u);
    EXPECT_EQ(curl[0], "www.ebay.com\tFALSE\t/\tFALSE\t0\ts\tBAQAAAX");
}

TEST(CookieJar, AttributesReplacementAndBadInput) {
    TempMachine m;
    ASSERT_TRUE(setCookie("http://Example.COM:8080/shop/item?x=1", "a",
                          "1; path=/shop; expires=Fri, 01-Jan-2100 00:00:00 GMT; secure"));
    ASSERT_TRUE(setCookie("http://example.com/shop", "a", "2; path=/shop")); // replaces
    ASSERT_TRUE(setCookie("http://example.com/", "b", "x\ty; domain=example.com; path=/\t"));
    EXPECT_FALSE(setCookie("not a url", "c", "1"));
    EXPECT_FALSE(setCookie("http://example.com/", "", "1"));
    // Tabs and line breaks of the URL would break the jar's lines.
    EXPECT_FALSE(setCookie("http://exam\tple.com/", "c", "1"));
    EXPECT_FALSE(setCookie("http://example.com\n.evil.com/", "c", "1"));
    ASSERT_TRUE(setCookie("http://example.com/a\tb\r\n/", "c", "1; path="));

    const std::vector<Cookie> jar = allCookies();
    ASSERT_EQ(jar.size(), 3u);
    EXPECT_EQ(jar[2].path, "/ab/");
    EXPECT_EQ(jar[0].domain, "example.com");
    EXPECT_EQ(jar[0].path, "/shop");
    EXPECT_EQ(jar[0].value, "2");
    EXPECT_EQ(jar[0].expires, 0);
    EXPECT_EQ(jar[1].domain, ".example.com");
    EXPECT_TRUE(jar[1].includeSubdomains);
    EXPECT_EQ(jar[1].value, "xy"); // a tab cannot enter the jar's line
}

TEST(CookieJar, AFutureExpiryIsKept) {
    TempMachine m;
    ASSERT_TRUE(setCookie("http://example.com/", "k", "v; expires=Fri, 01-Jan-2100 00:00:00 GMT"));
    ASSERT_EQ(allCookies().size(), 1u);
    EXPECT_GT(allCookies()[0].expires, static_cast<std::int64_t>(std::time(nullptr)));
}

TEST(CookieJar, APageSetsCookiesForItsOwnDomainsOnly) {
    TempMachine m;
    struct Case {
        const char* header;
        bool kept;
    };
    const Case cases[] = {
        {"plain=1", true},
        {"sub=2; Domain=.EBAY.com; path=/", true},  // a domain above the host
        {"own=3; domain=www.ebay.com", true},       // the host itself
        {"near=4; domain=bay.com", false},          // not at a dot
        {"other=5; domain=example.org", false},     // another site
        {"deeper=6; domain=x.www.ebay.com", false}, // below the host
        {"top=7; domain=com", false},               // a whole top-level domain
        {"dot=8; domain=.COM", false},
        {"no value", false},
        {"; x=1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storeResponseCookie("http://www.ebay.com/ws/page", c.header), c.kept) << c.header;
    // An address's cookies are its own: no domain above it.
    EXPECT_TRUE(storeResponseCookie("http://10.1.2.3/", "ip=1; domain=10.1.2.3"));
    EXPECT_FALSE(storeResponseCookie("http://10.1.2.3/", "up=1; domain=1.2.3"));
    std::vector<std::string> names;
    for (const Cookie& c : allCookies())
        names.push_back(c.domain + " " + c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"www.ebay.com plain", ".ebay.com sub",
                                               ".www.ebay.com own", ".10.1.2.3 ip"}));
}

TEST(CookieJar, JarTextRoundTrips) {
    const std::vector<Cookie> cookies = {
        {".a.com", true, "/", true, 4102444800, "n", "v=1"},
        {"b.com", false, "/p", false, 0, "m", ""},
    };
    const std::vector<Cookie> back = parseJar(formatJar(cookies) + "garbage line\n");
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].value, "v=1");
    EXPECT_EQ(back[0].expires, 4102444800);
    EXPECT_EQ(back[1].path, "/p");
    // CRs at a line's end are no part of the value, also when there are several.
    const std::vector<Cookie> crs = parseJar("c.com\tFALSE\t/\tFALSE\t0\tn\tv\r\r\n");
    ASSERT_EQ(crs.size(), 1u);
    EXPECT_EQ(crs[0].value, "v");
}

} // namespace
} // namespace kv::cookies
