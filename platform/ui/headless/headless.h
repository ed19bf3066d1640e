#pragma once
// The deterministic backend for tests: a virtual clock that jumps to the next timer or
// deadline, modal shows handed to test callbacks, message boxes answered from an ordered
// queue of expected boxes, and a record of every window shown and every box. Window states
// change a form's geometry as real windows do: maximised it covers the work area,
// minimised it keeps its geometry, restored it gets its normal geometry back.

#include "platform/ui/application.h"
#include "platform/ui/backend.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kv::ui::headless {

// One recorded event: a form shown (modeless or modal), hidden or unloaded, a box, or a
// note (a browser's navigation or command, a clipboard write, a pop-up menu, a caret hidden
// or shown, a line a UI script adds such as a dump of a form: its `text`).
struct Record {
    enum class Kind { Shown, ShownModal, Hidden, Unloaded, Box, Note };
    Kind kind = Kind::Shown;
    std::uint32_t tick = 0;
    std::string form;    // the form's name (a box: its owner's, or empty for the desktop)
    std::string caption; // the form's or the box's caption
    std::string text;    // a box's text
    unsigned style = 0;
    int answer = 0;        // a box's; 0 (none) when the program ended while it was open
    bool unlisted = false; // a box answered by the answer for boxes the test did not list
    Rect geometry;         // a shown form's, in its units
};

// A box the test expects next; unset fields match anything. `plainText` compares the
// text after plainText() below. `after`: the virtual ms the user takes to answer, while the
// box's message loop runs timers and posted calls (a program may end meanwhile).
struct ExpectedBox {
    std::optional<std::string> caption;
    std::optional<std::string> text;
    std::optional<std::string> plainText;
    std::optional<unsigned> style;
    int answer = id::Ok;
    std::uint32_t after = 0;
};

// A box's text with each line trimmed of blanks and empty lines dropped, joined by "\n".
std::string plainText(const std::string& text);

class HeadlessBackend : public Backend {
public:
    // The virtual clock.
    std::uint32_t tickCount() override { return now_; }
    void advance(std::uint32_t ms) { now_ += ms; }
    void setTickCount(std::uint32_t tick) { now_ = tick; }

    // The user of modal shows: one callback per show of the named form, in order; then
    // the fallback for every other modal show.
    void onModal(const std::string& formName, std::function<void(Form&)> turn);
    void setModalHandler(std::function<void(Form&)> turn) { modalFallback_ = std::move(turn); }
    // The user while the program waits for input; returns true when it did something.
    void setIdleHandler(std::function<bool()> handler) { idleHandler_ = std::move(handler); }
    // Longest virtual time a run or modal show waits on timers alone (default one hour).
    void setRunLimit(std::uint32_t ms) { runLimit_ = ms; }
    // When set, the program's run (not a modal show) waiting for the user with no idle
    // action left runs its timers for at most `ms` more virtual time (what the program
    // finishes by itself), then gives up, repeating timers or not.
    void setNoActionGrace(std::optional<std::uint32_t> ms) { noActionGrace_ = ms; }

    // Queues the next expected box.
    void expectBox(ExpectedBox box) { expected_.push_back(std::move(box)); }
    // The answer to every box that is not the next expected one (its default button when it
    // has no such button): recorded as unlisted, not a failure, the expected box still next.
    void answerUnlistedBoxes(int answer) { unlistedAnswer_ = answer; }
    std::size_t pendingBoxes() const { return expected_.size(); }

    const std::vector<Record>& records() const { return records_; }
    std::vector<Record> boxes() const;
    // A readable line per record.
    std::string transcript() const;
    // Adds a note to the records at the current tick.
    void note(std::string text);
    // Puts a text on the clipboard as another program would (no note of a write).
    void putClipboardText(std::string text) { clipboard_ = std::move(text); }
    // Surprise and mismatched boxes, stuck loops; finish() adds expected boxes that never
    // came and returns all failures as one report (empty when all went as expected).
    const std::vector<std::string>& failures() const { return failures_; }
    std::string finish();

    // Backend
    bool idle(const IdleRequest& request) override;
    void formShown(Form& form, ShowMode mode) override;
    void propertyChanged(Widget& widget, Property property) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void modalTurn(Form& form) override;
    int messageBox(const MessageBoxRequest& request) override;
    void setClipboardText(const std::string& text) override;
    std::string clipboardText() override { return clipboard_; }
    void loopStuck(const IdleRequest& request) override;

private:
    void record(Record::Kind kind, Form& form);
    void applyWindowState(Form& form);
    std::uint32_t now_ = 0;
    std::uint32_t runLimit_ = 3600 * 1000;
    std::optional<std::uint32_t> noActionGrace_;
    std::optional<std::uint32_t> noActionSince_; // when the user's actions ran out
    std::map<std::string, std::deque<std::function<void(Form&)>>> modal_;
    std::function<void(Form&)> modalFallback_;
    std::function<bool()> idleHandler_;
    std::deque<ExpectedBox> expected_;
    std::optional<int> unlistedAnswer_;
    std::vector<Record> records_;
    std::vector<std::string> failures_;
    std::string clipboard_;
    std::map<const Form*, Rect> normalGeometry_; // of the forms maximised now
    int boxCount_ = 0;
};

// Resets the application and the control host and installs a fresh headless backend.
HeadlessBackend& install();

} // namespace kv::ui::headless
