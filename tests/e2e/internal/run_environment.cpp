#include "tests/e2e/internal/run_environment.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace kv::e2e::internal {

ScopedEnvironment::~ScopedEnvironment() {
    // Latest first, so a variable changed twice gets its first value back.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        if (it->second)
            ::setenv(it->first.c_str(), it->second->c_str(), 1);
        else
            ::unsetenv(it->first.c_str());
    }
}

void ScopedEnvironment::remember(const std::string& name) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
}

void ScopedEnvironment::set(const std::string& name, const std::string& value) {
    remember(name);
    ::setenv(name.c_str(), value.c_str(), 1);
}

void ScopedEnvironment::unset(const std::string& name) {
    remember(name);
    ::unsetenv(name.c_str());
}

namespace {

// Points fd at the file (appending) and returns a copy of what it was, or -1.
int redirect(int fd, const std::filesystem::path& file) {
    const int target = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (target < 0) return -1;
    const int saved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (saved >= 0 && ::dup2(target, fd) < 0) {
        ::close(saved);
        ::close(target);
        return -1;
    }
    ::close(target);
    return saved;
}

void restore(int fd, int saved) {
    if (saved < 0) return;
    ::dup2(saved, fd);
    ::close(saved);
}

} // namespace

RedirectedOutput::RedirectedOutput(const std::filesystem::path& output,
                                   const std::filesystem::path& errors) {
    std::fflush(stdout);
    std::fflush(stderr);
    savedOutput_ = redirect(STDOUT_FILENO, output);
    savedErrors_ = redirect(STDERR_FILENO, errors);
}

RedirectedOutput::~RedirectedOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    restore(STDOUT_FILENO, savedOutput_);
    restore(STDERR_FILENO, savedErrors_);
}

} // namespace kv::e2e::internal
