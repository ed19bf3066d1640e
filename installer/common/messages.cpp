#include "installer/common/messages.h"

#include "platform/ui/application.h"

namespace kv::installer {
namespace {

const std::string kBlanks(20, ' ');

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

bool rightToLeftCharset(int charset) {
    return charset == 177 || charset == 178;
}

int applicationBox(const std::string& caption, const std::string& text, unsigned style) {
    auto& a = ui::app();
    ui::Form* owner = a.mainForm() && a.mainForm()->loaded() ? a.mainForm() : nullptr;
    int answer = a.messageBox(
        ui::MessageBoxRequest{owner, caption, "\r\n\r\n" + WrapMessage(text) + "\r\n", style});
    ProcessMessages();
    return answer;
}

} // namespace

std::string ExpandEscapes(std::string_view text) {
    std::string s(text);
    replaceAll(s, "\\n", "\r\n");
    replaceAll(s, "\\t", "\t");
    replaceAll(s, "<p>", "\r\n");
    replaceAll(s, "<P>", "\r\n");
    return s;
}

std::string IndentLines(std::string_view text) {
    std::string s(text);
    s += "\\n";
    replaceAll(s, "\r\n", "\\n");
    replaceAll(s, "\\n", kBlanks + "\r\n");
    return s;
}

std::string WrapMessage(std::string_view text) {
    std::string s = ExpandEscapes(text), out, line;
    bool any = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            out += line + kBlanks + "\r\n";
            line.clear();
            any = false;
        } else {
            line += c;
            any = true;
        }
    }
    if (any) out += line + kBlanks + "\r\n";
    return out;
}

int ShowMessageBox(ui::Form* owner, const std::string& caption, const std::string& text,
                   unsigned style) {
    int answer = ui::app().messageBox(ui::MessageBoxRequest{
        owner, caption, "\r\n\r\n" + IndentLines(ExpandEscapes(text)) + "\r\n",
        style | ui::mb::TaskModal | ui::mb::TopMost | ui::mb::SetForeground});
    WaitPumping(100);
    return answer;
}

void ShowErrorBox(ui::Form* owner, const std::string& text) {
    ShowMessageBox(owner, "Error", text, ui::mb::IconError);
}

void ErrorMessage(const std::string& text) {
    applicationBox("Error", text, ui::mb::IconError);
}

void CaptionMessage(const std::string& caption, const std::string& text, int charset) {
    unsigned style = ui::mb::IconError;
    if (rightToLeftCharset(charset)) style |= ui::mb::Right | ui::mb::RtlReading;
    applicationBox(caption, text, style);
}

void AttentionMessage(const std::string& text) {
    applicationBox("Attention", text, ui::mb::IconExclamation);
}

bool ConfirmMessage(const std::string& text, unsigned style) {
    int answer = applicationBox("Confirm", text, style);
    return answer == ui::id::Ok || answer == ui::id::Yes;
}

bool AskYesNo(const std::string& text) {
    return applicationBox("Confirm", text, ui::mb::YesNo | ui::mb::IconQuestion) == ui::id::Yes;
}

bool AskOkCancel(const std::string& text) {
    return applicationBox("Confirm", text, ui::mb::OkCancel | ui::mb::IconQuestion) == ui::id::Ok;
}

bool PumpMessage() {
    return ui::app().pumpMessage();
}

void WaitPumping(std::uint32_t ms) {
    ui::app().waitPumping(ms);
}

void ProcessMessages() {
    ui::app().processMessages();
}

void WaitProcessing(std::uint32_t ms) {
    // Tick-count differences, so a wrap of the tick count neither ends nor stalls the wait.
    auto& a = ui::app();
    const std::uint32_t start = a.tickCount();
    while (a.tickCount() - start <= ms) {
        a.processMessages();
        if (a.tickCount() - start <= ms && !a.idleUntil(start + ms + 1)) break;
    }
}

} // namespace kv::installer
