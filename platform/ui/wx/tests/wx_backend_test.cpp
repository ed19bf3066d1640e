// The wx backend on a real (virtual) display: a dialog holding every basic control kind,
// its screenshot, and input through the real widgets observed in the model.

#include "platform/ui/wx/wx_backend.h"

#include "platform/ui/wx/tests/wx_form_test.h"

#include "platform/net/http.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/caret.h"
#include "platform/ui/end_program.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/wx/internal/message_dialog.h"
#include "platform/ui/wx/internal/text_caret.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/generic/stattextg.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/mstream.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>

namespace kv::ui {
namespace {

using testing::pump;

constexpr int px(int pixels) {
    return pixels * kTwipsPerPixel;
}
constexpr Rect at(int x, int y, int w, int h) {
    return Rect{px(x), px(y), px(w), px(h)};
}
constexpr Color kRed = 0x0000FF; // 0x00BBGGRR
const wxColour kMagenta(255, 0, 255);

Picture smallPicture() {
    wxImage image(32, 32);
    image.SetRGB(wxRect(0, 0, 32, 32), 0, 128, 0);
    image.SetRGB(wxRect(8, 8, 16, 16), 255, 255, 0);
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(bytes.data(), bytes.size());
    return decodePicture(bytes, "logo.png").value_or(Picture{});
}

// A square picture of one colour, `size` pixels a side.
Picture solidPicture(int size, const wxColour& colour) {
    wxImage image(size, size);
    image.SetRGB(wxRect(0, 0, size, size), colour.Red(), colour.Green(), colour.Blue());
    wxMemoryOutputStream out;
    image.SaveFile(out, wxBITMAP_TYPE_PNG);
    std::string bytes(out.GetLength(), '\0');
    out.CopyTo(bytes.data(), bytes.size());
    return decodePicture(bytes, "solid.png").value_or(Picture{});
}

// The whole virtual screen, through a file `name` in the tests' output folder.
bool grabScreen(wxImage& screen, const std::string& name) {
    const char* dir = std::getenv("KV_TEST_OUTPUT");
    std::string shot = (dir ? std::string(dir) : std::string("/tmp")) + "/" + name;
    std::filesystem::remove(shot);
    return std::system(("import -window root " + shot).c_str()) == 0 &&
           screen.LoadFile(shot, wxBITMAP_TYPE_PNG);
}

// A dialog with every basic control kind, laid out in twips.
struct AllControls : Form {
    AllControls() : Form("frmAllControls") {
        setCaption("Every control");
        setBorderStyle(BorderStyle::FixedDialog);
        setGeometry(at(40, 40, 520, 400));
        onPaint = [this] { surface().gradient(at(0, 0, 520, 24), 0x800000, 0xFFC080, false); };
        caption(lblName, "&Name:", at(12, 36, 80, 20));
        txtName.setGeometry(at(96, 32, 180, 26));
        txtName.onChange = [this] { ++changes; };
        caption(lblPassword, "&Password:", at(12, 66, 80, 20));
        txtPassword.setGeometry(at(96, 62, 180, 26));
        txtPassword.setPasswordChar('*');
        txtPassword.setMaxLength(4);
        txtNotes.setMultiLine(true);
        txtNotes.setGeometry(at(12, 96, 264, 60));
        txtNotes.setText("First line\r\nSecond line");
        txtReadOnly.setGeometry(at(12, 162, 264, 26));
        txtReadOnly.setText("Read only");
        txtReadOnly.setLocked(true);
        caption(chkRemember, "&Remember me", at(12, 196, 160, 24));
        chkRemember.onClick = [this] { ++checkClicks; };
        caption(fraRegion, "Region", at(292, 28, 216, 84));
        caption(optNorth, "North", at(12, 24, 90, 24));
        caption(optSouth, "South", at(110, 24, 90, 24));
        optSouth.onClick = [this] { ++optionClicks; };
        cboCurrency.setStyle(ComboStyle::DropDownList);
        cboCurrency.setGeometry(at(292, 120, 216, 30));
        for (const char* c : {"EUR", "GBP", "USD"})
            cboCurrency.addItem(c);
        cboCurrency.setListIndex(2);
        cboCity.setGeometry(at(292, 156, 216, 30));
        cboCity.addItem("Z\xFCrich"); // cp1252 u-umlaut
        cboCity.setText("Bern");
        lstItems.setGeometry(at(292, 192, 216, 84));
        for (const char* item : {"Camera", "Lens", "Tripod", "Filter"})
            lstItems.addItem(item);
        lstItems.onClick = [this] { ++listClicks; };
        picBanner.setGeometry(at(12, 228, 140, 48));
        picBanner.onPaint = [this] { picBanner.surface().fill(at(0, 0, 140, 48), kRed); };
        imgLogo.setGeometry(at(164, 236, 32, 32));
        imgLogo.setPicture(smallPicture());
        prgLoad.setGeometry(at(12, 288, 496, 20));
        prgLoad.setValue(60);
        caption(cmdOK, "OK", at(316, 326, 90, 32));
        cmdOK.setDefault(true);
        cmdOK.onClick = [this] { ++okClicks; };
        caption(cmdCancel, "Cancel", at(418, 326, 90, 32));
        cmdCancel.setCancel(true);
        cmdCancel.onClick = [this] { ++cancelClicks; };
        tmrTick.setInterval(20);
        tmrTick.onTimer = [this] { ++ticks; };
    }
    static void caption(Control& c, const char* text, Rect r) {
        c.setCaption(text);
        c.setGeometry(r);
    }

