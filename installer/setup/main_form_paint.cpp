// The background window's painting: the gradient and the three shadowed captions.

#include "installer/setup/background_layout.h"
#include "installer/setup/main_form.h"
#include "installer/setup/script.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"

namespace kv::installer {

void TSMainForm::PaintBackground(ui::Surface& surface, bool onPicture) {
    const ui::Color top = ScriptColor(script_.Text(ScriptText::TopBgColor));
    const ui::Color bottom = script_.Flag(ScriptFlag::BottomBgColorReq)
                                 ? ScriptColor(script_.Text(ScriptText::BottomBgColor))
                                 : top;
    // On the picture, the rows behind it, so that a transparent picture shows the gradient.
    if (onPicture) {
        if (!picture_.empty()) {
            GradientFill(surface, {0, 0, BgImage.width(), BgImage.height()}, top, bottom, height(),
                         BgImage.top());
            surface.picture({0, 0, picture_.width, picture_.height}, picture_, pictureTransparent_);
        }
    } else {
        GradientFill(surface, {0, 0, width(), height()}, top, bottom, height());
    }

    const int ppi = machine::current().profile().screen.pixelsPerInch;
    int offset = 0;
    const std::string font1 = script_.Text(ScriptText::TopLabelFont);
    const std::string text1 = script_.Text(ScriptText::TopLabelText);
    if (!text1.empty()) {
        DrawLabel(surface, text1, font1, script_.Text(ScriptText::TopLabelSide), false, offset, 0,
                  onPicture);
        offset += 2;
    }
    const std::string font2 = script_.Text(ScriptText::TopLabelFont2);
    const std::string text2 = script_.Text(ScriptText::TopLabelText2);
    if (!text2.empty()) {
        const int shift = (ReadLabelFont(font1, ppi).size - ReadLabelFont(font2, ppi).size) / 7;
        DrawLabel(surface, text2, font2, script_.Text(ScriptText::TopLabelSide2), false, offset,
                  shift, onPicture);
    }
    offset = 0;
    const std::string text3 = script_.Text(ScriptText::BottomLabelText);
    if (!text3.empty())
        DrawLabel(surface, text3, script_.Text(ScriptText::BottomLabelFont),
                  script_.Text(ScriptText::BottomLabelSide), true, offset, 0, onPicture);
}

void TSMainForm::DrawLabel(ui::Surface& surface, const std::string& text,
                           const std::string& fontList, const std::string& side, bool bottom,
                           int& offset, int shift, bool onPicture) {
    const LabelFont label =
        ReadLabelFont(fontList, machine::current().profile().screen.pixelsPerInch);
    const ui::Size size = ui::app().backend().measureText(text, label.font);
    // Sides compare without regard to case.
    std::string sideName = side;
    for (const char* known : {"Left", "Right", "Center"})
        if (kv::text::equalsNoCase(side, known)) sideName = known;
    const CaptionPlacement at =
        PlaceCaption({sideName, bottom, size.width, size.height, shift}, offset, width(), height(),
                     ui::app().screenSize().width);
    offset = at.nextOffset;
    int x = at.x, y = at.y;
    if (onPicture) {
        x -= BgImage.left();
        y -= BgImage.top();
    }
    // The text goes onto the gradient without a background, its shadow first.
    ui::TextOp op{.x = x + 2, .y = y + 2, .text = text, .font = label.font, .color = ui::kBlack};
    surface.text(op);
    op.x = x;
    op.y = y;
    op.color = label.color;
    surface.text(op);
}

} // namespace kv::installer
