#include "platform/ui/message_box.h"

#include <array>
#include <cstdio>
#include <vector>

namespace kv::ui {
namespace {

std::vector<int> answers(unsigned style) {
    switch (style & mb::ButtonsMask) {
    case mb::OkCancel:
        return {id::Ok, id::Cancel};
    case mb::AbortRetryIgnore:
        return {id::Abort, id::Retry, id::Ignore};
    case mb::YesNoCancel:
        return {id::Yes, id::No, id::Cancel};
    case mb::YesNo:
        return {id::Yes, id::No};
    case mb::RetryCancel:
        return {id::Retry, id::Cancel};
    default:
        return {id::Ok};
    }
}

} // namespace

int buttonCount(unsigned style) {
    return static_cast<int>(answers(style).size());
}

int buttonAnswer(unsigned style, int button) {
    auto list = answers(style);
    if (button < 0 || button >= static_cast<int>(list.size())) return 0;
    return list[static_cast<std::size_t>(button)];
}

int defaultAnswer(unsigned style) {
    int button = (style & mb::DefButton3) ? 2 : (style & mb::DefButton2) ? 1 : 0;
    if (button >= buttonCount(style)) button = 0;
    return buttonAnswer(style, button);
}

std::string answerName(int answer) {
    static const std::array<const char*, 8> names = {"none",  "OK",     "Cancel", "Abort",
                                                     "Retry", "Ignore", "Yes",    "No"};
    if (answer >= 0 && answer < static_cast<int>(names.size()))
        return names[static_cast<std::size_t>(answer)];
    return std::to_string(answer);
}

std::string styleName(unsigned style) {
    static const std::array<const char*, 6> buttons = {
        "OK", "OKCANCEL", "ABORTRETRYIGNORE", "YESNOCANCEL", "YESNO", "RETRYCANCEL"};
    static const std::array<const char*, 5> icons = {"", "ICONERROR", "ICONQUESTION",
                                                     "ICONEXCLAMATION", "ICONINFORMATION"};
    std::string out;
    unsigned b = style & mb::ButtonsMask;
    out = b < buttons.size() ? std::string("MB_") + buttons[b] : "MB_" + std::to_string(b);
    unsigned icon = (style & mb::IconMask) >> 4;
    if (icon > 0 && icon < icons.size()) out += std::string("|MB_") + icons[icon];
    unsigned rest = style & ~(mb::ButtonsMask | mb::IconMask);
    if (rest != 0) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "|0x%X", rest);
        out += hex;
    }
    return out;
}

} // namespace kv::ui
