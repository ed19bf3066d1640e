#pragma once
// The parsed form of a UI script.

#include "platform/ui/headless/headless.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::ui::script::internal {

// One action: its verb and arguments, and the line it came from.
struct Action {
    int line = 0;
    std::string verb;
    std::vector<std::string> args;
};

// The actions of one modal show of `form`, or (form empty) of one wait for the user. An
// optional modal block that is never used is no failure.
struct Block {
    int line = 0;
    std::string form;
    std::vector<Action> actions;
    bool optional = false;
};

struct Box {
    int line = 0;
    headless::ExpectedBox expected;
};

// What the user picks the next time the menu pops up: an item, or nothing (dismissed).
struct Popup {
    int line = 0;
    std::string form;
    std::string menu;
    std::string item;
};

struct Script {
    std::vector<Block> modal;
    std::vector<Block> idle;
    std::vector<Box> boxes;
    std::optional<int> otherBoxAnswer; // "box other answer <answer>"
    std::vector<Popup> popups;
};

// Parses a script; nullopt with `error` set ("line 4: ...") when it is not valid.
std::optional<Script> parse(std::string_view text, std::string& error);

} // namespace kv::ui::script::internal
