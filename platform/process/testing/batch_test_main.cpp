// The main of test programs that start batch files: starting one runs the starter's own
// executable again, so like every program of the machine it runs the batch it was started
// for before anything else, and only otherwise runs the tests.

#include "platform/process/batch.h"

#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv) {
    if (const std::optional<int> code = kv::process::runBatchIfAsked()) return *code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
