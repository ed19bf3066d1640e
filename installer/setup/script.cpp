#include "installer/setup/script.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/messages.h"
#include "installer/common/text_utils.h"
#include "platform/fs/files.h"
#include "platform/text/ansi.h"

#include <algorithm>

namespace kv::installer {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

// Lines separated by CR LF, LF or CR; no empty line after a final break.
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", from), text.size());
        lines.emplace_back(text.substr(from, end - from));
        from = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++from;
    }
    return lines;
}

} // namespace

std::string GroupItem(const ScriptGroup& group, int index) {
    return ListItem("|" + group.record + "|", index);
}

CopyFileItem SplitCopyFileItem(std::string_view item) {
    CopyFileItem out;
    std::size_t at = 0;
    if (!item.empty() && item[0] == '*') {
        out.flags = 1;
        at = 1;
    }
    std::size_t digits = at;
    while (digits < item.size() && item[digits] >= '0' && item[digits] <= '9')
        ++digits;
    if (digits > at && digits < item.size() && item[digits] == '*') {
        int value = 0;
        for (std::size_t i = at; i < digits; ++i)
            value = value > 100000000 ? value : value * 10 + (item[i] - '0');
        out.flags = value;
        at = digits + 1;
    }
    out.name = std::string(item.substr(at));
    return out;
}

std::string UnquoteArgument(std::string_view argument) {
    if (argument.size() < 2 || argument.front() != '"' || argument.back() != '"')
        return std::string(argument);
    // Inside the outer quotes every run of quotes loses one, so a doubled quote becomes one
    // (also when it stands next to an outer quote).
    const std::string_view inner = argument.substr(1, argument.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < inner.size(); ++i)
        if (inner[i] != '"' || (i > 0 && inner[i - 1] == '"')) out += inner[i];
    return out;
}

void TScript::Reset() {
    lines_.clear();
    texts_.assign(index(ScriptText::Count), std::string());
    flags_.assign(index(ScriptFlag::Count), 0);
    lists_.assign(index(ScriptList::Count), {});
    groups_.clear();
    texts_[index(ScriptText::TopBgColor)] = "16711680";
    texts_[index(ScriptText::BottomBgColor)] = "8388608";
    langFlag_ = 1;
    overwriteFlag_ = 0;
    globalOverwriteFlag_ = 1;
    dialogDx_ = dialogDy_ = bgBitmapDx_ = bgBitmapDy_ = 0;
    copyToUninstall_ = false;
    subDir_.clear();
    subDirPending_ = false;
    pages_.clear();
    pageIndex_ = 0;
}

bool TScript::LoadFromFile(const std::string& path) {
    Reset();
    std::optional<std::string> text = fs::readFile(path);
    if (!text) return false;
    Run(std::move(*text));
    return true;
}

void TScript::LoadFromText(std::string_view text) {
    Reset();
    Run(std::string(text));
}

void TScript::Run(std::string text) {
    // Block comments may span lines, so they go first, over the whole text.
    StripBlockComments(text);
    lines_ = splitLines(text);
    StripLineComments(lines_);
    TrimAndDropEmpty(lines_);
    Execute();
}

// Repeatedly removes the text from the first "/*" to the first "*/" (which may share its
// star), stopping when either is missing or the first "*/" comes before the first "/*".
// Text already kept holds neither, so each step only looks where a removal joined two
// pieces and further on: one pass.
void TScript::StripBlockComments(std::string& text) {
    const std::size_t n = text.size();
    std::string out;
    out.reserve(n);
    std::size_t at = 0; // the text from here on is not looked at yet
    for (;;) {
        bool joined = false; // the "/*" is the kept text's last '/' and a '*' at `at`
        std::size_t open = std::string::npos;
        if (!out.empty() && at < n) {
            if (out.back() == '*' && text[at] == '/') break;
            joined = out.back() == '/' && text[at] == '*';
        }
        if (!joined) {
            for (std::size_t i = at; i + 1 < n; ++i) {
                if (text[i] == '*' && text[i + 1] == '/') break;
                if (text[i] == '/' && text[i + 1] == '*') {
                    open = i;
                    break;
                }
            }
            if (open == std::string::npos) break;
        }
        std::size_t close = std::string::npos;
        for (std::size_t i = joined ? at : open + 1; i + 1 < n; ++i)
            if (text[i] == '*' && text[i + 1] == '/') {
                close = i;
                break;
            }
        if (close == std::string::npos) break;
        if (joined)
            out.pop_back();
        else
            out.append(text, at, open - at);
        at = close + 2;
    }
    out.append(text, at, std::string::npos);
    text = std::move(out);
}

