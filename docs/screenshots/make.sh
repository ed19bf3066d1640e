#!/usr/bin/env bash
# Makes the screenshots in this folder on a virtual display: the dialog with every basic
# control kind (controls-dialog.png), the list, tree, bar, tab and rich-text kinds
# (rich-controls.png), the client's main window logged in with the active snipes listed
# (main-window.png), its login, splash,
# terms, history, snipe and options windows (login.png, splash.png, terms.png, history.png,
# snipe.png, options.png) and the installer's service progress window (service-window.png), a
# right-to-left text pane (rtl-pane.png), the uninstall window, left to right and right to
# left (uninstall-window.png, uninstall-window-rtl.png), and setup's wizard (wizard.png)
# and exit question (exit-question.png), its background window (background.png) and copy bar
# with the billboard (copy-bar.png), and the demo package's wizard pages and uninstall
# window (demo-setup-*.png, demo-uninstall.png). Builds what it runs with the debug preset. Needs
# what scripts/deps.sh installs (Xvfb, ImageMagick, wxWidgets).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
cmake --preset debug >/dev/null
cmake --build --preset debug -j4 --target kv_ui_wx_tests kv_app_main_window_screenshot \
    kv_app_window_screenshots kv_service_window_screenshot kv_rtl_pane_screenshot \
    kv_uninstall_window_screenshot kv_wizard_screenshot kv_background_screenshot \
    kv_demo_screenshots
export KV_SCREENSHOT_DIR="$root/docs/screenshots"
xvfb=platform/ui/wx/tests/run_under_xvfb.sh
"$xvfb" build/debug/platform/ui/wx/tests/kv_ui_wx_tests \
    --gtest_filter='WxDialog.ShowsEveryControlKindAndAScreenshotOfIt:WxMainWindow.ShowsTheRichKindsFromTheModel'
"$xvfb" build/debug/client/app/tests/kv_app_main_window_screenshot
"$xvfb" build/debug/client/app/tests/kv_app_window_screenshots
KV_UI=wx "$xvfb" build/debug/installer/common/tests/kv_service_window_screenshot
KV_UI=wx "$xvfb" build/debug/installer/common/tests/kv_rtl_pane_screenshot
KV_UI=wx "$xvfb" build/debug/installer/uninstall/tests/kv_uninstall_window_screenshot
KV_UI=wx "$xvfb" build/debug/installer/uninstall/tests/kv_uninstall_window_screenshot rtl
KV_UI=wx "$xvfb" build/debug/installer/setup/tests/kv_wizard_screenshot
KV_UI=wx "$xvfb" build/debug/installer/setup/tests/kv_background_screenshot
KV_UI=wx "$xvfb" build/debug/tests/e2e/kv_demo_screenshots
ls -l docs/screenshots/*.png
