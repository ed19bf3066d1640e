#include "platform/text/ansi.h"
#include "platform/ui/script/internal/script.h"

#include <map>

namespace kv::ui::script::internal {
namespace {

// Splits a line into words; "quoted text" is one word, with \" \\ \n \r \t escapes.
bool tokenize(std::string_view line, std::vector<std::string>& out, std::string& error) {
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (c == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\' && i < line.size()) {
                    char e = line[i++];
                    word += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
                } else {
                    word += d;
                }
            }
            if (!closed) {
                error = "unterminated quoted text";
                return false;
            }
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word += line[i++];
        }
        out.push_back(std::move(word));
    }
    return true;
}

// Verbs of actions and their argument counts (least, most).
const std::map<std::string, std::pair<int, int>>& verbs() {
    static const std::map<std::string, std::pair<int, int>> table{
        {"set", {2, 2}},      {"tick", {2, 2}},  {"choose", {2, 2}},  {"click", {1, 1}},
        {"dblclick", {1, 1}}, {"key", {2, 3}},   {"mouse", {2, 2}},   {"row", {2, 2}},
        {"dblrow", {2, 2}},   {"check", {3, 3}}, {"column", {2, 2}},  {"menu", {1, 1}},
        {"button", {2, 2}},   {"node", {2, 2}},  {"dblnode", {2, 2}}, {"tab", {2, 2}},
        {"wait", {1, 1}},     {"close", {1, 1}}, {"expect", {3, 5}},  {"dump", {1, 1}}};
    return table;
}

std::optional<int> answerOf(const std::string& name) {
    static const std::pair<const char*, int> answers[] = {
        {"OK", id::Ok},         {"Cancel", id::Cancel}, {"Abort", id::Abort}, {"Retry", id::Retry},
        {"Ignore", id::Ignore}, {"Yes", id::Yes},       {"No", id::No}};
    for (const auto& [n, a] : answers)
        if (text::equalsNoCase(n, name)) return a;
    return std::nullopt;
}

std::optional<unsigned> numberOf(const std::string& s) {
    if (s.empty() || s[0] == '-') return std::nullopt; // stoul would wrap a negative number
    try {
        std::size_t used = 0;
        unsigned long v = std::stoul(s, &used, 0);
        if (used != s.size()) return std::nullopt;
        return static_cast<unsigned>(v);
    } catch (...) {
        return std::nullopt;
    }
}

bool parseBox(const std::vector<std::string>& w, Box& box, std::string& error) {
    for (std::size_t i = 1; i < w.size(); i += 2) {
        if (i + 1 >= w.size()) {
            error = "box: \"" + w[i] + "\" needs a value";
            return false;
        }
        const std::string& key = w[i];
        const std::string& value = w[i + 1];
        if (key == "caption") {
            box.expected.caption = value;
        } else if (key == "text") {
            box.expected.text = value;
        } else if (key == "plain") {
            box.expected.plainText = value;
        } else if (key == "style") {
            auto n = numberOf(value);
            if (!n) return error = "box: style is not a number: " + value, false;
            box.expected.style = *n;
        } else if (key == "answer") {
            auto a = answerOf(value);
            if (!a) return error = "box: unknown answer: " + value, false;
            box.expected.answer = *a;
        } else if (key == "after") {
            auto n = numberOf(value);
            if (!n) return error = "box: after is not a number of ms: " + value, false;
            box.expected.after = *n;
        } else {
            error = "box: unknown field: " + key;
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<Script> parse(std::string_view text, std::string& error) {
    Script script;
    Block* open = nullptr;
    bool openModal = false;
    int number = 0;
    auto fail = [&](const std::string& what) {
        error = "line " + std::to_string(number) + ": " + what;
        return std::nullopt;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        std::vector<std::string> w;
        std::string why;
        if (!tokenize(line, w, why)) return fail(why);
        if (w.empty() || w[0].starts_with("#")) continue;
        const std::string& verb = w[0];
        if (verb == "modal" || verb == "idle") {
            if (open) return fail("\"" + verb + "\" inside a block (missing \"end\")");
            const bool optional = verb == "modal" && w.size() == 3 && w[2] == "optional";
            if (verb == "modal" && w.size() != 2 && !optional)
                return fail("modal: give one form name, then optionally \"optional\"");
            if (verb == "idle" && w.size() != 1) return fail("idle takes no arguments");
            openModal = verb == "modal";
            auto& list = openModal ? script.modal : script.idle;
            list.push_back(Block{number, openModal ? w[1] : std::string(), {}, optional});
            open = &list.back();
        } else if (verb == "end") {
            if (!open) return fail("\"end\" without a block");
            open = nullptr;
        } else if (verb == "box" && w.size() > 1 && w[1] == "other") {
            // The answer to every box not listed.
            if (w.size() != 4 || w[2] != "answer")
                return fail("box other: \"box other answer <answer>\"");
            if (script.otherBoxAnswer) return fail("box other: given twice");
            script.otherBoxAnswer = answerOf(w[3]);
            if (!script.otherBoxAnswer) return fail("box other: unknown answer: " + w[3]);
        } else if (verb == "box") {
            Box box{number, {}};
            if (!parseBox(w, box, why)) return fail(why);
            script.boxes.push_back(std::move(box));
        } else if (verb == "popup") {
            bool pick = w.size() == 4 && w[2] == "pick";
            bool dismiss = w.size() == 3 && w[2] == "dismiss";
            if (!pick && !dismiss)
                return fail("popup: \"popup form.menu pick item\" or \"popup form.menu dismiss\"");
            auto dot = w[1].find('.');
            if (dot == std::string::npos) return fail("popup: address the menu as form.menu");
            script.popups.push_back(Popup{number, w[1].substr(0, dot), w[1].substr(dot + 1),
                                          pick ? w[3] : std::string()});
        } else if (auto v = verbs().find(verb); v != verbs().end()) {
            if (!open) return fail("\"" + verb + "\" outside a modal or idle block");
            int args = static_cast<int>(w.size()) - 1;
            if (args < v->second.first || args > v->second.second)
                return fail(verb + ": wrong number of arguments");
            open->actions.push_back(Action{number, verb, {w.begin() + 1, w.end()}});
        } else {
            return fail("unknown word: " + verb);
        }
    }
    if (open) {
        number = open->line;
        return fail("block not closed with \"end\"");
    }
    return script;
}

} // namespace kv::ui::script::internal
