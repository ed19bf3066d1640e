#include "platform/system/machine.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace kv::machine {
namespace {

TEST(Restart, MarkIsConsumedOnceAndRunsTheStartActions) {
    resetForTests(); // no start actions left from elsewhere
    testing::TempMachine tm;
    int runs = 0;
    onFirstStartAfterRestart([&] { ++runs; });

    EXPECT_FALSE(runStartActions()) << "an ordinary start does nothing";
    EXPECT_EQ(runs, 0);
    ASSERT_TRUE(requestRestart());
    EXPECT_TRUE(restartRequested());
    EXPECT_TRUE(runStartActions());
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(restartRequested());
    EXPECT_FALSE(runStartActions());
    EXPECT_EQ(runs, 1);

    requestRestart();
    clearRestartRequest();
    EXPECT_FALSE(consumeRestartMark());
    resetForTests();
}

TEST(Restart, OnlyOneOfSeveralProcessesConsumesTheMark) {
    testing::TempMachine tm;
    for (int round = 0; round < 5; ++round) {
        ASSERT_TRUE(requestRestart());
        pid_t kids[4];
        for (pid_t& k : kids) {
            k = ::fork();
            if (k == 0) ::_exit(consumeRestartMark() ? 1 : 0);
        }
        int winners = 0;
        for (pid_t k : kids) {
            int status = 0;
            ::waitpid(k, &status, 0);
            winners += WEXITSTATUS(status);
        }
        EXPECT_EQ(winners, 1);
    }
}

} // namespace
} // namespace kv::machine
