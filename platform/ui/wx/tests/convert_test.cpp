#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/message_dialog.h"

#include <gtest/gtest.h>

namespace kv::ui::wx::internal {
namespace {

TEST(WxConvert, UnitsAtFifteenTwipsPerPixel) {
    EXPECT_EQ(toPixels(1500, Units::Twips), 100);
    EXPECT_EQ(toPixels(22, Units::Twips), 1); // rounded, not truncated
    EXPECT_EQ(toPixels(37, Units::Pixels), 37);
    EXPECT_EQ(fromPixels(100, Units::Twips), 1500);
    EXPECT_EQ(toPixels(Rect{150, 300, 4500, 600}, Units::Twips), wxRect(10, 20, 300, 40));
    EXPECT_EQ(fromPixels(wxRect(1, 2, 3, 4), Units::Pixels), (Rect{1, 2, 3, 4}));
}

TEST(WxConvert, TwipsFollowThePixelsPerInch) {
    setPixelsPerInch(120); // 12 twips a pixel
    EXPECT_EQ(toPixels(1440, Units::Twips), 120);
    EXPECT_EQ(fromPixels(120, Units::Twips), 1440);
    EXPECT_EQ(toPixels(Rect{120, 240, 2400, 600}, Units::Twips), wxRect(10, 20, 200, 50));
    EXPECT_EQ(toPixels(37, Units::Pixels), 37);
    setPixelsPerInch(96);
    EXPECT_EQ(toPixels(1440, Units::Twips), 96);
}

TEST(WxConvert, ColoursAreBlueGreenRed) {
    EXPECT_EQ(toColour(0x0000FF), wxColour(255, 0, 0));
    EXPECT_EQ(toColour(0x804020), wxColour(0x20, 0x40, 0x80));
}

TEST(WxConvert, AnsiTextInTheCodePageOfTheCharset) {
    EXPECT_EQ(toWx("caf\xE9"), wxString::FromUTF8("caf\xC3\xA9"));
    EXPECT_EQ(fromWx(wxString::FromUTF8("caf\xC3\xA9")), "caf\xE9");
    // Hebrew alef in code page 1255 (charset 177).
    EXPECT_EQ(toWx("\xE0", 177), wxString::FromUTF8("\xD7\x90"));
    EXPECT_EQ(fromWx(wxString::FromUTF8("\xD7\x90"), 177), "\xE0");
    // A character the code page lacks comes back as '?'.
    EXPECT_EQ(fromWx(wxString::FromUTF8("\xE2\x98\x83")), "?");
    // Line ends: CR LF on the model's side, LF on the toolkit's.
    EXPECT_EQ(toWx("a\r\nb"), "a\nb");
    EXPECT_EQ(fromWx("a\nb", 0, true), "a\r\nb");
    EXPECT_EQ(fromWx("a\r\nb", 0, true), "a\r\nb");
}

TEST(WxMessageBox, ButtonsEscapeAndLabels) {
    struct Case {
        unsigned style;
        int escape;
    };
    const Case cases[] = {{mb::OkOnly, id::Ok},          {mb::OkCancel, id::Cancel},
                          {mb::YesNoCancel, id::Cancel}, {mb::YesNo, 0},
                          {mb::AbortRetryIgnore, 0},     {mb::RetryCancel, id::Cancel}};
    for (const Case& c : cases)
        EXPECT_EQ(escapeAnswer(c.style), c.escape) << styleName(c.style);
    EXPECT_EQ(buttonLabel(id::No), "&No");
    EXPECT_EQ(buttonLabel(id::Ok), "OK");
}

} // namespace
} // namespace kv::ui::wx::internal
