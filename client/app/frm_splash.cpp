#include "client/app/frm_splash.h"

#include "client/app/banner.h"
#include "client/service/security.h"

#include <initializer_list>
#include <utility>

namespace kv::app {

frmSplash::frmSplash()
    : kv::ui::Form("frmSplash"), Picture1(add<kv::ui::PictureBox>("Picture1")),
      Picture2(add<kv::ui::PictureBox>("Picture2")), Picture3(add<kv::ui::PictureBox>("Picture3")),
      Image1(add<kv::ui::Image>("Image1")), lblPlatform(add<kv::ui::Label>("lblPlatform")),
      lblVersion(add<kv::ui::Label>("lblVersion")), lblWarning(add<kv::ui::Label>("lblWarning")),
      lblCompany(add<kv::ui::Label>("lblCompany")),
      lblCopyright(add<kv::ui::Label>("lblCopyright")), Timer1(add<kv::ui::Timer>("Timer1")) {
    setBorderStyle(kv::ui::BorderStyle::None);
    lblPlatform.setCaption("Win32");
    lblWarning.setCaption("This software program is protected by international copyright laws.");
    lblCompany.setCaption("Kestrovane Software");
    lblCopyright.setCaption("Copyright (c) Kestrovane Software. All rights reserved.");
    // The design layout, in twips.
    setGeometry({0, 0, 7200, 3800});
    Picture1.setGeometry({0, 0, 7200, 1200});
    Picture2.setGeometry({240, 1400, 1200, 1200});
    Picture3.setGeometry({5760, 1400, 1200, 1200});
    Image1.setGeometry({240, 2800, 480, 480});
    lblPlatform.setGeometry({1600, 1400, 4000, 300});
    lblVersion.setGeometry({1600, 1750, 4000, 300});
    lblWarning.setGeometry({1600, 2150, 4000, 500});
    lblWarning.setWordWrap(true);
    lblCompany.setGeometry({1600, 2800, 4000, 300});
    lblCopyright.setGeometry({1600, 3150, 4000, 300});
    Timer1.setInterval(2000);
    Timer1.onTimer = [this] { done = true; };

    onLoad = [this] { Form_Load(); };
    onPaint = [this] { Form_Paint(); };
    for (kv::ui::Widget* w : std::initializer_list<kv::ui::Widget*>{
             &Picture1, &Picture2, &Image1, &lblPlatform, &lblVersion, &lblWarning, &lblCompany,
             &lblCopyright})
        w->onClick = [this] { closeIfAllowed(); };
    auto key = [this](int&) { closeIfAllowed(); };
    onKeyPress = key;
    Picture1.onKeyPress = key;
    Picture2.onKeyPress = key;
    Picture3.onKeyPress = key;
}

void frmSplash::Form_Load() {
    done = false;
    Picture1.setPicture(bannerPicture());
    lblVersion.setCaption("Version " + kv::service::versionText());
}

void frmSplash::Form_Paint() {
    if (!std::exchange(paintedOnce_, true)) noInit = true;
}

void frmSplash::closeIfAllowed() {
    if (noInit) unload();
}

} // namespace kv::app
