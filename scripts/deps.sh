#!/usr/bin/env bash
# Installs, with apt, whatever the build, the tests and the demo need and the machine lacks.
set -euo pipefail
usage() {
    cat <<'EOF'
Usage: scripts/deps.sh [--help]

Installs with apt-get (through sudo when not run as root) the packages the build, the
tests and the demo need that are not installed yet; does nothing when all are there.

Options:
  -h, --help   show this help and exit

Environment: none read by the script (apt-get runs non-interactively).
EOF
}
for arg in "$@"; do
    case "$arg" in
    -h | --help) usage; exit 0 ;;
    *) echo "deps.sh: unknown argument: $arg" >&2; usage >&2; exit 2 ;;
    esac
done
packages=(
    cmake ninja-build g++ pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libcurl4-openssl-dev libcpp-httplib-dev
    libwxgtk3.2-dev libwxgtk-webview3.2-dev libgtk-3-dev
    xvfb xauth imagemagick x11-utils
    fonts-liberation2
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 python3-pefile liblnk-utils
    clang libclang-rt-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
