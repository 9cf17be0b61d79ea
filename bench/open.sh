#!/usr/bin/env bash
# Time from the Enter that confirms File, Open until the program is idle
# again (no CPU time used for 300 ms), under Xvfb, driven with xdotool.
# Usage: bench/open.sh [program]   (default build/quillon).  Opens a 2 MB
# script of short lines, and scripts of one line of 2 MB and of 60 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
program="${1:-build/quillon}"
command -v xdotool >/dev/null || { echo "xdotool is missing" >&2; exit 2; }

source bench/xvfb.sh
files=$(mktemp -d)
bench_temporaries+=("$files")

# The scripts: short lines with the section markers, and minified ones.
awk 'BEGIN {
    printf "<!-- part of the HEAD section -->\r\n<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
    for (i = 0; size < 1048576; i++) { line = sprintf("function f%d(a, b) { var s = \"x%d\"; return a + b; }", i, i); printf "%s\r\n", line; size += length(line) + 2 }
    printf "</SCRIPT>\r\n<!-- part of the BODY section -->\r\n"
    for (; size < 2097152; i++) { line = sprintf("<P ALIGN=\"CENTER\">Line %d <B>bold</B> <A HREF=\"#x\">link</A></P>", i); printf "%s\r\n", line; size += length(line) + 2 }
}' > "$files/lines2.js"
one_line() {
    awk -v bytes="$1" 'BEGIN { for (i = 0; size < bytes; i++) { s = sprintf("function f%d(a,b){var s=\"x%d\";return a+b<s.length?a:b;}", i, i); printf "%s", s; size += length(s) } }'
}
one_line 2097152 > "$files/oneline2.js"
one_line 62914560 > "$files/oneline60.js"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }

for name in lines2 oneline2 oneline60; do
    "$program" >/dev/null 2>&1 &
    pid=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --name "VM Quillon 98 v1.6" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 1
    focus "$window"
    xdotool key ctrl+o
    sleep 1
    question=$(xdotool search --name "Please confirm!" 2>/dev/null | head -n 1 || true)
    if [ -n "$question" ]; then
        focus "$question"
        xdotool key Return
        sleep 1
    fi
    focus "$(xdotool search --name "Select a script file" | head -n 1)"
    xdotool type --delay 5 "$files/$name.js"
    sleep 0.5
    start=$(date +%s.%N)
    xdotool key Return
    last=$(cpu_ticks "$pid")
    quiet_since=$(date +%s.%N)
    while :; do
        sleep 0.02
        now=$(date +%s.%N)
        ticks=$(cpu_ticks "$pid")
        if [ "$ticks" != "$last" ]; then
            last=$ticks
            quiet_since=$now
        fi
        awk -v a="$now" -v b="$quiet_since" 'BEGIN { exit !(a - b >= 0.3) }' && break
    done
    awk -v name="$name" -v a="$quiet_since" -v b="$start" 'BEGIN { printf "%s open_to_idle_s=%.2f\n", name, a - b }'
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
