#pragma once
// Ending the program at once: app().end() throws EndProgram, which unwinds every modal show
// and handler up to runProgram (the program's main), so no unload event runs.

#include <functional>

namespace kv::ui {

// Not a std::exception, so handlers that resume after errors do not swallow it.
class EndProgram {
public:
    explicit EndProgram(int exitCode) : exitCode_(exitCode) {}
    int exitCode() const { return exitCode_; }

private:
    int exitCode_;
};

// Runs a program's body and returns its exit code: the body's result, the code given to
// end(), or 1 after an error that escaped the body (reported on standard error).
int runProgram(const std::function<int()>& body);

} // namespace kv::ui
