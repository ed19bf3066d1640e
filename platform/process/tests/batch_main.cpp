// The batch tests' main: like every program of the machine it runs a batch it was started
// for before anything else, since starting a batch runs the starter's executable again.

#include "platform/process/batch.h"

#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv) {
    if (const std::optional<int> code = kv::process::runBatchIfAsked()) return *code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
