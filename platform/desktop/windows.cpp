#include "platform/desktop/windows.h"

#include "platform/desktop/internal/locked_table.h"
#include "platform/system/process_list.h"
#include "platform/text/ansi.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace kv::desktop {
namespace {

constexpr const char* kTable = "windows";
constexpr const char* kNextPrefix = "next\t";

// One line per window: handle, pid, the pid's start time, socket name, class; and one line
// "next\tN" with the next handle to give.
struct Entry {
    WindowHandle handle = 0;
    int pid = 0;
    long long start = 0;
    std::string socket;
    std::string className;
};

std::optional<Entry> parse(const std::string& line) {
    std::vector<std::string> f;
    std::size_t from = 0;
    for (int i = 0; i < 4; ++i) {
        const auto tab = line.find('\t', from);
        if (tab == std::string::npos) return std::nullopt;
        f.push_back(line.substr(from, tab - from));
        from = tab + 1;
    }
    try {
        return Entry{std::stoll(f[0]), std::stoi(f[1]), std::stoll(f[2]), f[3], line.substr(from)};
    } catch (...) {
        return std::nullopt;
    }
}

std::string format(const Entry& e) {
    return std::to_string(e.handle) + "\t" + std::to_string(e.pid) + "\t" +
           std::to_string(e.start) + "\t" + e.socket + "\t" + e.className;
}

bool alive(const Entry& e) {
    const std::optional<long long> start = machine::hostStartTime(e.pid);
    return start && *start == e.start;
}

// An address in the abstract namespace: no file, gone with the process.
sockaddr_un address(const std::string& name, socklen_t& length) {
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    const std::size_t n = std::min(name.size(), sizeof a.sun_path - 1);
    std::memcpy(a.sun_path + 1, name.data(), n);
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + n);
    return a;
}

struct Request {
    std::uint32_t message;
    std::uint64_t wParam;
    std::int64_t lParam;
};
constexpr std::size_t kRequestSize = 4 + 8 + 8;

// Reads or writes exactly `size` bytes, waiting at most until `deadline`.
bool transfer(int fd, char* data, std::size_t size, bool reading,
              std::chrono::steady_clock::time_point deadline) {
    std::size_t done = 0;
    while (done < size) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return false;
        pollfd p{fd, static_cast<short>(reading ? POLLIN : POLLOUT), 0};
        const int r = ::poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        const ssize_t n = reading ? ::recv(fd, data + done, size - done, 0)
                                  : ::send(fd, data + done, size - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void encode(const Request& r, char* out) {
    std::memcpy(out, &r.message, 4);
    std::memcpy(out + 4, &r.wParam, 8);
    std::memcpy(out + 12, &r.lParam, 8);
}

Request decode(const char* in) {
    Request r{};
    std::memcpy(&r.message, in, 4);
    std::memcpy(&r.wParam, in + 4, 8);
    std::memcpy(&r.lParam, in + 12, 8);
    return r;
}

std::optional<Entry> findEntry(const std::function<bool(const Entry&)>& match) {
    std::optional<Entry> found;
    // Drops the windows of processes that have gone on the way.
    internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
        bool dropped = false;
        for (auto it = lines.begin(); it != lines.end();) {
            if (it->starts_with(kNextPrefix)) {
                ++it;
                continue;
            }
            const std::optional<Entry> e = parse(*it);
            if (!e || !alive(*e)) {
                it = lines.erase(it);
                dropped = true;
                continue;
            }
            if (!found && match(*e)) found = e;
            ++it;
        }
        return dropped;
    });
    return found;
}

} // namespace

struct MachineWindow::State {
    std::string className;
    WindowProc proc;
    WindowHandle handle = 0;
    int listener = -1;
    int wake[2] = {-1, -1};
    std::thread server;

