#!/usr/bin/env bash
# Time from start to the mapped main window, from start to idle (the first
# moment after the map from which the program uses under 3 % of a core for
# 300 ms), and the memory at the map, under Xvfb.  Usage:
# bench/startup.sh [runs] [program]   (default 10 runs of build/quillon).
# Prints every run and the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
program="${2:-build/quillon}"
mapwait=build/bench/mapwait
[ -x "$mapwait" ] || { echo "build first: $mapwait is missing" >&2; exit 2; }

source bench/xvfb.sh

# One warm-up run fills the file cache.
"$mapwait" "VM Quillon 98 v1.6" 0 "$program" >/dev/null || true
lines=()
for _ in $(seq "$runs"); do
    line=$("$mapwait" "VM Quillon 98 v1.6" 300 "$program")
    echo "$line"
    lines+=("$line")
done
# The median of one field over the runs (the lower middle of an even count).
median() {
    printf '%s\n' "${lines[@]}" | awk -v field="$1" '{
        for (i = 1; i <= NF; i++) {
            split($i, kv, "=")
            v[kv[1]] = kv[2]
        }
        if (field == "idle_after_map_ms") print v["idle_ms"] - v["map_ms"]; else print v[field]
        delete v
    }' | sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'
}
echo "median map_ms=$(median map_ms) idle_ms=$(median idle_ms) idle_after_map_ms=$(median idle_after_map_ms)"
