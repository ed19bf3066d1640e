#!/usr/bin/env bash
# Builds the release preset and runs every benchmark, then prints each measured figure as a
# ratio to its floor: a benchmark BM_X is paired with BM_X_Floor from the same run.
# Runs niced; extra arguments go to every benchmark program (e.g. --benchmark_filter=...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset release >/dev/null
cmake --build build/release -j"${BENCH_JOBS:-3}"

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
# Every benchmark program the build made (the installer's among them once it has one).
mapfile -t programs < <(find build/release -type f -executable -name 'kv_*_benchmark' | sort)
for p in "${programs[@]}"; do
    name=$(basename "$p")
    runner=()
    # Programs that open real windows run on a virtual display.
    if [[ $name == *_wx_benchmark ]]; then
        command -v xvfb-run >/dev/null || { echo "skip $name: no xvfb-run"; continue; }
        runner=(xvfb-run -a -s "-screen 0 1280x1024x24")
    fi
    echo "== $name"
    nice -n 10 "${runner[@]}" "$p" --benchmark_out="$out/$name.json" \
        --benchmark_out_format=json "$@"
done

python3 - "$out" <<'PY'
import json, pathlib, sys
rows = {}
for f in sorted(pathlib.Path(sys.argv[1]).glob("*.json")):
    for b in json.loads(f.read_text())["benchmarks"]:
        if b.get("run_type", "iteration") == "iteration":
            rows[b["name"]] = b
print()
print(f"{'benchmark':44} {'time':>12} {'floor':>12} {'ratio':>7} {'rate':>12}")
for name, b in rows.items():
    if name.endswith("_Floor") or "_Floor/" in name:
        continue
    base, _, args = name.partition("/")
    floor = rows.get(base + "_Floor" + ("/" + args if args else ""))
    unit = b["time_unit"]
    t = f"{b['real_time']:.3g} {unit}"
    rate = f"{b['bytes_per_second'] / 1e6:.0f} MB/s" if "bytes_per_second" in b else ""
    if floor:
        assert floor["time_unit"] == unit
        ft = f"{floor['real_time']:.3g} {unit}"
        print(f"{name:44} {t:>12} {ft:>12} {b['real_time'] / floor['real_time']:7.2f} {rate:>12}")
    else:
        print(f"{name:44} {t:>12} {'':>12} {'':>7} {rate:>12}")
PY