    void serve() {
        for (;;) {
            pollfd p[2] = {{listener, POLLIN, 0}, {wake[0], POLLIN, 0}};
            if (::poll(p, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (p[1].revents) return;
            if (!(p[0].revents & POLLIN)) continue;
            const int client = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            answer(client);
            ::close(client);
        }
    }

    void answer(int client) {
        using namespace std::chrono;
        char buffer[kRequestSize];
        if (!transfer(client, buffer, kRequestSize, true, steady_clock::now() + seconds(5))) return;
        const Request r = decode(buffer);
        const std::int64_t result = proc ? proc(r.message, static_cast<std::uintptr_t>(r.wParam),
                                                static_cast<std::intptr_t>(r.lParam))
                                         : 0;
        char out[8];
        std::memcpy(out, &result, 8);
        transfer(client, out, 8, false, steady_clock::now() + seconds(5));
    }
};

MachineWindow::MachineWindow(std::string className, WindowProc proc)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.className = std::move(className);
    s.proc = std::move(proc);
    const std::optional<long long> start = machine::hostStartTime(::getpid());
    if (!start || s.className.empty() || s.className.find_first_of("\r\n") != std::string::npos)
        return;
    std::random_device random;
    const std::string name = "kv-window-" + std::to_string(::getpid()) + "-" +
                             std::to_string(random()) + std::to_string(random());
    s.listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    socklen_t length = 0;
    const sockaddr_un a = address(name, length);
    if (s.listener < 0 || ::bind(s.listener, reinterpret_cast<const sockaddr*>(&a), length) != 0 ||
        ::listen(s.listener, 16) != 0 || ::pipe2(s.wake, O_CLOEXEC) != 0) {
        return;
    }
    WindowHandle handle = 0;
    internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
        WindowHandle next = 1;
        auto counter = lines.end();
        for (auto it = lines.begin(); it != lines.end(); ++it) {
            if (!it->starts_with(kNextPrefix)) continue;
            try {
                next = std::max<WindowHandle>(1, std::stoll(it->substr(5)));
            } catch (...) {}
            counter = it;
        }
        handle = next;
        const std::string nextLine = kNextPrefix + std::to_string(next + 1);
        if (counter != lines.end())
            *counter = nextLine;
        else
            lines.insert(lines.begin(), nextLine);
        lines.push_back(format({handle, ::getpid(), *start, name, s.className}));
        return true;
    });
    // Registered only once it can answer.
    if (handle == 0) return;
    s.handle = handle;
    s.server = std::thread([&s] { s.serve(); });
}

MachineWindow::~MachineWindow() {
    State& s = *state_;
    if (s.handle != 0) {
        const WindowHandle handle = s.handle;
        internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
            std::erase_if(lines, [&](const std::string& line) {
                const std::optional<Entry> e = parse(line);
                return e && e->handle == handle;
            });
            return true;
        });
    }
    if (s.server.joinable()) {
        const char byte = 0;
        [[maybe_unused]] const ssize_t n = ::write(s.wake[1], &byte, 1);
        s.server.join();
    }
    for (int fd : {s.listener, s.wake[0], s.wake[1]})
        if (fd >= 0) ::close(fd);
}

bool MachineWindow::valid() const {
    return state_->handle != 0;
}

WindowHandle MachineWindow::handle() const {
    return state_->handle;
}

const std::string& MachineWindow::className() const {
    return state_->className;
}

WindowHandle findWindow(std::string_view className) {
    if (className.empty()) return 0;
    const std::optional<Entry> e =
        findEntry([&](const Entry& x) { return text::equalsNoCase(x.className, className); });
    return e ? e->handle : 0;
}

std::optional<std::intptr_t> sendMessage(WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam,
                                         int timeoutMs) {
    using namespace std::chrono;
    if (window == 0) return std::nullopt;
    const std::optional<Entry> e = findEntry([&](const Entry& x) { return x.handle == window; });
    if (!e) return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return std::nullopt;
    std::optional<std::intptr_t> result;
    socklen_t length = 0;
    const sockaddr_un a = address(e->socket, length);
    const auto deadline = steady_clock::now() + milliseconds(std::max(0, timeoutMs));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&a), length) == 0) {
        char request[kRequestSize];
        encode({message, static_cast<std::uint64_t>(wParam), static_cast<std::int64_t>(lParam)},
               request);
        char answer[8];
        if (transfer(fd, request, kRequestSize, false, deadline) &&
            transfer(fd, answer, 8, true, deadline)) {
            std::int64_t value = 0;
            std::memcpy(&value, answer, 8);
            result = static_cast<std::intptr_t>(value);
        }
    }
    ::close(fd);
    return result;
}

} // namespace kv::desktop