void TScript::StripLineComments(std::vector<std::string>& lines) {
    for (std::string& line : lines) {
        std::size_t from = 0;
        for (;;) {
            const std::size_t at = line.find("//", from);
            if (at == std::string::npos) break;
            if (at > 0 && line[at - 1] == ':') {
                from = at + 2;
                continue;
            }
            line.erase(at);
            break;
        }
    }
}

void TScript::TrimAndDropEmpty(std::vector<std::string>& lines) {
    std::size_t kept = 0;
    for (std::string& line : lines) {
        std::size_t b = 0, e = line.size();
        while (b < e && isBlank(line[b]))
            ++b;
        while (e > b && isBlank(line[e - 1]))
            --e;
        if (b == e) continue;
        line.erase(e);
        line.erase(0, b);
        if (&lines[kept] != &line) lines[kept] = std::move(line);
        ++kept;
    }
    lines.resize(kept);
}

void TScript::Execute() {
    for (const std::string& raw : lines_) {
        if (copyToUninstall_) {
            lists_[index(ScriptList::Removal)].push_back(trim(raw));
            continue;
        }
        std::string line = trim(raw);
        if (const std::size_t semi = line.rfind(';'); semi != std::string::npos) line.erase(semi);
        std::string command = line, argument;
        if (const std::size_t open = line.find('('); open != std::string::npos && open >= 1) {
            command = line.substr(0, open);
            const std::size_t close = line.rfind(')');
            if (close != std::string::npos && close > open)
                argument = line.substr(open + 1, close - open - 1);
            argument = UnquoteArgument(argument);
        }
        command = text::toUpper(trim(command));
        if (command.empty()) continue;
        if (!ExecuteCommand(command, argument))
            ErrorMessage(line + "\\n\\nUnrecognized command in Script file");
    }
}

bool TScript::ClosePendingSubDir() {
    if (!subDirPending_ || subDir_.empty()) return true;
    if (groups_.empty()) return false;
    groups_.back().entries.push_back(std::to_string(overwriteFlag_) + "|" + subDir_ + "|");
    subDirPending_ = false;
    return true;
}

bool TScript::UseScriptFile(std::string_view sourcePath) {
    const std::size_t slash = sourcePath.find_last_of("\\/:");
    const std::string_view name =
        slash == std::string_view::npos ? sourcePath : sourcePath.substr(slash + 1);
    auto& uses = lists_[index(ScriptList::SourceUses)];
    for (auto it = uses.begin(); it != uses.end(); ++it)
        if (text::equalsNoCase(*it, name)) {
            uses.erase(it);
            break;
        }
    for (const std::string& use : uses)
        if (text::equalsNoCase(use, name)) return true;
    return false;
}

int TScript::PageIndexOf(std::string_view name) const {
    const std::string wanted = trim(name);
    const int count = ListCount(pages_);
    for (int i = 0; i < count; ++i)
        if (text::equalsNoCase(trim(ListItem(pages_, i)), wanted)) return i;
    return -1;
}

std::string TScript::CurrentPage() const {
    if (pageIndex_ < 0 || pageIndex_ >= ListCount(pages_)) return {};
    return trim(ListItem(pages_, pageIndex_));
}

bool TScript::IsPageListed(std::string_view name) const {
    return !name.empty() && PosText(name, pages_) > 0;
}

} // namespace kv::installer
