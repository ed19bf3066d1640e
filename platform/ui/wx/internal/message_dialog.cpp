#include "platform/ui/wx/internal/message_dialog.h"

#include "platform/text/ansi.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

namespace kv::ui::wx::internal {
namespace {

constexpr int kFirstButtonId = wxID_HIGHEST + 100;

wxString toWxText(const std::string& ansi) {
    std::string utf8 = text::toUtf8(ansi);
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if (!(utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')) out += utf8[i];
    return wxString::FromUTF8(out.data(), out.size());
}

wxArtID iconArt(unsigned style) {
    switch (style & mb::IconMask) {
    case mb::IconError:
        return wxART_ERROR;
    case mb::IconQuestion:
        return wxART_QUESTION;
    case mb::IconExclamation:
        return wxART_WARNING;
    case mb::IconInformation:
        return wxART_INFORMATION;
    default:
        return wxArtID();
    }
}

} // namespace

std::string buttonLabel(int answer) {
    switch (answer) {
    case id::Ok:
        return "OK";
    case id::Cancel:
        return "Cancel";
    case id::Abort:
        return "&Abort";
    case id::Retry:
        return "&Retry";
    case id::Ignore:
        return "&Ignore";
    case id::Yes:
        return "&Yes";
    case id::No:
        return "&No";
    default:
        return "";
    }
}

int escapeAnswer(unsigned style) {
    for (int i = 0; i < buttonCount(style); ++i)
        if (buttonAnswer(style, i) == id::Cancel) return id::Cancel;
    return buttonCount(style) == 1 ? buttonAnswer(style, 0) : 0;
}

int buttonId(int answer) {
    return kFirstButtonId + answer;
}

int showMessageBox(wxWindow* parent, const MessageBoxRequest& request, const WaitForAnswer& wait) {
    const unsigned style = request.style;
    const int escape = escapeAnswer(style);
    long frame = wxCAPTION | wxSYSTEM_MENU;
    if (escape) frame |= wxCLOSE_BOX;
    if (style & (mb::TopMost | mb::SystemModal | mb::SetForeground)) frame |= wxSTAY_ON_TOP;
    wxDialog dialog(parent, wxID_ANY, toWxText(request.caption), wxDefaultPosition, wxDefaultSize,
                    frame);
    if (style & mb::RtlReading) dialog.SetLayoutDirection(wxLayout_RightToLeft);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    wxArtID art = iconArt(style);
    if (!art.empty())
        body->Add(
            new wxStaticBitmap(&dialog, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX)),
            0, wxALL | wxALIGN_TOP, 10);
    auto* text = new wxStaticText(&dialog, wxID_ANY, toWxText(request.text), wxDefaultPosition,
                                  wxDefaultSize, (style & mb::Right) ? wxALIGN_RIGHT : 0);
    text->Wrap(dialog.FromDIP(420));
    body->Add(text, 1, wxALL | wxALIGN_CENTER_VERTICAL, 10);

    int answer = 0;
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    const int defaultId = buttonId(defaultAnswer(style));
    wxButton* defaultButton = nullptr;
    for (int i = 0; i < buttonCount(style); ++i) {
        const int given = buttonAnswer(style, i);
        auto* button = new wxButton(&dialog, buttonId(given), toWxText(buttonLabel(given)));
        button->Bind(wxEVT_BUTTON, [&answer, given](wxCommandEvent&) { answer = given; });
        buttons->Add(button, 0, wxALL, 4);
        if (button->GetId() == defaultId) defaultButton = button;
    }
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(body, 1, wxEXPAND);
    column->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxBOTTOM, 6);
    dialog.SetSizerAndFit(column);

    dialog.SetEscapeId(escape ? buttonId(escape) : wxID_NONE);
    dialog.Bind(wxEVT_CLOSE_WINDOW, [&answer, escape](wxCloseEvent& event) {
        if (escape)
            answer = escape;
        else if (event.CanVeto())
            event.Veto();
    });
    if (defaultButton) defaultButton->SetDefault();
    dialog.CentreOnParent();

    // The busy cursor and the other windows come back however the wait ends (the program
    // may end from a timer while the box is open).
    struct Turn {
        Turn(wxDialog& d, wxWindow* focus) : busy(wxIsBusy()), disabler(&d) {
            if (busy) wxEndBusyCursor();
            d.Show();
            d.Raise();
            if (focus) focus->SetFocus();
        }
        ~Turn() {
            if (busy) wxBeginBusyCursor();
        }
        Turn(const Turn&) = delete;
        Turn& operator=(const Turn&) = delete;
        bool busy;
        wxWindowDisabler disabler;
    };
    {
        Turn turn(dialog, defaultButton);
        wait([&answer] { return answer != 0; });
        dialog.Hide();
    }
    for (int i = 0; i < buttonCount(style); ++i)
        if (buttonAnswer(style, i) == answer) return answer;
    return escape ? escape : defaultAnswer(style);
}

} // namespace kv::ui::wx::internal
