#!/bin/sh
# Runs the benchmarks matching a filter in random interleaved order, several
# times, and prints each one's minimum and median wall time. These machines are
# noisy: compare a benchmark with its baseline from the same run, never across
# runs.
#   scripts/bench-compare.sh 'BM_RawScan/32766|BM_ListAlpha/32766' [repetitions]
set -eu
filter=${1:?usage: $0 FILTER [REPETITIONS]}
reps=${2:-8}
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$root/build/bin/kodrix-bench" --benchmark_filter="$filter" --benchmark_repetitions="$reps" \
    --benchmark_enable_random_interleaving=true --benchmark_format=json >"$out"
python3 - "$out" <<'PY'
import json, statistics, sys
runs = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type") == "iteration":
        runs.setdefault(b["run_name"].split("/min_time")[0], []).append((b["real_time"], b["time_unit"]))
for name, values in runs.items():
    times = [t for t, _ in values]
    print(f"{name:40s} min {min(times):10.1f}  median {statistics.median(times):10.1f} {values[0][1]}")
PY
