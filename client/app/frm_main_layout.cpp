// frmMain's layout: SizeControls placing every pane around the two dividers, the dividers'
// drags, and collapsing and reopening the folders pane.

#include "client/app/frm_main.h"
#include "client/app/main_icons.h"
#include "platform/ui/design.h"
#include "platform/ui/docking.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>

namespace kv::app {
namespace {

constexpr int kLeastX = 100;      // x at this or below collapses the folders pane
constexpr int kRightMargin = 100; // x stays this far inside the window's right edge
constexpr int kTreeLeft = 20;
constexpr int kListGap = 140;       // from x to the list's left edge
constexpr int kListWidthLess = 240; // the list is W - (tree width + this) wide
constexpr int kLeastY = 3975;       // least y while no preview is docked at the top
constexpr int kTabBand = 490;       // the tab strip's band above the list
constexpr int kGap = 20;            // below the tab band, and between bars and panes
constexpr int kSearchBarInset = 25; // the search bar below the tab strip's top
constexpr int kListBottom = 65;     // the list's bottom margin
constexpr int kCloseInset = 30;     // the close button inside the tree's corner
constexpr int kCloseRoom = 60;      // the close button shows while x > its width + this
constexpr int kFoldersOpenX = 2740; // where the folders pane reopens
constexpr int kGhostLeast = 10;     // the vertical ghost's leftmost position
constexpr int kGhostMargin = 500;   // the ghosts keep this far from the window's edges

// A position in whole twips (halves to even); nullopt when it does not fit.
std::optional<int> whole(double v) {
    v = std::nearbyint(v);
    if (!(v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()))
        return std::nullopt;
    return static_cast<int>(v);
}

// Each placement is one property; one that cannot take its value (a negative size, a
// number out of range) keeps its old one and the layout goes on.
void setLeft(kv::ui::Widget& w, double v) {
    if (auto p = whole(v)) w.move(*p, w.top());
}
void setTop(kv::ui::Widget& w, double v) {
    if (auto p = whole(v)) w.move(w.left(), *p);
}
void setWidth(kv::ui::Widget& w, double v) {
    if (auto p = whole(v); p && *p >= 0) w.resize(*p, w.height());
}
void setHeight(kv::ui::Widget& w, double v) {
    if (auto p = whole(v); p && *p >= 0) w.resize(w.width(), *p);
}

} // namespace

void frmMain::applyLayoutDesign() {
    using namespace kv::ui;
    applyDesign({
        {.widget = &tbToolbar, .geometry = {0, 0, 6260, 420}},
        {.widget = &sbStatusBar, .geometry = {0, 5510, 6260, 300}},
        {.widget = &ts1, .geometry = {0, 420, 6260, kTabBand}},
        {.widget = &tvTreeView, .geometry = {kTreeLeft, 930, kFoldersOpenX, 3000}},
        {.widget = &lvListView, .geometry = {2880, 930, 3380, 3000}},
        {.widget = &wb1, .geometry = {2880, 930, 3380, 3000}},
        {.widget = &picSplitter2, .geometry = {kFoldersOpenX, 930, 120, 3000}},
        {.widget = &picSplitter4, .geometry = {0, kLeastY, 6260, 75}, .state = kHidden},
        {.widget = &picSplitter3, .geometry = {0, kLeastY, 6260, 75}},
        {.widget = &picSplitter1, .geometry = {kFoldersOpenX, 930, 60, 3000}, .state = kHidden},
        {.widget = &picGripper, .geometry = {kTreeLeft, 930, kLeastX, 3000}, .state = kHidden},
        {.widget = &Picture2, .parent = &picGripper, .geometry = {0, 0, kLeastX, 240}},
        {.widget = &closeFolders, .caption = "x", .geometry = {2500, 960, 240, 240}},
        {.widget = &searchBar, .geometry = {1300, 445, 5000, 420}},
    });
    fillColumnArrows(imlColumnArrows);
    lvListView.setColumnHeaderIcons(&imlColumnArrows);
    // The preview starts hidden and without height (docked below the list).
    previewPane.resize(previewPane.width(), 0);
    tbToolbar.setAlign(Align::Top);
    sbStatusBar.setAlign(Align::Bottom);
    for (PictureBox* bar : {&picSplitter1, &picSplitter2, &picSplitter3, &picSplitter4, &picGripper,
                            &Picture2, &previewPane, &searchBar})
        bar->setBorderStyle(BorderStyle::None);
    picSplitter1.setBackColor(0x808080);
    picSplitter3.setBackColor(0x808080);
    picSplitter2.setMousePointer(MousePointer::SizeWE);
    picSplitter4.setMousePointer(MousePointer::SizeNS);

    picSplitter2.onMouseDown = [this](const MouseEvent& e) { picSplitter2_MouseDown(e); };
    picSplitter2.onMouseMove = [this](const MouseEvent& e) { picSplitter2_MouseMove(e); };
    picSplitter2.onMouseUp = [this](const MouseEvent& e) { picSplitter2_MouseUp(e); };
    picSplitter4.onMouseDown = [this](const MouseEvent& e) { picSplitter4_MouseDown(e); };
    picSplitter4.onMouseMove = [this](const MouseEvent& e) { picSplitter4_MouseMove(e); };
    picSplitter4.onMouseUp = [this](const MouseEvent& e) { picSplitter4_MouseUp(e); };
    closeFolders.onClick = [this] { closeFolders_Click(); };
    picGripper.onClick = [this] { picGripper_Click(); };
    Picture2.onClick = [this] { Picture2_Click(); };
}

void frmMain::layOutInPlace() {
    float x = static_cast<float>(picSplitter2.left());
    float y = static_cast<float>(picSplitter4.top());
    SizeControls(x, y);
}

void frmMain::SizeControls(float& x, float& y) {
    using kv::ui::Align;
    // The docked bars and preview first: the rules read their places.
    kv::ui::arrangeDocked(*this);
    const int W = width();
    const int Hout = height();
    const int H = kv::ui::clientSize(*this).height;

    // Across the window; the tree's left.
    setLeft(ts1, 0);
    setWidth(ts1, W);
    setWidth(picSplitter3, W);
    setWidth(picSplitter4, W);
    setLeft(tvTreeView, kTreeLeft);

    // x, at least the gripper's width and inside the window, and the panes beside it.
    if (x < kLeastX) x = kLeastX;
    if (x > W - kRightMargin) x = static_cast<float>(W - kRightMargin);
    setWidth(tvTreeView, x);
    setLeft(picSplitter2, x);
    setLeft(picSplitter3, 0);
    setLeft(picSplitter4, 0);
    setLeft(lvListView, x + kListGap);
    setLeft(wb1, lvListView.left());
    setWidth(lvListView, W - (tvTreeView.width() + kListWidthLess));
    setWidth(wb1, lvListView.width());

    // The least y, and y between it and the window's height less it (in a window shorter
    // than twice the least y, y ends below it).
    const bool previewOnTop = previewPane.align() == Align::Top;
    int m = 0;
    if (previewOnTop) {
        const long least =
            std::lrint(static_cast<double>(H) - kLeastY - kTabBand - tbToolbar.height());
        if (least >= std::numeric_limits<std::int16_t>::min() &&
            least <= std::numeric_limits<std::int16_t>::max())
            m = static_cast<int>(least);
    } else {
        m = kLeastY;
    }
    if (y < m) y = static_cast<float>(m);
    if (y > Hout - m) y = static_cast<float>(Hout - m);

    // Top to bottom, by where the preview is. A hidden toolbar keeps its height and still
    // counts in the list's height.
    const int toolbar = tbToolbar.height();
    const int status = sbStatusBar.height();
    const int bar = picSplitter3.height();
    if (previewOnTop && previewPane.visible()) {
        setHeight(previewPane, y - previewPane.top());
        setTop(picSplitter3, y);
        setTop(lvListView, y + bar + kTabBand + kGap);
        setTop(ts1, y + bar + kGap);
        setHeight(lvListView, H - kTabBand - (sbStatusBar.visible() ? status : 0) - toolbar -
                                  previewPane.height() - kListBottom);
    } else {
        setTop(lvListView, tbToolbar.visible() ? toolbar + kTabBand + kGap : kTabBand + kGap);
        setTop(picSplitter3, y);
        setTop(ts1, toolbar);
        if (previewPane.visible()) {
            if (sbStatusBar.visible()) {
                setHeight(previewPane, H - y - status - bar - kGap);
                setHeight(lvListView, H - kTabBand - toolbar - status - bar - previewPane.height() -
                                          kListBottom);
            } else {
                setHeight(previewPane, H - y - kGap);
                setHeight(lvListView,
                          H - kTabBand - toolbar - previewPane.height() - bar - kListBottom);
            }
        } else {
            setHeight(lvListView, H - kTabBand - (sbStatusBar.visible() ? status : 0) - toolbar -
                                      previewPane.height() - kListBottom);
            setHeight(previewPane, 0);
        }
    }
    // A docked preview's new height moves its edge.
    kv::ui::arrangeDocked(*this);

    // The preview's browser, the search bar, the divider at y, and the panes beside the
    // list at its top and height.
    wb2.setGeometry({0, 0, previewPane.width(), previewPane.height()});
    setTop(searchBar, ts1.top() + kSearchBarInset);
    setTop(picSplitter4, picSplitter3.top());
    const int listTop = lvListView.top();
    const int listHeight = lvListView.height();
    using Panes = std::initializer_list<kv::ui::Widget*>;
    for (kv::ui::Widget* w : Panes{&picSplitter1, &picSplitter2, &tvTreeView, &wb1})
        setTop(*w, listTop);
    for (kv::ui::Widget* w : Panes{&tvTreeView, &wb1, &ts1, &picSplitter1, &picSplitter2})
        setHeight(*w, listHeight);

    // The folders pane open, or collapsed under the gripper.
    const int folders = tbToolbar.find("Folders");
    if (x != kLeastX) {
        picGripper.setVisible(false);
        tbToolbar.setButtonPressed(folders, true);
    } else {
        picGripper.setGeometry(
            {tvTreeView.left(), listTop, tvTreeView.width(), tvTreeView.height()});
        tbToolbar.setButtonPressed(folders, false);
        picGripper.setVisible(true);
    }

    // The close button in the tree's top right corner, while there is room for it.
    closeFolders.setVisible(closeFolders.width() + kCloseRoom < x);
    setLeft(closeFolders,
            tvTreeView.width() + tvTreeView.left() - closeFolders.width() - kCloseInset);
    setTop(closeFolders, listTop + kCloseInset);
}

// The vertical divider: the ghost follows the mouse; the panes move on the release.
void frmMain::picSplitter2_MouseDown(const kv::ui::MouseEvent&) {
    const int half = static_cast<int>(std::nearbyint(picSplitter2.width())) / 2;
    picSplitter1.setGeometry(
        {picSplitter2.left(), picSplitter2.top(), half, picSplitter1.height() - 20});
    picSplitter1.setVisible(true);
    dragging = true;
}

void frmMain::picSplitter2_MouseMove(const kv::ui::MouseEvent& event) {
    if (!dragging) return;
    const int p = picSplitter2.left() + event.x;
    if (p < kGhostLeast)
        setLeft(picSplitter1, kGhostLeast);
    else if (p > width() - kGhostMargin)
        setLeft(picSplitter1, width() - kGhostMargin);
    else
        setLeft(picSplitter1, p);
}

void frmMain::picSplitter2_MouseUp(const kv::ui::MouseEvent&) {
    float x = static_cast<float>(picSplitter1.left());
    float y = static_cast<float>(picSplitter3.top());
    SizeControls(x, y);
    picSplitter1.setVisible(false);
    dragging = false;
}

// The horizontal divider: its ghost is picSplitter3, which keeps its height.
void frmMain::picSplitter4_MouseDown(const kv::ui::MouseEvent&) {
    picSplitter3.setGeometry(
        {picSplitter4.left(), picSplitter4.top(), picSplitter4.width(), picSplitter3.height()});
    picSplitter3.setVisible(true);
    dragging = true;
}

void frmMain::picSplitter4_MouseMove(const kv::ui::MouseEvent& event) {
    if (!dragging) return;
    const int q = picSplitter4.top() + event.y;
    if (q < kGhostMargin)
        setTop(picSplitter3, kGhostMargin);
    else if (q > height() - kGhostMargin)
        setTop(picSplitter3, height() - kGhostMargin);
    else
        setTop(picSplitter3, q);
}

void frmMain::picSplitter4_MouseUp(const kv::ui::MouseEvent&) {
    float x = static_cast<float>(picSplitter2.left());
    float y = static_cast<float>(picSplitter3.top());
    SizeControls(x, y);
    picSplitter3.setVisible(false);
    dragging = false;
}

// Collapsing goes through x = 0 (clamped to the gripper's width); reopening always uses
// the default width, not the one before collapsing.
void frmMain::closeFolders_Click() {
    float x = 0;
    float y = static_cast<float>(picSplitter4.top());
    SizeControls(x, y);
}

void frmMain::picGripper_Click() {
    float x = kFoldersOpenX;
    float y = static_cast<float>(picSplitter4.top());
    SizeControls(x, y);
}

void frmMain::Picture2_Click() {
    picGripper_Click();
}

void frmMain::foldersButton_Click() {
    float x = picGripper.visible() ? kFoldersOpenX : 0;
    float y = static_cast<float>(picSplitter4.top());
    SizeControls(x, y);
}

} // namespace kv::app
