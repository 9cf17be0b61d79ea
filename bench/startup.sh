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

# Xvfb picks a free display number itself and tells it, so that runs of
# other people on the same machine keep to their own servers.
number_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
done
[ -s "$number_file" ] || { echo "Xvfb did not start" >&2; exit 2; }
export DISPLAY=":$(head -n 1 "$number_file")"
unset QT_QPA_PLATFORM  # a real X server, as a user has
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
# A library folder of its own, so the runs measure the same start.
home=$(mktemp -d)
export HOME="$home" XDG_DATA_HOME="$home/data"
# The program makes its library folder but not the folders above it.
mkdir -p "$XDG_DATA_HOME/Velmora/Quillon"

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
