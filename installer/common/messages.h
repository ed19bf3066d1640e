#pragma once
// The installer's message boxes, their text preparation, and the waits that keep the
// windows responsive (message pumping on the application's loop).

#include "platform/ui/form.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

// "\n" -> CR LF, then "\t" -> TAB, then "<p>" and "<P>" -> CR LF.
std::string ExpandEscapes(std::string_view text);
// Every line (CR LF or "\n" breaks, one more at the end) ends with 20 blanks and CR LF.
std::string IndentLines(std::string_view text);
// Expands the escapes, then ends every line with 20 blanks and CR LF.
std::string WrapMessage(std::string_view text);

// A box with style | task-modal, top-most, set-foreground; owner none: the desktop.
// Waits 100 ms pumping messages afterwards; returns the answer.
int ShowMessageBox(ui::Form* owner, const std::string& caption, const std::string& text,
                   unsigned style);
// "Error" box with the error icon.
void ShowErrorBox(ui::Form* owner, const std::string& text);
// Application-level boxes, owned by the main window, followed by one round of processing.
void ErrorMessage(const std::string& text);
// Error box with the given caption; right-aligned right-to-left for charsets 177 and 178.
void CaptionMessage(const std::string& caption, const std::string& text, int charset);
void AttentionMessage(const std::string& text);
// "Confirm" box of the given style: true for OK or Yes.
bool ConfirmMessage(const std::string& text, unsigned style);
bool AskYesNo(const std::string& text);
bool AskOkCancel(const std::string& text);

// Handles one pending message; false when none was pending.
bool PumpMessage();
// Pumps messages until more than `ms` milliseconds have passed.
void WaitPumping(std::uint32_t ms);
// Handles every pending message.
void ProcessMessages();
// Processes messages until more than `ms` milliseconds have passed.
void WaitProcessing(std::uint32_t ms);

} // namespace kv::installer
