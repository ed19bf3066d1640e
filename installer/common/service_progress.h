#pragma once
// The service progress window: "Start/Stop NT-Service" with the action and the service's
// name, and a bar that runs round while a service starts or stops. One instance at a time,
// made when a service action shows progress and freed when the action ends.

#include "platform/ui/form.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"

#include <string_view>

namespace kv::installer {

class TSrvBarDlg : public ui::Form {
public:
    TSrvBarDlg();

    ui::Label& Label1 = add<ui::Label>("Label1"); // the action text
    ui::Label& Label2 = add<ui::Label>("Label2"); // the service's name
    ui::ProgressBar& ProgressBar1 = add<ui::ProgressBar>("ProgressBar1");
    ui::Timer& Timer1 = add<ui::Timer>("Timer1");

    // The bar's step per tick.
    static constexpr int kStep = 1;

    // Hiding the window stops the timer.
    void setVisible(bool visible) override;

private:
    void Form_Load();
    // Advances the bar one step; at the maximum it goes back to the minimum.
    void Timer1Timer();
};

// The window when one exists, else null.
TSrvBarDlg* SrvBarDlg();
// Creates the window when none exists, sets its labels, the bar to 0..20 at 0, starts the
// timer, shows the window and waits 1000 ms processing messages.
void ShowServiceProgress(std::string_view actionText, std::string_view serviceName);
// Frees the window.
void HideServiceProgress();

} // namespace kv::installer
