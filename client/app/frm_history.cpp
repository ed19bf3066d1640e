#include "client/app/frm_history.h"

#include "client/app/banner.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

namespace kv::app {
namespace {

constexpr int kStripHeight = 480; // twips
constexpr int kListGap = 110;     // twips between the list and the strip
constexpr int kResponseCell = 3;

} // namespace

frmHistory::frmHistory() : kv::ui::Form("frmHistory") {
    using namespace kv::ui;
    // The design layout, in twips; the list's area along the top edge, the button strip
    // along the bottom one.
    applyDesign({
        {.widget = this, .caption = "Snipe History", .geometry = {0, 0, 7200, 4800}},
        {.widget = &Picture3, .geometry = {0, 0, 7110, 4300}},
        {.widget = &lvListView, .parent = &Picture3},
        {.widget = &Picture2, .geometry = {0, 4300 - kStripHeight, 7110, kStripHeight}},
        {.widget = &OKButton,
         .parent = &Picture2,
         .caption = "OK",
         .geometry = {4300, 60, 1215, 360}},
        {.widget = &CancelButton,
         .parent = &Picture2,
         .caption = "Cancel",
         .geometry = {5640, 60, 1215, 360}},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Picture3.setAlign(Align::Top);
    Picture2.setAlign(Align::Bottom);
    lvListView.setView(ListViewMode::Report);

    onLoad = [this] { Form_Load(); };
    OKButton.onClick = [this] { unload(); };
    CancelButton.onClick = [this] { unload(); };
    // A single click does what a double click does.
    lvListView.onClick = [this] { showResponse(); };
    lvListView.onDblClick = [this] { showResponse(); };
}

void frmHistory::Form_Load() {
    Picture2.setPicture(bannerPicture());
    lvListView.setGeometry({lvListView.left(), lvListView.top(), Picture3.width(),
                            Picture3.height() - Picture2.height() - kListGap});
}

void frmHistory::showResponse() {
    const int row = lvListView.selectedIndex();
    if (row < 0) return;
    const std::string response = lvListView.text(row, kResponseCell);
    if (response.empty()) return;
    kv::ui::app().messageBox(response, kv::ui::mb::OkOnly, "eBay Response");
}

} // namespace kv::app
