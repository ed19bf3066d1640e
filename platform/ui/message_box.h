#pragma once
// Message boxes: the platform's style bits, its answers, and one box's request.

#include <string>

namespace kv::ui {

class Form;

namespace mb {
// Buttons
constexpr unsigned OkOnly = 0x0;
constexpr unsigned OkCancel = 0x1;
constexpr unsigned AbortRetryIgnore = 0x2;
constexpr unsigned YesNoCancel = 0x3;
constexpr unsigned YesNo = 0x4;
constexpr unsigned RetryCancel = 0x5;
constexpr unsigned ButtonsMask = 0xF;
// Icons
constexpr unsigned IconError = 0x10; // the critical-stop icon
constexpr unsigned IconQuestion = 0x20;
constexpr unsigned IconExclamation = 0x30;
constexpr unsigned IconInformation = 0x40;
constexpr unsigned IconMask = 0xF0;
// Default button
constexpr unsigned DefButton2 = 0x100;
constexpr unsigned DefButton3 = 0x200;
// Modality and placement
constexpr unsigned SystemModal = 0x1000;
constexpr unsigned TaskModal = 0x2000;
constexpr unsigned SetForeground = 0x10000;
constexpr unsigned TopMost = 0x40000;
constexpr unsigned Right = 0x80000;
constexpr unsigned RtlReading = 0x100000;
} // namespace mb

// The platform's answers.
namespace id {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace id

// One message box: its owner (none: the desktop), caption, text and style bits.
struct MessageBoxRequest {
    Form* owner = nullptr;
    std::string caption;
    std::string text;
    unsigned style = 0;
};

// The answers a box of this style offers, in button order ("OK", "Cancel" -> {1, 2}).
int buttonCount(unsigned style);
int buttonAnswer(unsigned style, int button);
// The answer of the box's default button (the first, unless DefButton2 or 3 is set).
int defaultAnswer(unsigned style);
// Readable names for reports: "OK", "Yes"...; "MB_YESNO|MB_ICONQUESTION|0x52000"...
std::string answerName(int answer);
std::string styleName(unsigned style);

} // namespace kv::ui