    Label& lblName = add<Label>("lblName");
    TextBox& txtName = add<TextBox>("txtName");
    Label& lblPassword = add<Label>("lblPassword");
    TextBox& txtPassword = add<TextBox>("txtPassword");
    TextBox& txtNotes = add<TextBox>("txtNotes");
    TextBox& txtReadOnly = add<TextBox>("txtReadOnly");
    CheckBox& chkRemember = add<CheckBox>("chkRemember");
    Frame& fraRegion = add<Frame>("fraRegion");
    OptionButton& optNorth = add<OptionButton>("optRegion", 0, &fraRegion);
    OptionButton& optSouth = add<OptionButton>("optRegion", 1, &fraRegion);
    ComboBox& cboCurrency = add<ComboBox>("cboCurrency");
    ComboBox& cboCity = add<ComboBox>("cboCity");
    ListBox& lstItems = add<ListBox>("lstItems");
    PictureBox& picBanner = add<PictureBox>("picBanner");
    Image& imgLogo = add<Image>("imgLogo");
    ProgressBar& prgLoad = add<ProgressBar>("prgLoad");
    CommandButton& cmdOK = add<CommandButton>("cmdOK");
    CommandButton& cmdCancel = add<CommandButton>("cmdCancel");
    Timer& tmrTick = add<Timer>("tmrTick");

