#!/usr/bin/env bash
# The demo: installs what is missing, builds the debug preset, starts the stand-in service
# on a free loopback port with a fresh machine folder and runs kestrovane against it. With
# a display the windows are real; otherwise the program runs headless under a bundled UI
# script that logs in as alice, accepts the terms, lists the active snipes and closes the
# main window, and the transcript of windows, boxes and the list is printed.
set -euo pipefail
usage() {
    cat <<'EOF'
Usage: scripts/demo.sh [--help]

Installs what the build lacks (scripts/deps.sh), builds kestrovane and the stand-in
service (build/debug), starts the service on a free loopback port with a fresh machine
folder in a temporary folder, and runs kestrovane against it. With a display the windows
are real (log in as alice, bob or carol, password "secret"); without one it runs headless
under client/app/demo/first_start.uiscript and prints the transcript and the snipe list.
The service and the temporary folder are removed at the end; the exit code is
kestrovane's.

Options:
  -h, --help   show this help and exit

Environment:
  DISPLAY, WAYLAND_DISPLAY   a display to show real windows on
  KV_UI=headless             run headless under the UI script even with a display
The script sets KV_MACHINE and KV_SERVICE_URL itself, for the demo's machine folder and
service.
EOF
}
for arg in "$@"; do
    case "$arg" in
    -h | --help) usage; exit 0 ;;
    *) echo "demo.sh: unknown argument: $arg" >&2; usage >&2; exit 2 ;;
    esac
done
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
bash scripts/deps.sh
cmake --preset debug >/dev/null
cmake --build --preset debug -j4 --target kestrovane kestrovane-demo service-sim

build="$root/build/debug"
work="$(mktemp -d)"
sim_pid=""
# Stops the service and removes the folder; the demo's exit code is kestrovane's.
cleanup() {
    local code=$?
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
    exit "$code"
}
trap cleanup EXIT

# service-sim prints the port it listens on, then serves until it is stopped.
"$build/tools/service-sim/service-sim" >"$work/port" &
sim_pid=$!
for _ in $(seq 50); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
port="$(head -n1 "$work/port")"
[ -n "$port" ] || { echo "demo: the stand-in service did not start" >&2; exit 1; }
echo "demo: stand-in service on http://127.0.0.1:$port, machine folder $work/machine"

export KV_MACHINE="$work/machine"
export KV_SERVICE_URL="http://127.0.0.1:$port"

windows=0
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${KV_UI:-}" != headless ]; then
    windows=1
fi
if [ "$windows" = 1 ]; then
    echo "demo: real windows; log in as alice, bob or carol with the password \"secret\""
    "$build/client/app/kestrovane"
else
    echo "demo: no display; running headless under client/app/demo/first_start.uiscript"
    KV_UI=headless KV_UI_SCRIPT="$root/client/app/demo/first_start.uiscript" \
        "$build/client/app/kestrovane-demo"
fi
