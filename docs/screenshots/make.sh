#!/usr/bin/env bash
# Makes the screenshots in this folder: builds the wx backend's tests (debug preset) and
# runs the dialog test on a virtual display, which saves the dialog as controls-dialog.png.
# Needs what scripts/deps.sh installs (Xvfb, ImageMagick, wxWidgets).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
cmake --preset debug >/dev/null
cmake --build --preset debug -j4 --target kv_ui_wx_tests
KV_SCREENSHOT_DIR="$root/docs/screenshots" \
    platform/ui/wx/tests/run_under_xvfb.sh build/debug/platform/ui/wx/tests/kv_ui_wx_tests \
    --gtest_filter='WxDialog.ShowsEveryControlKindAndAScreenshotOfIt:WxMainWindow.ShowsTheRichKindsFromTheModel'
ls -l docs/screenshots/*.png
