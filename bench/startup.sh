#!/usr/bin/env bash
# Time from start to the mapped main window, and the memory then, under
# Xvfb.  Usage: bench/startup.sh [runs] [program]   (default 10 runs of
# build/quillon).  Prints every run and the median.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
program="${2:-build/quillon}"
mapwait=build/bench/mapwait
[ -x "$mapwait" ] || { echo "build first: $mapwait is missing" >&2; exit 2; }

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY="$display"
unset QT_QPA_PLATFORM  # a real X server, as a user has
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
# A library folder of its own, so the runs measure the same start.
home=$(mktemp -d)
export HOME="$home" XDG_DATA_HOME="$home/data"

# One warm-up run fills the file cache.
"$mapwait" "VM Quillon 98 v1.6" 0 "$program" >/dev/null || true
times=()
for _ in $(seq "$runs"); do
    line=$("$mapwait" "VM Quillon 98 v1.6" 300 "$program")
    echo "$line"
    times+=("$(echo "$line" | sed -n 's/.*map_ms=\([0-9.]*\).*/\1/p')")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median map_ms=" a[int((NR+1)/2)]}'
