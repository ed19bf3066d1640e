#!/usr/bin/env bash
# Runs a program on a virtual X display of its own: xvfb-run -a picks a free display
# number. Exits 77 (skipped) when Xvfb or ImageMagick's import is not installed.
set -euo pipefail
for tool in xvfb-run Xvfb import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed (scripts/deps.sh installs it)"
        exit 77
    fi
done
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset WAYLAND_DISPLAY
exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
