#!/usr/bin/env bash
# The demo: installs what is missing, builds the debug preset, starts the stand-in service
# on a free loopback port with a fresh machine folder and runs the three programs on that
# machine: kestrovane against the service, then setup installing the demo package
# (demo/package) and the installed UnInstall.exe removing it again. With a display the
# windows are real; otherwise each program runs headless under a bundled UI script and the
# demo prints their transcripts, what setup installed, its Setup.log and uninstall script,
# and what the removal left.
set -euo pipefail
usage() {
    cat <<'EOF'
Usage: scripts/demo.sh [--help]

Installs what the build lacks (scripts/deps.sh), builds the three programs and the
stand-in service (build/debug), starts the service on a free loopback port with a fresh
machine folder in a temporary folder, and runs on that machine:

  1. kestrovane against the service (log in as alice, bob or carol, password "secret");
  2. setup from a copy of demo/package, installing the sample package;
  3. the installed UnInstall.exe, removing it again (and itself).

With a display the windows are real and you click through them. Without one each program
runs headless under a bundled UI script (client/app/demo/first_start.uiscript,
demo/setup.uiscript, demo/uninstall.uiscript) and the demo prints the transcripts, the
snipe list, the files and registry entries setup added, Setup.log, the uninstall script
and what the removal left: only the residues of demo/residues.txt.
The service and the temporary folder are removed at the end; the exit code is 0 when all
three programs ran as their scripts say (and the removal left nothing else), else 1.

Options:
  -h, --help   show this help and exit

Environment:
  DISPLAY, WAYLAND_DISPLAY   a display to show real windows on
  KV_UI=headless             run headless under the UI scripts even with a display
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
cmake --build --preset debug -j4 --target kestrovane kestrovane-demo service-sim setup \
    uninstall kvmachine machine-snapshot

build="$root/build/debug"
work="$(mktemp -d)"
sim_pid=""
# Stops the service and removes the folder.
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
failed=0

echo
echo "=== 1. kestrovane, the sniping client ==="
if [ "$windows" = 1 ]; then
    echo "demo: real windows; log in as alice, bob or carol with the password \"secret\""
    "$build/client/app/kestrovane" || failed=1
else
    echo "demo: no display; running headless under client/app/demo/first_start.uiscript"
    KV_UI=headless KV_UI_SCRIPT="$root/client/app/demo/first_start.uiscript" \
        "$build/client/app/kestrovane-demo" || failed=1
fi

# The installer's journey on the same machine: the package folder lies on the host
# (drive Z:, which the programs only read), with setup and the uninstaller beside its
# script, as a package is shipped.
kvmachine="$build/tools/kvmachine/kvmachine"
snapshot="$build/tests/e2e/machine-snapshot"
package="$work/package"
cp -R "$root/demo/package" "$package"
cp "$build/installer/setup/setup" "$package/setup"
cp "$build/installer/uninstall/uninstall" "$package/UnInstall.exe"
app='C:\Program Files\Kestrovane'
app_host="$("$kvmachine" hostpath "$app")"
"$snapshot" save "$work/before.snapshot"

# run_on_machine UISCRIPT PROGRAM: starts the program through the machine and waits for
# it, headless under the UI script unless the windows are real; false when it did not end
# with 0.
run_on_machine() {
    local script="$1" program="$2" out code
    if [ "$windows" = 1 ]; then
        out="$("$kvmachine" run --wait "$program")" || return 1
    else
        out="$(KV_UI=headless KV_UI_SCRIPT="$script" "$kvmachine" run --wait "$program")" ||
            { printf '%s\n' "$out"; return 1; }
    fi
    code="${out##*$'\n'}"
    [ "$code" = "$out" ] || printf '%s\n' "${out%$'\n'*}"
    [ "$code" = 0 ]
}
# show_file MACHINE_PATH: the file's lines (CR LF read as line ends).
show_file() {
    local host
    host="$("$kvmachine" hostpath "$1")"
    if [ -f "$host" ]; then tr -d '\r' <"$host"; else echo "(missing: $1)"; fi
}
# changes: what changed on the machine since the snapshot, long values cut short.
changes() {
    "$snapshot" diff "$work/before.snapshot" | cut -c1-160
}

echo
echo "=== 2. setup, installing the demo package (demo/package) ==="
if [ "$windows" = 1 ]; then
    echo "demo: real windows; walk through the wizard's pages, the copy bar and the billboard"
else
    echo "demo: no display; running headless under demo/setup.uiscript"
fi
(cd "$package" && run_on_machine "$root/demo/setup.uiscript" setup) || failed=1
echo
echo "--- what setup added to the machine ---"
changes
echo
echo "--- $app\\Setup.log ---"
show_file "$app\\Setup.log"
echo
echo "--- $app\\UnInstall.txt ---"
show_file "$app\\UnInstall.txt"

echo
echo "=== 3. UnInstall.exe, removing the package again ==="
if [ "$windows" = 1 ]; then
    echo "demo: real windows; answer the question, watch the removal and close the window"
else
    echo "demo: no display; running headless under demo/uninstall.uiscript"
fi
run_on_machine "$root/demo/uninstall.uiscript" "$app\\UnInstall.exe" || failed=1
# The uninstaller's batch deletes it and its folder once it has ended, then itself.
for _ in $(seq 100); do
    [ -e "$app_host" ] || [ -n "$(find "$KV_MACHINE" -iname _DEL_ME_.BAT -print -quit)" ] ||
        break
    sleep 0.1
done
echo
echo "--- what the removal left: the machine now against the machine before setup ---"
patterns="$(grep -v -e '^#' -e '^$' "$root/demo/residues.txt")"
left="$(changes)"
unexpected="$(grep -v -E -e "$patterns" <<<"$left" || true)"
grep -E -e "$patterns" <<<"$left" | sed 's/^/kept on purpose: /' || true
if [ -n "$unexpected" ]; then
    sed 's/^/NOT EXPECTED: /' <<<"$unexpected"
    failed=1
else
    echo "demo: nothing else is left (the residues kept on purpose are listed in demo/residues.txt)"
fi

echo
if [ "$failed" = 0 ]; then
    echo "demo: all three programs ran as expected"
else
    echo "demo: something did not go as expected (see above)" >&2
fi
exit "$failed"
