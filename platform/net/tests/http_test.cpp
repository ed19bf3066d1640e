#include "platform/net/http.h"

#include "platform/cookies/cookie_jar.h"
#include "platform/system/testing/temp_machine.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace kv::net {
namespace {

// A loopback server on a free port, running in its own thread for the test's lifetime.
class LoopbackServer {
public:
    LoopbackServer() {
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LoopbackServer() {
        server_.stop();
        thread_.join();
    }
    httplib::Server& server() { return server_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

// The body of a URL read in pieces of `piece` bytes, with the size of each read and
// whether the last read failed.
struct Fetched {
    std::string body;
    std::vector<std::size_t> reads;
    bool failed = false;
};

Fetched fetch(const std::string& url, std::size_t piece = 2048, unsigned flags = kFlagReload) {
    Fetched out;
    auto session = openSession("Kestrovane");
    auto request = openUrl(*session, url, flags);
    std::vector<char> buffer(piece);
    for (;;) {
        std::size_t got = 0;
        out.failed = !read(*request, buffer.data(), piece, got);
        out.reads.push_back(got);
        out.body.append(buffer.data(), got);
        if (got == 0) break;
    }
    close(request);
    close(session);
    return out;
}

// A loopback port that nothing listens on: bound once to find it free, then closed.
int closedLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

std::string pattern(std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += static_cast<char>(i * 7 % 256);
    return s;
}

TEST(HttpGet, BodiesArriveWholeInFullPieces) {
    LoopbackServer srv;
    struct Case {
        std::size_t size;
        std::vector<std::size_t> reads;
    };
    const std::vector<Case> cases = {
        {0, {0}},
        {2048, {2048, 0}},
        {5000, {2048, 2048, 904, 0}},
        {100000, {}},
    };
    for (const Case& c : cases) {
        const std::string body = pattern(c.size);
        const std::string path = "/b" + std::to_string(c.size);
        srv.server().Get(path, [body](const httplib::Request&, httplib::Response& res) {
            res.set_content(body, "application/octet-stream");
        });
        const Fetched got = fetch(srv.url(path));
        EXPECT_EQ(got.body, body) << c.size;
        EXPECT_FALSE(got.failed) << c.size;
        if (!c.reads.empty()) {
            EXPECT_EQ(got.reads, c.reads) << c.size;
        }
    }
}

TEST(HttpGet, SendsAgentAndNoCacheOnReload) {
    LoopbackServer srv;
    srv.server().Get("/h", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.get_header_value("User-Agent") + "|" +
                            req.get_header_value("Cache-Control"),
                        "text/plain");
    });
    EXPECT_EQ(fetch(srv.url("/h")).body, "Kestrovane|no-cache");
    EXPECT_EQ(fetch(srv.url("/h"), 2048, 0).body, "Kestrovane|");
}

TEST(HttpGet, ErrorPagesAreBodiesLikeAnyOther) {
    LoopbackServer srv;
    srv.server().Get("/missing", [](const httplib::Request&, httplib::Response& res) {
        res.status = 404;
        res.set_content("Not here", "text/plain");
    });
    srv.server().Get("/broken", [](const httplib::Request&, httplib::Response& res) {
        res.status = 500;
        res.set_content("Server error", "text/plain");
    });
    EXPECT_EQ(fetch(srv.url("/missing")).body, "Not here");
    EXPECT_EQ(fetch(srv.url("/broken")).body, "Server error");
    EXPECT_FALSE(fetch(srv.url("/broken")).failed);
}

TEST(HttpGet, FollowsRedirects) {
    LoopbackServer srv;
    srv.server().Get(
        "/old", [](const httplib::Request&, httplib::Response& res) { res.set_redirect("/new"); });
    srv.server().Get("/new", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("moved", "text/plain");
    });
    EXPECT_EQ(fetch(srv.url("/old")).body, "moved");
}

TEST(HttpGet, UnreachableOrMalformedGivesEmptyBodyAndAFailedRead) {
    const int closedPort = closedLoopbackPort();
    for (const std::string& url : {"http://127.0.0.1:" + std::to_string(closedPort) + "/tx.cgi",
                                   std::string("not a url"), std::string()}) {
        const Fetched got = fetch(url);
        EXPECT_EQ(got.body, "") << url;
        EXPECT_EQ(got.reads, std::vector<std::size_t>{0}) << url;
        EXPECT_TRUE(got.failed) << url;
    }
}

TEST(HttpGet, BodyCutShortHandsOutItsBytesThenFails) {
    LoopbackServer srv;
    const std::string part = pattern(3000);
    // Drops the connection after the first piece of a longer announced body.
    srv.server().Get("/cut", [part](const httplib::Request&, httplib::Response& res) {
        res.set_content_provider(10000, "application/octet-stream",
                                 [part](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     if (offset > 0) return false;
                                     sink.write(part.data(), part.size());
                                     return true;
                                 });
    });
    // A chunked body that stops before its last chunk.
    srv.server().Get("/chunks", [part](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain",
                                         [part](std::size_t offset, httplib::DataSink& sink) {
                                             if (offset > 0) return false;
                                             sink.write(part.data(), part.size());
                                             return true;
                                         });
    });
    // The same body chunked and ended properly is whole.
    srv.server().Get("/whole", [part](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider("text/plain",
                                         [part](std::size_t offset, httplib::DataSink& sink) {
                                             if (offset > 0) {
                                                 sink.done();
                                                 return true;
                                             }
                                             sink.write(part.data(), part.size());
                                             return true;
                                         });
    });
    for (const std::string path : {"/cut", "/chunks"}) {
        const Fetched got = fetch(srv.url(path));
        EXPECT_EQ(got.body, part) << path;
        EXPECT_EQ(got.reads, (std::vector<std::size_t>{2048, 952, 0})) << path;
        EXPECT_TRUE(got.failed) << path;
    }
    const Fetched whole = fetch(srv.url("/whole"));
    EXPECT_EQ(whole.body, part);
    EXPECT_FALSE(whole.failed);
}

