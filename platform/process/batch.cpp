#include "platform/process/batch.h"

#include "platform/fs/files.h"
#include "platform/process/internal/batch_start.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <charconv>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace kv::process {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> splitLines(std::string_view content) {
    std::vector<std::string> lines;
    while (!content.empty()) {
        const std::size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos) break;
        content.remove_prefix(end + 1);
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The text after a leading word (compared without regard to case) that a blank or the end
// follows, its leading blanks dropped; nothing when the command does not begin with it.
std::optional<std::string_view> after(std::string_view command, std::string_view word) {
    if (command.size() < word.size() || !text::equalsNoCase(command.substr(0, word.size()), word))
        return std::nullopt;
    std::string_view rest = command.substr(word.size());
    if (!rest.empty() && !isBlank(rest.front())) return std::nullopt;
    return trimmed(rest);
}

// The first word of a text, a double-quoted one without its quotes; the text after it.
std::pair<std::string, std::string_view> firstWord(std::string_view s) {
    s = trimmed(s);
    std::size_t end = 0;
    std::string word;
    if (!s.empty() && s.front() == '"') {
        end = s.find('"', 1);
        word = std::string(s.substr(1, end == std::string_view::npos ? end : end - 1));
        end = end == std::string_view::npos ? s.size() : end + 1;
    } else {
        while (end < s.size() && !isBlank(s[end]))
            ++end;
        word = std::string(s.substr(0, end));
    }
    return {word, trimmed(s.substr(end))};
}

// The name a label line gives (":START" gives "START"), or nothing for other lines.
std::optional<std::string> labelOf(std::string_view line) {
    line = trimmed(line);
    if (line.empty() || line.front() != ':') return std::nullopt;
    return firstWord(line.substr(1)).first;
}

class Runner {
public:
    Runner(std::vector<std::string> lines, const BatchLimits& limits)
        : lines_(std::move(lines)), limits_(limits), start_(Clock::now()) {}

    BatchResult run() {
        while (next_ < lines_.size() && !ended_)
            command(lines_[next_++]);
        return {gaveUp_ ? BatchEnd::GaveUp : BatchEnd::Done, errorLevel_};
    }

private:
    void command(std::string_view line) {
        line = trimmed(line);
        if (!line.empty() && line.front() == '@') line = trimmed(line.substr(1));
        if (line.empty() || line.front() == ':') return;
        if (auto rest = after(line, "GOTO")) {
            goTo(*rest);
        } else if (auto cond = after(line, "IF")) {
            ifCommand(*cond);
        } else if (auto del = after(line, "DEL")) {
            const std::string path = firstWord(*del).first;
            if (!path.empty()) errorLevel_ = fs::exists(path) && !fs::deleteFile(path) ? 1 : 0;
        } else if (auto rd = after(line, "RD")) {
            const std::string path = firstWord(*rd).first;
            if (!path.empty()) fs::removeFolder(path);
        }
        // REM, ECHO and anything else: nothing to do.
    }

    void ifCommand(std::string_view cond) {
        bool negate = false;
        if (auto rest = after(cond, "NOT")) {
            negate = true;
            cond = *rest;
        }
        bool holds = false;
        std::string_view then;
        if (auto level = after(cond, "ERRORLEVEL")) {
            const auto [number, tail] = firstWord(*level);
            int n = 0;
            const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), n);
            if (ec != std::errc() || end != number.data() + number.size()) return;
            holds = errorLevel_ >= n;
            then = tail;
        } else if (auto exist = after(cond, "EXIST")) {
            const auto [path, tail] = firstWord(*exist);
            holds = !path.empty() && fs::exists(path);
            then = tail;
        } else {
            return;
        }
        if (holds != negate) command(then);
    }

    // A jump to a label of the file; a missing label ends the batch. A jump back waits, and
    // once the bound has passed the batch gives up instead.
    void goTo(std::string_view rest) {
        std::string label = firstWord(rest).first;
        if (!label.empty() && label.front() == ':') label.erase(0, 1);
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::optional<std::string> name = labelOf(lines_[i]);
            if (!name || !text::equalsNoCase(*name, label)) continue;
            if (i < next_) {
                if (Clock::now() - start_ >= limits_.bound) {
                    gaveUp_ = ended_ = true;
                    return;
                }
                std::this_thread::sleep_for(limits_.jumpWait);
            }
            next_ = i + 1;
            return;
        }
        ended_ = true;
    }

    std::vector<std::string> lines_;
    BatchLimits limits_;
    Clock::time_point start_;
    std::size_t next_ = 0;
    int errorLevel_ = 0;
    bool ended_ = false;
    bool gaveUp_ = false;
};

} // namespace

BatchResult runBatch(std::string_view path, const BatchLimits& limits) {
    const std::optional<std::string> content = fs::readFile(path);
    if (!content) return {};
    return Runner(splitLines(*content), limits).run();
}

std::optional<int> runBatchIfAsked() {
    // Only the process the batch was handed to: anything it inherits the variables by is not.
    if (!internal::handedBatch()) return std::nullopt;
    const std::string path = std::getenv(kBatchVariable);
    machine::openMachine(machine::defaultMachineFolder());
    return runBatch(path).end == BatchEnd::Done ? 0 : 1;
}

} // namespace kv::process
