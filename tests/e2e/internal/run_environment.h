#pragma once
// What a program started from a test inherits from it: environment variables and the
// standard output and error, changed for the start and restored afterwards.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::e2e::internal {

// Environment variables set or removed while the object lives; the earlier values come
// back when it goes.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void set(const std::string& name, const std::string& value);
    void unset(const std::string& name);

private:
    void remember(const std::string& name);
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// This process's standard output and error appended to two files while the object lives,
// so that a program started meanwhile writes to them.
class RedirectedOutput {
public:
    RedirectedOutput(const std::filesystem::path& output, const std::filesystem::path& errors);
    ~RedirectedOutput();
    RedirectedOutput(const RedirectedOutput&) = delete;
    RedirectedOutput& operator=(const RedirectedOutput&) = delete;

private:
    int savedOutput_ = -1;
    int savedErrors_ = -1;
};

} // namespace kv::e2e::internal