TEST(HttpGet, ReceiveTimeOutEndsTheBody) {
    LoopbackServer srv;
    srv.server().Get("/stall", [](const httplib::Request&, httplib::Response& res) {
        res.set_chunked_content_provider(
            "text/plain", [](std::size_t offset, httplib::DataSink& sink) {
                if (offset > 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
                    return false;
                }
                sink.write("first", 5);
                return true;
            });
    });
    setTimeouts({5000, 1});
    const Fetched got = fetch(srv.url("/stall"));
    resetForTests();
    EXPECT_EQ(got.body, "first");
    EXPECT_TRUE(got.failed);
    EXPECT_EQ(defaultTimeouts().connectMs, 60000);
    EXPECT_EQ(defaultTimeouts().receiveSeconds, 30);
}

TEST(HttpGet, NestedRequestsKeepTheirOwnBodies) {
    LoopbackServer srv;
    srv.server().Get("/a", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(5000, 'a'), "text/plain");
    });
    srv.server().Get("/b", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(3000, 'b'), "text/plain");
    });
    auto session = openSession("Kestrovane");
    auto outer = openUrl(*session, srv.url("/a"), kFlagReload);
    char buffer[2048];
    std::size_t got = 0;
    EXPECT_TRUE(read(*outer, buffer, sizeof buffer, got));
    std::string a(buffer, got);
    // A second request starts and finishes between two reads of the first.
    const Fetched inner = fetch(srv.url("/b"));
    while (read(*outer, buffer, sizeof buffer, got) && got > 0)
        a.append(buffer, got);
    EXPECT_EQ(a, std::string(5000, 'a'));
    EXPECT_EQ(inner.body, std::string(3000, 'b'));
}

// The machine's jar: its cookies for the address go with the request (a session cookie and
// one kept past its expiry too, none of another host), and the cookies the page sets are
// kept, also along a redirect; one for a domain the page is not in is refused.
TEST(HttpGet, SendsTheJarsCookiesAndKeepsThoseThePageSets) {
    machine::testing::TempMachine machine;
    LoopbackServer srv;
    // Each request's cookies, sorted (the order on the wire is the library's).
    std::vector<std::string> received;
    auto sorted = [](const std::string& header) {
        std::vector<std::string> parts;
        for (std::size_t at = 0; at < header.size();) {
            const std::size_t end = std::min(header.find("; ", at), header.size());
            parts.push_back(header.substr(at, end - at));
            at = end + 2;
        }
        std::sort(parts.begin(), parts.end());
        std::string out;
        for (const std::string& p : parts)
            out += (out.empty() ? "" : " ") + p;
        return out;
    };
    srv.server().Get("/old", [&](const httplib::Request& req, httplib::Response& res) {
        received.push_back("old: " + sorted(req.get_header_value("Cookie")));
        res.set_header("Set-Cookie", "moved=1; path=/");
        res.set_redirect("/page");
    });
    srv.server().Get("/page", [&](const httplib::Request& req, httplib::Response& res) {
        received.push_back("page: " + sorted(req.get_header_value("Cookie")));
        res.set_header("Set-Cookie", "fresh=new value; path=/");
        res.set_content("page", "text/html");
    });
    srv.server().Get("/evil", [](const httplib::Request&, httplib::Response& res) {
        res.set_header("Set-Cookie", "stolen=1; domain=ebay.com; path=/");
        res.set_content("evil", "text/html");
    });
    std::vector<cookies::Cookie> jar = {
        {"127.0.0.1", false, "/", false, 0, "s", "SESSION"},
        {"127.0.0.1", false, "/", false, 1000000000, "old", "KEPT"}, // expired in 2001
        {"www.ebay.com", false, "/", false, 0, "other", "NOT SENT"},
    };
    std::ofstream(cookies::jarFile()) << cookies::formatJar(jar);

    EXPECT_EQ(fetch(srv.url("/old")).body, "page");
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], "old: old=KEPT s=SESSION");
    EXPECT_EQ(received[1], "page: moved=1 old=KEPT s=SESSION");
    EXPECT_EQ(fetch(srv.url("/evil")).body, "evil");

    std::vector<std::string> kept;
    for (const cookies::Cookie& c : cookies::allCookies())
        kept.push_back(c.domain + " " + c.path + " " + c.name + "=" + c.value);
    EXPECT_EQ(kept,
              (std::vector<std::string>{"127.0.0.1 / s=SESSION", "127.0.0.1 / old=KEPT",
                                        "www.ebay.com / other=NOT SENT", "127.0.0.1 / moved=1",
                                        "127.0.0.1 / fresh=new value"}));
}

} // namespace
} // namespace kv::net
