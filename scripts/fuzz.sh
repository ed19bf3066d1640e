#!/usr/bin/env bash
# Builds the fuzz preset (clang with libFuzzer) and runs every fuzz target for SECONDS
# each (default 60), printing the executions per target. New corpus entries go to
# build/fuzz/corpus/<target> (the seeds in fuzz/corpus are only read); a finding is written
# to build/fuzz/findings/ and should be kept as fuzz/reproducers/<target>/<name> once mended.
set -euo pipefail
usage() {
    cat <<'EOF'
Usage: scripts/fuzz.sh [--help | SECONDS]

Builds the fuzz preset (clang with libFuzzer, build/fuzz) and runs every fuzz target for
SECONDS each (default 60), printing the executions per target. New corpus entries go to
build/fuzz/corpus/<target>; findings and logs to build/fuzz/findings/. Exits 1 when a
target found something.

Options:
  -h, --help   show this help and exit
  SECONDS      the run time of each target, a whole number of seconds

Environment: none read by the script; it sets TMPDIR to /dev/shm, where it can, for the
machine files the targets write.
EOF
}
if [ $# -gt 0 ]; then
    case "$1" in
    -h | --help) usage; exit 0 ;;
    "" | *[!0-9]*) echo "fuzz.sh: not a number of seconds: $1" >&2; usage >&2; exit 2 ;;
    esac
fi
if [ $# -gt 1 ]; then echo "fuzz.sh: unknown argument: $2" >&2; usage >&2; exit 2; fi
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
cmake --preset fuzz >/dev/null
targets=()
for source in fuzz/*/*_fuzz.cpp; do
    targets+=("$(basename "$source" .cpp)")
done
cmake --build --preset fuzz --target "${targets[@]}"
# The targets write their machine's files after every input: keep them in memory.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
mkdir -p build/fuzz/findings
status=0
for target in "${targets[@]}"; do
    name=${target%_fuzz}
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    log=build/fuzz/findings/$name.log
    if ./build/fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -dict=fuzz/dict/"$name".dict -artifact_prefix=build/fuzz/findings/"$name"- \
        "$work" fuzz/corpus/"$name" >"$log" 2>&1; then
        result=ok
    else
        result="FINDING (see $log)"
        status=1
    fi
    runs=$(grep -oE '^Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo "?")
    printf '%-20s %12s executions  %s\n' "$name" "$runs" "$result"
done
exit $status
