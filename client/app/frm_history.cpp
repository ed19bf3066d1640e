#include "client/app/frm_history.h"

#include "client/app/banner.h"
#include "platform/ui/application.h"

namespace kv::app {
namespace {

constexpr int kStripHeight = 480; // twips
constexpr int kListGap = 110;     // twips between the list and the strip
constexpr int kResponseCell = 3;

} // namespace

frmHistory::frmHistory()
    : kv::ui::Form("frmHistory"), Picture3(add<kv::ui::PictureBox>("Picture3")),
      lvListView(add<kv::ui::ListView>("lvListView", -1, &Picture3)),
      Picture2(add<kv::ui::PictureBox>("Picture2")),
      OKButton(add<kv::ui::CommandButton>("OKButton", -1, &Picture2)),
      CancelButton(add<kv::ui::CommandButton>("CancelButton", -1, &Picture2)) {
    setCaption("Snipe History");
    setBorderStyle(kv::ui::BorderStyle::FixedDialog);
    setGeometry({0, 0, 7200, 4800});
    Picture3.setAlign(kv::ui::Align::Top);
    Picture3.setGeometry({0, 0, 7110, 4300});
    Picture2.setAlign(kv::ui::Align::Bottom);
    Picture2.setGeometry({0, 4300 - kStripHeight, 7110, kStripHeight});
    lvListView.setView(kv::ui::ListViewMode::Report);
    OKButton.setCaption("OK");
    OKButton.setGeometry({4300, 60, 1215, 360});
    CancelButton.setCaption("Cancel");
    CancelButton.setGeometry({5640, 60, 1215, 360});

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
