#include "installer/setup/billboard_form.h"

#include "installer/common/shared_windows.h"
#include "installer/setup/background_layout.h"
#include "installer/setup/setup_state.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <system_error>

namespace kv::installer {
namespace {

// The largest window a page makes, a side (its gradient is drawn row by row).
constexpr int kMaxSize = 1000000;

bool isTextFile(const std::string& path) {
    const std::string name = fs::fileNamePart(path);
    return name.size() >= 4 && text::equalsNoCase(name.substr(name.size() - 4), ".txt");
}

} // namespace

TSetImageThread::TSetImageThread(std::function<void()> layout) {
    // The application of this thread, which outlives the window that joins the worker.
    ui::Application& application = ui::app();
    application.expectThreadCall();
    auto call = std::make_shared<std::function<void()>>(std::move(layout));
    try {
        thread_ =
            std::thread([&application, call] { application.postFromThread(std::move(*call)); });
    } catch (const std::system_error&) {
        // No thread to be had: handed over from here, so the announced call still comes and
        // the page still shows.
        application.postFromThread(std::move(*call));
    }
}

TSetImageThread::~TSetImageThread() {
    if (thread_.joinable()) thread_.join();
}

TBillboardForm::TBillboardForm(BillboardSettings settings, std::vector<std::string> files)
    : ui::Form("BillboardForm", ui::Units::Pixels), settings_(std::move(settings)),
      files_(std::move(files)) {
    using namespace ui;
    // Made off screen; the first page places it.
    applyDesign({
        {.widget = this, .geometry = {-10000, -10000, 300, 200}},
        {.widget = &PageImage, .state = kHidden},
        {.widget = &CloseButton, .caption = "Close", .geometry = {0, 0, 75, 25}},
        {.widget = &StepTimer, .state = kDisabled},
    });
    setBorderStyle(settings_.framed ? BorderStyle::FixedDialog : BorderStyle::None);
    Font bold = CloseButton.font();
    bold.bold = true;
    CloseButton.setFont(bold);

    onActivate = [this] { Form_Activate(); };
    onPaint = [this] { Form_Paint(); };
    onUnload = [this](int&) { Form_Unload(); };
    CloseButton.onClick = [this] { CloseButton_Click(); };
    StepTimer.onTimer = [this] { StepTimer_Timer(); };
}

TBillboardForm::~TBillboardForm() {
    StopThreads();
}

void TBillboardForm::Form_Activate() {
    if (firstShowDone_) return;
    firstShowDone_ = true;
    // Steps of 500 ms, worked out wide: a step time beyond the timer's range waits the longest.
    const long long interval = static_cast<long long>(settings_.stepTime) * 500;
    StepTimer.setInterval(
        static_cast<int>(std::clamp<long long>(interval, 0, std::numeric_limits<int>::max())));
    setBackColor(settings_.top);
    running_ = true;
    ShowNext();
    ShowNext();
}

void TBillboardForm::StepTimer_Timer() {
    // Paused while the exit question is open.
    if (setupState().exitQuestionOpen) return;
    ShowNext();
}

void TBillboardForm::ShowNext() {
    if (loadPhase_) {
        if (index_ < files_.size()) LoadText(files_[index_]);
    } else {
        if (index_ < files_.size()) {
            // The earlier steps' threads have handed over and ended: joined at once. A
            // hand-over runs only while the window lives.
            threads_.clear();
            std::weak_ptr<bool> alive = alive_;
            threads_.push_back(std::make_unique<TSetImageThread>([this, alive, page = loaded_] {
                if (auto on = alive.lock(); on && *on) ArrangeImage(page);
            }));
        } else {
            StepTimer.setEnabled(false);
            running_ = false;
        }
        ++index_;
    }
    loadPhase_ = !loadPhase_;
    if (running_) {
        StepTimer.setEnabled(false);
        StepTimer.setEnabled(true);
    }
}

void TBillboardForm::LoadText(const std::string& path) {
    loaded_ = BillboardPage{};
    if (isTextFile(path)) {
        loaded_.text = ReadTextPage(path, settings_.charset);
        return;
    }
    const std::optional<std::string> bytes = fs::readFile(path);
    std::optional<ui::Picture> picture;
    if (bytes) picture = ui::decodePicture(*bytes, path);
    if (picture) {
        loaded_.isPicture = true;
        loaded_.picture = *picture;
        return;
    }
    loaded_.text = ReadTextPage("", settings_.charset); // the "File Not Found!" page
}

void TBillboardForm::ArrangeImage(const BillboardPage& page) {
    const int m = settings_.margin;
    const ui::Picture& pic = page.picture;
    int w = settings_.clientWidth, h = settings_.clientHeight;
    ui::Rect picRect{(w - pic.width) / 2, (h - pic.height) / 2, pic.width, pic.height};
    if (settings_.sizeToPicture && page.isPicture) {
        // A picture's size is what its file says: held within the largest window.
        auto around = [m](int size) {
            return static_cast<int>(std::min<long long>(size + 2LL * m, kMaxSize));
        };
        w = around(pic.width);
        h = around(pic.height);
        picRect = {m, m, pic.width, pic.height};
    }
    const bool sizeChanged = w != width() || h != height();
    // Shrunk first, placed with the size it is about to take, then sized.
    if (w < width() || h < height()) resize(std::min(w, width()), std::min(h, height()));
    const ui::Rect area = ui::app().workArea();
    PlaceForm(*this, settings_.placement, area.height - h, m, area.top + settings_.dy,
              area.left + settings_.dx, area.width - w);
    resize(w, h);
    if (page.isPicture) {
        lines_.clear();
        PageImage.setPicture(pic);
        PageImage.setTransparent(settings_.transparent);
        PageImage.setGeometry(picRect);
        PageImage.setVisible(true);
    } else {
        lines_ = page.text.lines;
        pageCharset_ = page.text.charset;
        PageImage.setVisible(false);
        wrapPending_ = true;
    }
    CloseButton.move(std::max(0, w - CloseButton.width() - 8),
                     std::max(0, h - CloseButton.height() - 8));
    if (sizeChanged || !page.isPicture) refresh();
}

void TBillboardForm::Form_Paint() {
    GradientFill(surface(), {0, 0, width(), height()}, settings_.top,
                 settings_.gradient ? settings_.bottom : settings_.top, height());
    if (PageImage.visible() || lines_.empty()) return;
    const int m = settings_.margin;
    ui::Font font;
    font.name = settings_.fontName;
    font.size = settings_.fontSize;
    font.charset = pageCharset_;
    ApplyFontStyle(font, settings_.fontStyle);
    ui::Font big = font;
    big.size = font.size * 2;
    ui::Backend& backend = ui::app().backend();
    if (wrapPending_) {
        lines_ = WrapLines(lines_, width() - 2 * m, [&](std::string_view text, bool large) {
            return backend.measureText(text, large ? big : font).width;
        });
        wrapPending_ = false;
    }
    const bool rtl = IsRightToLeftCharset(pageCharset_);
    int y = m;
    for (const std::string& line : lines_) {
        const bool large = !line.empty() && line.front() == kBigMarker;
        const std::string text = large ? line.substr(1) : line;
        const ui::Font& f = large ? big : font;
        surface().text(ui::TextOp{.x = rtl ? width() - m : m,
                                  .y = y,
                                  .text = text,
                                  .font = f,
                                  .color = settings_.fontColor,
                                  .transparent = true,
                                  .rightAligned = rtl,
                                  .rightToLeft = rtl});
        y += backend.measureText(text.empty() ? " " : text, f).height;
    }
}

void TBillboardForm::CloseButton_Click() {
    running_ = false;
    StepTimer.setEnabled(false);
    close();
}

void TBillboardForm::Form_Unload() {
    running_ = false;
    StepTimer.setEnabled(false);
    StopThreads();
}

void TBillboardForm::StopThreads() {
    *alive_ = false;
    threads_.clear();
}

} // namespace kv::installer
