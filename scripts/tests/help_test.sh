#!/usr/bin/env bash
# The scripts answer --help with their usage, options and environment, and refuse an
# unknown argument, in both cases before they install, build or run anything (the tools
# they would call are stubs here that log each call).
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT
for tool in cmake ctest apt-get dpkg-query sudo nproc mktemp; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$stubs" >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
# check SCRIPT USAGE WORD...: --help exits 0, prints USAGE first and names each WORD.
check() {
    local script="$1" usage="$2"
    shift 2
    local out rc
    out="$(PATH="$stubs:$PATH" bash "$root/scripts/$script" --help 2>&1)"
    rc=$?
    [ "$rc" -eq 0 ] || fail "$script --help exits $rc"
    [ "$(head -n1 <<<"$out")" = "Usage: scripts/$script $usage" ] ||
        fail "$script --help does not start with its usage: $(head -n1 <<<"$out")"
    for word in "-h, --help" "Environment" "$@"; do
        grep -qF -- "$word" <<<"$out" || fail "$script --help does not name $word"
    done
    out="$(PATH="$stubs:$PATH" bash "$root/scripts/$script" --bogus 2>&1 >/dev/null)"
    rc=$?
    [ "$rc" -eq 2 ] || fail "$script --bogus exits $rc"
    grep -qF -- "--bogus" <<<"$out" || fail "$script --bogus says: $out"
    if [ -s "$stubs/calls" ]; then
        fail "$script ran tools: $(cat "$stubs/calls")"
        rm -f "$stubs/calls"
    fi
}
check test.sh "[--help]" "scripts/deps.sh" "build/debug" "build/asan"
check demo.sh "[--help]" "KV_UI=headless" "DISPLAY" "KV_MACHINE" "KV_SERVICE_URL" "alice"
check deps.sh "[--help]" "apt-get" "sudo"
check fuzz.sh "[--help | SECONDS]" "SECONDS" "TMPDIR" "build/fuzz/findings"
[ "$failures" -eq 0 ] && echo "all scripts answer --help"
exit $((failures > 0))
