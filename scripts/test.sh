#!/usr/bin/env bash
# The test command: installs what is missing, then configures, builds and runs every test
# in the debug build and in the address+undefined sanitizer build.
set -euo pipefail
usage() {
    cat <<'EOF'
Usage: scripts/test.sh [--help]

Installs what the build lacks (scripts/deps.sh), then configures, builds and runs every
test in the debug build (build/debug) and in the address+undefined sanitizer build
(build/asan), with one job per processor.

Options:
  -h, --help   show this help and exit

Environment: none read by the script. The tests make their own machine folders and set
the KV_ variables they need; the window tests start their own X server (Xvfb) and are
skipped when it is missing.
EOF
}
for arg in "$@"; do
    case "$arg" in
    -h | --help) usage; exit 0 ;;
    *) echo "test.sh: unknown argument: $arg" >&2; usage >&2; exit 2 ;;
    esac
done
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
for preset in debug asan; do
    echo "=== $preset build ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== $preset tests ==="
    ctest --preset "$preset" -j "$jobs"
done
