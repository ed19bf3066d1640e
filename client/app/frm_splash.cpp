#include "client/app/frm_splash.h"

#include "client/app/banner.h"
#include "client/service/security.h"
#include "platform/ui/design.h"

#include <initializer_list>
#include <utility>

namespace kv::app {

frmSplash::frmSplash() : kv::ui::Form("frmSplash") {
    using namespace kv::ui;
    // The design layout, in twips.
    applyDesign({
        {.widget = this, .geometry = {0, 0, 7200, 3800}},
        {.widget = &Picture1, .geometry = {0, 0, 7200, 1200}},
        {.widget = &Picture2, .geometry = {240, 1400, 1200, 1200}},
        {.widget = &Picture3, .geometry = {5760, 1400, 1200, 1200}},
        {.widget = &Image1, .geometry = {240, 2800, 480, 480}},
        {.widget = &lblPlatform, .caption = "Win32", .geometry = {1600, 1400, 4000, 300}},
        {.widget = &lblVersion, .geometry = {1600, 1750, 4000, 300}},
        {.widget = &lblWarning,
         .caption = "This software program is protected by international copyright laws.",
         .geometry = {1600, 2150, 4000, 500},
         .state = kWordWrap},
        {.widget = &lblCompany,
         .caption = "Kestrovane Software",
         .geometry = {1600, 2800, 4000, 300}},
        {.widget = &lblCopyright,
         .caption = "Copyright (c) Kestrovane Software. All rights reserved.",
         .geometry = {1600, 3150, 4000, 300}},
    });
    setBorderStyle(BorderStyle::None);
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
