#!/usr/bin/env bash
# The test command: installs what is missing, then configures, builds and runs every test
# in the debug build and in the address+undefined sanitizer build.
set -euo pipefail
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
