#!/usr/bin/env bash
# tools/scale_shots.sh W H SCALE DISPLAY OUTDIR [main|dialogs|all]
# Starts build/quillon on an Xvfb screen of W x H at QT_SCALE_FACTOR=SCALE
# under openbox, drives it with keys (xdotool) and writes screenshots of
# the main window, the settings pages of the built-in scripts (one script
# of each kind) and the dialogs the menus open to OUTDIR.

set -u
W=$1; H=$2; S=$3; D=$4; OUT=$5; GROUP=${6:-all}
BIN=${QUILLON_BIN:-$(cd "$(dirname "$0")/.." && pwd)/build/quillon}
mkdir -p "$OUT"
Xvfb :$D -screen 0 ${W}x${H}x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
sleep 1.5
export DISPLAY=:$D
openbox >/dev/null 2>&1 &
OPID=$!
sleep 1
HOMEDIR=$(mktemp -d)
start() {
    HOME=$HOMEDIR XDG_CONFIG_HOME=$HOMEDIR/.config XDG_DATA_HOME=$HOMEDIR/.local/share QT_SCALE_FACTOR=$S \
        QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 "$BIN" >/dev/null 2>&1 &
    QPID=$!
    for i in $(seq 1 60); do
        sleep 0.5
        xdotool search --name "VM Quillon" >/dev/null 2>&1 && break
    done
    sleep 3
    WID=$(xdotool search --name "VM Quillon" | tail -1)
    xdotool windowactivate --sync "$WID" 2>/dev/null
    sleep 0.8
}
stop() { kill $QPID 2>/dev/null; wait $QPID 2>/dev/null; }
k() { xdotool key --clearmodifiers --delay 120 "$@"; sleep 0.6; }
t() { xdotool type --delay 60 "$1"; sleep 0.6; }
shot() { sleep 1.2; import -window root "$OUT/$1.png"; }
# From the BODY editor (where the program starts) to the built-in tree.
toBuiltIn() { k F6; k Tab; }
page() { # name typed into the built-in tree, file name
    toBuiltIn; t "$1"; sleep 0.8; k space; shot "page-$2"; }
start
if [ "$GROUP" = all ] || [ "$GROUP" = main ]; then
shot main
for p in "Jump from list:list" "Scroll:scroll" "Printing text:printer" "Site navigator:navigator" \
         "Flashing background:colours" "Animated text:animtext" "What day-time:daytime" "Day of week:day" \
         "Headliner:headliner"; do
    stop; start
    page "${p%%:*}" "${p##*:}"
done
stop; start
fi
if [ "$GROUP" = all ] || [ "$GROUP" = dialogs ]; then
d() { # keys... ; name last
    local name=${@: -1}
    k "${@:1:$#-1}"; shot "dialog-$name"; k Escape; sleep 0.5
}
d ctrl+o Return open
d ctrl+shift+s saveas
d ctrl+f find
d ctrl+h replace
d ctrl+g jumptoline
d ctrl+shift+f formbuilder
d ctrl+shift+l listofchoices
d ctrl+shift+t textarea
d ctrl+shift+e otherelements
d ctrl+shift+w window
d ctrl+d dialogboxes
d ctrl+F1 scriptheader
d ctrl+shift+n noscript
d ctrl+shift+k comments
k F8; shot dialog-options-styles
k ctrl+Tab; shot dialog-options-display
k ctrl+Tab; shot dialog-options-printing
k ctrl+Tab; shot dialog-options-keys
k Escape
d alt+f i insertintopage
d alt+f Up Up Up Return printersetup
d ctrl+s savetolibrary
d alt+l x export
d alt+l m import
d alt+h a about
k F1; shot help
fi
stop
kill $OPID $XPID 2>/dev/null
rm -rf "$HOMEDIR"
