#pragma once
// TBillboardForm: the slide show beside the copy bar. It steps through the billboard files,
// loading one file and then showing it in turn, so that each page stays for two steps;
// TSetImageThread hands each page's layout to the GUI thread.

#include "installer/setup/billboard_settings.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/timer.h"

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kv::installer {

// The worker of one show step: it only hands `layout` over to the GUI thread, which runs it
// from its message loop; the GUI thread never waits for it. Joined when destroyed. When no
// thread can be started, `layout` is handed over at once.
class TSetImageThread {
public:
    explicit TSetImageThread(std::function<void()> layout);
    ~TSetImageThread();
    TSetImageThread(const TSetImageThread&) = delete;
    TSetImageThread& operator=(const TSetImageThread&) = delete;

private:
    std::thread thread_;
};

// A loaded billboard file: a picture, or a text page.
struct BillboardPage {
    bool isPicture = false;
    ui::Picture picture;
    TextPage text;
};

class TBillboardForm : public ui::Form {
public:
    // `files` are machine paths, shown in order.
    TBillboardForm(BillboardSettings settings, std::vector<std::string> files);
    ~TBillboardForm() override;

    ui::Image& PageImage = add<ui::Image>("PageImage");
    ui::CommandButton& CloseButton = add<ui::CommandButton>("CloseButton");
    ui::Timer& StepTimer = add<ui::Timer>("StepTimer");

    // One step: load the file at the index, or show it (by a TSetImageThread) and advance;
    // past the end the show stops.
    void ShowNext();
    // Loads the file as a text page (".txt") or a picture; an error gives the "File Not
    // Found!" page.
    void LoadText(const std::string& path);
    // Sizes and places the window for the page and shows it.
    void ArrangeImage(const BillboardPage& page);

    const BillboardSettings& Settings() const { return settings_; }
    bool Running() const { return running_; }
    // The text lines shown now (wrapped once painted); empty while a picture shows.
    const std::vector<std::string>& Lines() const { return lines_; }
    int PageCharset() const { return pageCharset_; }

private:
    void Form_Activate();
    void Form_Paint();
    void Form_Unload();
    void CloseButton_Click();
    void StepTimer_Timer();
    // Drops the hand-overs not run yet and joins the threads.
    void StopThreads();

    BillboardSettings settings_;
    std::vector<std::string> files_;
    std::size_t index_ = 0;
    bool loadPhase_ = true;
    bool running_ = false;
    bool firstShowDone_ = false;
    BillboardPage loaded_;
    std::vector<std::string> lines_;
    int pageCharset_ = 1;
    bool wrapPending_ = false;
    // Cleared when the window closes: a hand-over still queued then does nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::vector<std::unique_ptr<TSetImageThread>> threads_;
};

} // namespace kv::installer
