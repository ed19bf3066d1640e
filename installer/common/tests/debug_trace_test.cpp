#include "installer/common/debug_trace.h"

#include "platform/desktop/atoms.h"
#include "platform/desktop/debug_output.h"
#include "platform/desktop/window_messages.h"
#include "platform/desktop/windows.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

namespace kv::installer {
namespace {

using machine::testing::TempMachine;

// A host program run to its end: its standard output and exit status.
struct Ran {
    std::string out;
    int status = -1;
};

Ran runProgram(const std::vector<std::string>& argv) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    Ran ran;
    char buffer[256];
    for (ssize_t n; rc == 0 && (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        ran.out.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    int status = 0;
    if (rc == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        ran.status = WEXITSTATUS(status);
    return ran;
}

// A kvmachine command that holds a window, running until stopped; ready once it has
// printed the window's handle.
class HeldWindow {
public:
    explicit HeldWindow(const std::vector<std::string>& command) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        std::vector<std::string> argv = {KV_KVMACHINE};
        argv.insert(argv.end(), command.begin(), command.end());
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        std::string line;
        char c;
        while (pid_ != 0 && ::read(pipeFds[0], &c, 1) == 1 && c != '\n')
            line += c;
        ::close(pipeFds[0]);
        handle_ = line.empty() ? 0 : std::stoll(line);
    }
    ~HeldWindow() { stop(); }
    HeldWindow(const HeldWindow&) = delete;
    HeldWindow& operator=(const HeldWindow&) = delete;

    desktop::WindowHandle handle() const { return handle_; }
    // Ends the tool (which unregisters its window) and waits for it.
    void stop() {
        if (pid_ == 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    pid_t pid_ = 0;
    desktop::WindowHandle handle_ = 0;
};

// One message as the viewer wrote it.
struct Received {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t atom = 0;
    std::string text;
};

std::vector<Received> readViewerFile(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<Received> got;
    Received r;
    std::size_t length = 0;
    while (in >> r.message >> r.wParam >> r.atom >> length) {
        in.get(); // the line break
        r.text.assign(length, '\0');
        in.read(r.text.data(), static_cast<std::streamsize>(length));
        in.get();
        got.push_back(r);
    }
    return got;
}

std::string writerLines() {
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += static_cast<char>('a' + i % 26);
    return line + "\nshort\n";
}

TEST(DebugTrace, AViewerGetsEveryFlushAndTheAtomsGo) {
    TempMachine m;
    const std::string file = (m.folder() / "viewer.txt").string();
    HeldWindow viewer({"trace-viewer", "--out", file});
    ASSERT_NE(viewer.handle(), 0);
    EXPECT_EQ(desktop::findWindow(".WDebug."), viewer.handle());

    const Ran ran = runProgram({KV_TRACE_WRITER});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out, ""); // nothing reaches the host's standard output
    viewer.stop();

    const std::vector<Received> got = readViewerFile(file);
    ASSERT_FALSE(got.empty());
    std::string joined;
    for (const Received& r : got) {
        EXPECT_EQ(r.message, desktop::registerWindowMessage(".W_DebugMsg."));
        EXPECT_EQ(r.wParam, 1u);
        EXPECT_LE(r.text.size(), kDebugBufferSize);
        EXPECT_FALSE(r.text.empty());
        EXPECT_EQ(desktop::globalGetAtomName(static_cast<desktop::Atom>(r.atom)), "");
        joined += r.text;
    }
    EXPECT_EQ(joined, writerLines());
    EXPECT_EQ(got.front().text.size(), kDebugBufferSize); // the full buffer flushed
}

TEST(DebugTrace, WithoutAViewerNothingFailsAndNothingShows) {
    TempMachine m;
    const Ran ran = runProgram({KV_TRACE_WRITER});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out, "");
    EXPECT_TRUE(desktop::debugRecord().empty());
}

TEST(DebugTrace, ADebuggerWindowAloneGetsNothingFromThePrograms) {
    TempMachine m;
    HeldWindow debugger({"window", "DBWin"});
    ASSERT_NE(debugger.handle(), 0);
    const Ran ran = runProgram({KV_TRACE_WRITER});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.out, "");
    EXPECT_TRUE(desktop::debugRecord().empty());
}

TEST(DebugTrace, SinkSettingsChooseTheSinks) {
    TempMachine m;
    std::vector<std::string> viewed;
    desktop::MachineWindow viewer(
        ".WDebug.", [&](unsigned msg, std::uintptr_t wp, std::intptr_t lp) {
            if (msg == DebugMsgId() && wp == 1)
                viewed.push_back(desktop::globalGetAtomName(static_cast<desktop::Atom>(lp)));
            return std::intptr_t{0};
        });
    desktop::MachineWindow debugger("DBWin", {});
    ASSERT_TRUE(viewer.valid() && debugger.valid());
    const struct {
        int sinks;
        bool toSystem, toViewer;
    } cases[] = {
        {0, true, true}, {1, true, false}, {2, false, true}, {3, false, false}, {-1, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sinks);
        viewed.clear();
        desktop::clearDebugRecord();
        DebugOut("text", c.sinks);
        EXPECT_EQ(desktop::debugRecord().size(), c.toSystem ? 1u : 0u);
        EXPECT_EQ(viewed,
                  c.toViewer ? std::vector<std::string>{"text"} : std::vector<std::string>{});
    }
    EXPECT_EQ(desktop::globalFindAtom("text"), 0);
    // An empty buffer goes nowhere; a long one is cut at the limit; the text ends at a NUL.
    desktop::clearDebugRecord();
    DebugOut("", 0);
    DebugOut(std::string(kDebugFlushLimit + 50, 'x'), 1);
    DebugOut(std::string("before\0after", 12), 1);
    const std::vector<desktop::DebugText> record = desktop::debugRecord();
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(record[0].text.size(), kDebugFlushLimit);
    EXPECT_EQ(record[1].text, "before");
}

} // namespace
} // namespace kv::installer
