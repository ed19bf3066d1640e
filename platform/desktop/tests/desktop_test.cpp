#include "platform/desktop/atoms.h"
#include "platform/desktop/debug_output.h"
#include "platform/desktop/window_messages.h"
#include "platform/desktop/windows.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace kv::desktop {
namespace {

using machine::testing::TempMachine;

TEST(Atoms, ReferenceCountsAndNamesWithoutRegardToCase) {
    TempMachine m;
    const Atom a = globalAddAtom("Trace Text");
    ASSERT_GE(a, kFirstAtom);
    EXPECT_EQ(globalAddAtom("TRACE text"), a); // same atom, second reference
    EXPECT_EQ(globalFindAtom("trace TEXT"), a);
    EXPECT_EQ(globalGetAtomName(a), "Trace Text"); // the name as first added
    const Atom b = globalAddAtom("other");
    EXPECT_NE(b, a);
    EXPECT_TRUE(globalDeleteAtom(a));
    EXPECT_EQ(globalFindAtom("Trace Text"), a); // one reference left
    EXPECT_TRUE(globalDeleteAtom(a));
    EXPECT_EQ(globalFindAtom("Trace Text"), 0);
    EXPECT_EQ(globalGetAtomName(a), "");
    EXPECT_FALSE(globalDeleteAtom(a));
    EXPECT_EQ(globalGetAtomName(b), "other");
    // A freed number is given again.
    EXPECT_EQ(globalAddAtom("third"), a);
}

TEST(Atoms, NamesOutsideTheLimitsAreRefused) {
    TempMachine m;
    EXPECT_EQ(globalAddAtom(""), 0);
    EXPECT_EQ(globalAddAtom(std::string(256, 'x')), 0);
    const Atom a = globalAddAtom(std::string(255, 'x'));
    EXPECT_NE(a, 0);
    EXPECT_EQ(globalGetAtomName(a), std::string(255, 'x'));
    const Atom breaks = globalAddAtom("\r\n\\n");
    EXPECT_EQ(globalGetAtomName(breaks), "\r\n\\n");
    EXPECT_EQ(globalFindAtom("\r\n\\N"), breaks);
}

TEST(WindowMessages, OneNumberPerNameFrom0xC000) {
    TempMachine m;
    const unsigned first = registerWindowMessage(".W_DebugMsg.");
    EXPECT_EQ(first, kFirstRegisteredMessage);
    EXPECT_EQ(registerWindowMessage(".w_debugmsg."), first);
    EXPECT_EQ(registerWindowMessage("Another"), first + 1);
    EXPECT_EQ(registerWindowMessage(".W_DebugMsg."), first);
    EXPECT_EQ(registerWindowMessage(""), 0u);
}

TEST(Windows, FoundByClassAndAnsweringMessages) {
    TempMachine m;
    EXPECT_EQ(findWindow("KvPlain"), 0);
    WindowHandle handle = 0;
    {
        MachineWindow w("KvPlain", [](unsigned msg, std::uintptr_t wp, std::intptr_t lp) {
            return static_cast<std::intptr_t>(msg + wp * 10 + lp * 100);
        });
        ASSERT_TRUE(w.valid());
        handle = w.handle();
        EXPECT_EQ(findWindow("kvplain"), handle);
        EXPECT_EQ(findWindow("KvOther"), 0);
        EXPECT_EQ(sendMessage(handle, 1, 2, 3), 321);
        MachineWindow second("KvSecond", {});
        EXPECT_NE(second.handle(), handle);
        EXPECT_EQ(findWindow("KvSecond"), second.handle());
    }
    EXPECT_EQ(findWindow("KvPlain"), 0);
    EXPECT_EQ(sendMessage(handle, 1, 2, 3), std::nullopt);
    EXPECT_EQ(sendMessage(0, 1, 2, 3), std::nullopt);
}

TEST(Windows, AHungReceiverDoesNotStopTheSender) {
    TempMachine m;
    MachineWindow w("KvHung", [](unsigned, std::uintptr_t, std::intptr_t) {
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        return std::intptr_t{1};
    });
    ASSERT_TRUE(w.valid());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sendMessage(w.handle(), 1, 0, 0, 100), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(700));
}

TEST(Windows, AnotherProcessFindsTheWindowUntilItsProcessEnds) {
    TempMachine m;
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        MachineWindow w("KvRemote", [](unsigned msg, std::uintptr_t, std::intptr_t lp) {
            return static_cast<std::intptr_t>(msg * lp);
        });
        const WindowHandle h = w.handle();
        if (::write(toParent[1], &h, sizeof h) != sizeof h) ::_exit(1);
        char c;
        [[maybe_unused]] ssize_t n = ::read(toChild[0], &c, 1); // until the parent says
        ::_exit(0);
    }
    WindowHandle h = 0;
    ASSERT_EQ(::read(toParent[0], &h, sizeof h), static_cast<ssize_t>(sizeof h));
    ASSERT_NE(h, 0);
    EXPECT_EQ(findWindow("KVREMOTE"), h);
    EXPECT_EQ(sendMessage(h, 6, 0, 7), 42);
    // Killed without unregistering: the window goes with its process.
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(findWindow("KvRemote"), 0);
    EXPECT_EQ(sendMessage(h, 6, 0, 7), std::nullopt);
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);
}

TEST(DebugOutput, KeptAsAMachineRecord) {
    TempMachine m;
    EXPECT_TRUE(debugRecord().empty());
    outputDebugString("first\r\nline \\ two");
    outputDebugString("");
    const std::vector<DebugText> want = {{::getpid(), "first\r\nline \\ two"}, {::getpid(), ""}};
    EXPECT_EQ(debugRecord(), want);
    clearDebugRecord();
    EXPECT_TRUE(debugRecord().empty());
}

} // namespace
} // namespace kv::desktop