    int changes = 0, checkClicks = 0, optionClicks = 0, listClicks = 0, okClicks = 0,
        cancelClicks = 0, ticks = 0;
};

class WxDialog : public testing::WxFormTest<AllControls> {
protected:
    void SetUp() override {
        WxFormTest::SetUp();
        dialog = form;
    }
    // Real mouse input through the X server, at the middle of the window by default.
    void clickOn(wxWindow* w, wxPoint offset = wxPoint(-1, -1)) {
        ASSERT_NE(w, nullptr);
        wxRect r = w->GetScreenRect();
        if (offset == wxPoint(-1, -1)) offset = wxPoint(r.width / 2, r.height / 2);
        clickAt(r.GetPosition() + offset, 150);
    }
    AllControls* dialog = nullptr;
};

TEST_F(WxDialog, ShowsEveryControlKindAndAScreenshotOfIt) {
    AllControls& d = *dialog;
    EXPECT_NE(as<wxDialog>(d), nullptr);
    EXPECT_EQ(win(d)->GetLabel(), "Every control");
    EXPECT_NE(as<wxGenericStaticText>(d.lblName), nullptr);
    EXPECT_TRUE(as<wxTextCtrl>(d.txtNotes)->IsMultiLine());
    EXPECT_EQ(as<wxTextCtrl>(d.txtNotes)->GetValue(), "First line\nSecond line");
    EXPECT_TRUE(as<wxTextCtrl>(d.txtPassword)->HasFlag(wxTE_PASSWORD));
    EXPECT_FALSE(as<wxTextCtrl>(d.txtReadOnly)->IsEditable());
    EXPECT_NE(as<wxCheckBox>(d.chkRemember), nullptr);
    EXPECT_EQ(as<wxRadioButton>(d.optNorth)->GetParent(), win(d.fraRegion));
    EXPECT_FALSE(as<wxRadioButton>(d.optNorth)->GetValue()); // none chosen yet
    EXPECT_FALSE(as<wxRadioButton>(d.optSouth)->GetValue());
    EXPECT_NE(as<wxStaticBox>(d.fraRegion), nullptr);
    EXPECT_EQ(as<wxChoice>(d.cboCurrency)->GetStringSelection(), "USD");
    EXPECT_EQ(as<wxComboBox>(d.cboCity)->GetValue(), "Bern");
    EXPECT_EQ(as<wxComboBox>(d.cboCity)->GetString(0), wxString::FromUTF8("Z\xC3\xBCrich"));
    EXPECT_EQ(as<wxListBox>(d.lstItems)->GetCount(), 4u);
    EXPECT_EQ(as<wxGauge>(d.prgLoad)->GetValue(), 60);
    EXPECT_EQ(win(d.tmrTick), nullptr);
    EXPECT_EQ(win(d.picBanner)->GetSize(), wxSize(140, 48));
    EXPECT_EQ(win(d.txtName)->GetPosition(), wxPoint(96, 32));
    EXPECT_GT(d.ticks, 0); // the timer runs from the model's loop

    wxImage screen;
    ASSERT_TRUE(grabScreen(screen, "wx_screen.png"));
    wxRect client = win(d)->GetChildren().front()->GetScreenRect();
    ASSERT_TRUE(wxRect(screen.GetSize()).Contains(client));
    wxImage view = screen.GetSubImage(client);
    std::set<unsigned long> colours;
    for (int y = 0; y < view.GetHeight(); y += 2)
        for (int x = 0; x < view.GetWidth(); x += 2)
            colours.insert((view.GetRed(x, y) << 16u) | (view.GetGreen(x, y) << 8u) |
                           view.GetBlue(x, y));
    EXPECT_GT(colours.size(), 50u) << "the dialog looks blank";
    // The picture box's painting and the form's gradient reached the screen.
    wxPoint red = win(d.picBanner)->GetScreenPosition() - client.GetPosition() + wxPoint(20, 20);
    EXPECT_EQ(wxColour(view.GetRed(red.x, red.y), view.GetGreen(red.x, red.y),
                       view.GetBlue(red.x, red.y)),
              wxColour(255, 0, 0));
    EXPECT_NE(wxColour(view.GetRed(2, 4), view.GetGreen(2, 4), view.GetBlue(2, 4)),
              wxColour(view.GetRed(500, 4), view.GetGreen(500, 4), view.GetBlue(500, 4)));
    if (const char* docs = std::getenv("KV_SCREENSHOT_DIR")) {
        EXPECT_TRUE(view.SaveFile(std::string(docs) + "/controls-dialog.png", wxBITMAP_TYPE_PNG));
    }
}

TEST_F(WxDialog, UserInputThroughTheWidgetsReachesTheModel) {
    AllControls& d = *dialog;
    clickOn(win(d.txtName));
    sim.Text("hello");
    EXPECT_TRUE(pump(2000, [&] { return d.txtName.text() == "hello"; })) << d.txtName.text();
    EXPECT_EQ(d.changes, 5); // a change per key, as typed
    EXPECT_TRUE(d.txtName.hasFocus());

    clickOn(win(d.txtPassword));
    sim.Text("secret");
    pump(500);
    EXPECT_EQ(d.txtPassword.text(), "secr"); // the maximum length holds
    EXPECT_EQ(as<wxTextCtrl>(d.txtPassword)->GetValue(), "secr");

    clickOn(win(d.chkRemember), wxPoint(8, 12));
    EXPECT_TRUE(pump(1000, [&] { return d.chkRemember.checked(); }));
    EXPECT_EQ(d.checkClicks, 1);

    clickOn(win(d.optSouth), wxPoint(8, 12));
    EXPECT_TRUE(pump(1000, [&] { return d.optSouth.value(); }));
    EXPECT_EQ(d.optionClicks, 1);
    d.optNorth.setValue(true); // the model's choice shows in the widgets
    EXPECT_TRUE(as<wxRadioButton>(d.optNorth)->GetValue());
    EXPECT_FALSE(as<wxRadioButton>(d.optSouth)->GetValue());

    wxListBox* list = as<wxListBox>(d.lstItems);
    ASSERT_NE(list, nullptr);
    clickOn(list, wxPoint(30, 6));
    EXPECT_TRUE(pump(1000, [&] { return d.lstItems.listIndex() == 0; })) << d.lstItems.listIndex();
    EXPECT_EQ(d.listClicks, 1);

    clickOn(win(d.cmdOK));
    EXPECT_TRUE(pump(1000, [&] { return d.okClicks == 1; }));
    // Escape presses the cancel button.
    sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(pump(1000, [&] { return d.cancelClicks == 1; }));

    // A disabled control takes no input; the model's text shows in the widget.
    d.txtName.setEnabled(false);
    EXPECT_FALSE(win(d.txtName)->IsEnabled());
    d.txtName.setText("from the program");
    EXPECT_EQ(as<wxTextCtrl>(d.txtName)->GetValue(), "from the program");
}

TEST_F(WxDialog, ModelChangesShowAtOnce) {
    AllControls& d = *dialog;
    d.setCaption("Renamed");
    EXPECT_EQ(win(d)->GetLabel(), "Renamed");
    d.chkRemember.setValue(CheckState::Grayed);
    EXPECT_EQ(as<wxCheckBox>(d.chkRemember)->Get3StateValue(), wxCHK_UNDETERMINED);
    d.lstItems.removeItem(0);
    d.lstItems.setListIndex(1);
    EXPECT_EQ(as<wxListBox>(d.lstItems)->GetCount(), 3u);
    EXPECT_EQ(as<wxListBox>(d.lstItems)->GetSelection(), 1);
    d.cboCurrency.setListIndex(0);
    EXPECT_EQ(as<wxChoice>(d.cboCurrency)->GetSelection(), 0);
    d.prgLoad.setValue(100);
    EXPECT_EQ(as<wxGauge>(d.prgLoad)->GetValue(), 100);
    d.txtName.setGeometry(at(100, 40, 150, 26));
    EXPECT_EQ(win(d.txtName)->GetRect(), wxRect(100, 40, 150, 26));
    d.lblName.setVisible(false);
    EXPECT_FALSE(win(d.lblName)->IsShown());
    // A text box turned multi-line gets a new widget, in the same place, with its text.
    d.txtReadOnly.setMultiLine(true);
    EXPECT_TRUE(as<wxTextCtrl>(d.txtReadOnly)->IsMultiLine());
    EXPECT_EQ(as<wxTextCtrl>(d.txtReadOnly)->GetValue(), "Read only");
    // Text in the code page of the font's character set: Hebrew.
    Font hebrew = d.lblPassword.font();
    hebrew.charset = 177;
    d.lblPassword.setFont(hebrew);
    d.lblPassword.setCaption("\xF9\xEC\xE5\xED"); // shalom in code page 1255
    EXPECT_EQ(as<wxGenericStaticText>(d.lblPassword)->GetLabel(),
              wxString::FromUTF8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"));
    // A control added at run time gets its widget; a removed one loses it.
    auto& extra = d.add<CommandButton>("cmdExtra");
    extra.setCaption("Extra");
    EXPECT_NE(as<wxButton>(extra), nullptr);
    // A graphical button shows its picture, whole, even on a button as small as 25 x 24 and
    // without a caption.
    EXPECT_FALSE(as<wxButton>(extra)->GetBitmap().IsOk());
    extra.setPicture(smallPicture());
    EXPECT_TRUE(as<wxButton>(extra)->GetBitmap().IsOk());
    extra.setPicture(solidPicture(16, kMagenta));
    extra.setGeometry(at(220, 240, 25, 24));
    extra.setCaption("");
    pump(300);
    EXPECT_TRUE(as<wxButton>(extra)->GetBitmap().IsOk());
    wxImage screen;
    ASSERT_TRUE(grabScreen(screen, "wx_small_button.png"));
    wxImage button = screen.GetSubImage(win(extra)->GetScreenRect());
    int shown = 0;
    for (int y = 0; y < button.GetHeight(); ++y)
        for (int x = 0; x < button.GetWidth(); ++x)
            shown += wxColour(button.GetRed(x, y), button.GetGreen(x, y), button.GetBlue(x, y)) ==
                     kMagenta;
    EXPECT_EQ(shown, 16 * 16);
    d.remove(extra);
    EXPECT_EQ(win(extra), nullptr);
}

// A hidden caret hides in the focused box's widget, one line or several, and shows again
// once the focus has moved on.
TEST_F(WxDialog, TheCaretHidesInTheFocusedTextWidget) {
    AllControls& d = *dialog;
    for (TextBox* box : {&d.txtName, &d.txtNotes}) {
        SCOPED_TRACE(box->name());
        ASSERT_TRUE(box->setFocus());
        EXPECT_TRUE(wx::internal::textCaretShown(win(*box)));
        EXPECT_TRUE(hideCaret(d));
        EXPECT_FALSE(wx::internal::textCaretShown(win(*box)));
        EXPECT_TRUE(showCaret(d));
        EXPECT_TRUE(wx::internal::textCaretShown(win(*box)));
        EXPECT_TRUE(hideCaret(d));
        d.cmdOK.setFocus();
        EXPECT_TRUE(wx::internal::textCaretShown(win(*box)));
    }
}

struct Prompt : Form {
    Prompt() : Form("frmPrompt") {
        setCaption("Prompt");
        setGeometry(at(200, 200, 240, 120));
    }
};

TEST_F(WxDialog, ModalFormsAndMessageBoxes) {
    AllControls& d = *dialog;
    // A modal show disables the other windows until the user closes it.
    d.cmdOK.onClick = [&] {
        auto& prompt = app().form<Prompt>();
        app().post([&] {
            EXPECT_FALSE(win(d)->IsEnabled());
            win(prompt)->Close(); // the close box
        });
        prompt.show(ShowMode::Modal, &d);
        ++d.okClicks;
    };
    clickOn(win(d.cmdOK));
    EXPECT_TRUE(pump(2000, [&] { return d.okClicks == 1; }));
    EXPECT_EQ(app().loadedForm<Prompt>(), nullptr); // closed by its close box: unloaded
    EXPECT_TRUE(win(d)->IsEnabled());

    // A box answered by clicking its No button, from a timer ticking while it is open.
    int shown = 0;
    d.tmrTick.onTimer = [&] {
        for (wxWindow* top : wxTopLevelWindows) {
            auto* box = dynamic_cast<wxDialog*>(top);
            wxWindow* no = box && box->IsShownOnScreen()
                               ? box->FindWindow(wx::internal::buttonId(id::No))
                               : nullptr;
            if (!no || ++shown != 5) continue;
            EXPECT_EQ(no->GetLabel(), "&No");
            wxRect r = no->GetScreenRect();
            sim.MouseMove(r.GetPosition() + wxPoint(r.width / 2, r.height / 2));
            sim.MouseClick();
        }
    };
    MessageBoxRequest request{&d, "Kestrovane", "Delete the snipe?", mb::YesNo | mb::IconQuestion};
    EXPECT_EQ(app().messageBox(request), id::No);
    // Escape answers Cancel where the box has it.
    shown = 0;
    d.tmrTick.onTimer = [&] {
        if (++shown == 10) sim.Char(WXK_ESCAPE);
    };
    EXPECT_EQ(
        app().messageBox("Retry the upload?", mb::RetryCancel | mb::IconExclamation, "Upload"),
        id::Cancel);
}

TEST_F(WxDialog, TimersTickAndEndTheProgramWhileABoxOrModalFormIsOpen) {
    AllControls& d = *dialog;
    auto shownBoxes = [] {
        int n = 0;
        for (wxWindow* top : wxTopLevelWindows)
            if (dynamic_cast<wxDialog*>(top) && top->IsShown() && top->GetLabel() == "Question")
                ++n;
        return n;
    };
    int boxesSeen = 0;
    d.ticks = 0;
    d.tmrTick.onTimer = [&] {
        boxesSeen = std::max(boxesSeen, shownBoxes());
        if (++d.ticks == 10) app().end(7);
    };
    try {
        app().messageBox("Go on?", mb::YesNo | mb::IconQuestion, "Question");
        ADD_FAILURE() << "the box returned";
    } catch (const EndProgram& e) {
        EXPECT_EQ(e.exitCode(), 7);
    }
    EXPECT_EQ(d.ticks, 10);
    EXPECT_EQ(boxesSeen, 1); // the timer ticked while the box was open
    EXPECT_EQ(shownBoxes(), 0);
    EXPECT_TRUE(win(d)->IsEnabled());

    d.ticks = 0;
    auto& prompt = app().form<Prompt>();
    try {
        prompt.show(ShowMode::Modal, &d);
        ADD_FAILURE() << "the modal show returned";
    } catch (const EndProgram& e) {
        EXPECT_EQ(e.exitCode(), 7);
    }
    EXPECT_EQ(d.ticks, 10);
}

TEST_F(WxDialog, ACallFromAThreadEndsTheWaitForInput) {
    bool ran = false;
    app().expectThreadCall();
    std::thread worker([&ran] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        app().postFromThread([&ran] { ran = true; });
    });
    const std::uint32_t start = app().tickCount();
    app().idleUntil(start + 5000);
    worker.join();
    EXPECT_LT(app().tickCount() - start, 2000u);
    app().processMessages();
    EXPECT_TRUE(ran);
}

TEST_F(WxDialog, TheProgramNamesItselfToTheDesktop) {
    if (std::system("command -v xprop >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xprop";
    std::string out;
    if (FILE* p = popen("xprop -name 'Every control' WM_CLASS", "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            out += buffer;
        pclose(p);
    }
    // The window class names this program (the test's own binary), not another one.
    EXPECT_NE(out.find("\"kv_ui_wx_tests\""), std::string::npos) << out;
}

// A server on loopback that answers one request after a delay.
class SlowServer {
public:
    explicit SlowServer(int delayMs) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), len);
        ::listen(fd_, 1);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
        port_ = ntohs(addr.sin_port);
        thread_ = std::thread([this, delayMs] {
            int client = ::accept(fd_, nullptr, nullptr);
            if (client < 0) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            const char reply[] = "HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nhi";
            (void)!::write(client, reply, sizeof reply - 1);
            ::close(client);
        });
    }
    ~SlowServer() {
        thread_.join();
        ::close(fd_);
    }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

private:
    int fd_ = -1;
    int port_ = 0;
    std::thread thread_;
};

TEST_F(WxDialog, WindowsRepaintWhileARequestWaitsAndTakeInputAfterIt) {
    AllControls& d = *dialog;
    clickOn(win(d.txtName));
    wxWindow* canvas = win(d)->GetChildren().front();
    int paints = 0;
    canvas->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    d.ticks = 0;
    SlowServer server(700);
    auto session = net::openSession("test");
    auto request = net::openUrl(*session, server.url());
    int waits = 0;
    net::whileWaiting(*request, [&] {
        if (++waits == 2) {
            canvas->Refresh(); // as after an uncovering or a resize
            sim.Text("ab");
        }
        app().backend().repaint();
    });
    char body[8] = {};
    std::size_t got = 0;
    EXPECT_TRUE(net::read(*request, body, sizeof body, got));
    EXPECT_EQ(got, 2u);
    EXPECT_GT(waits, 2);
    EXPECT_GT(paints, 0);            // drawn during the wait
    EXPECT_EQ(d.ticks, 0);           // no timer ran
    EXPECT_EQ(d.txtName.text(), ""); // the keys were kept...
    EXPECT_TRUE(pump(2000, [&] { return d.txtName.text() == "ab"; })) << d.txtName.text();
}

TEST_F(WxDialog, ClipboardKeepsAnsiText) {
    app().setClipboardText("caf\xE9 \x80");
    EXPECT_EQ(app().clipboardText(), "caf\xE9 \x80");
}

TEST_F(WxDialog, ClosingTheLastFormEndsTheRun) {
    AllControls& d = *dialog;
    app().setMainForm(&d);
    d.tmrTick.onTimer = [&] {
        if (++d.ticks > 3) win(d)->Close();
    };
    app().run();
    EXPECT_EQ(app().loadedForm<AllControls>(), nullptr);
}

} // namespace
} // namespace kv::ui
