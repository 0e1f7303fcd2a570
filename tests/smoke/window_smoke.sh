#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real window under Xvfb, driven as a person drives it with xdotool: insert a text by
# clicking, drag it, print to the preview, and check that the preview shows the page (a large
# white area). The screenshots stay in the folder given, for people to look at.
#
#   window_smoke.sh MARVELLO SCREENSHOT_FOLDER
set -euo pipefail
marvello=$1
shots=$2
mkdir -p "$shots"
convert=/usr/bin/convert # ImageMagick's, not a stand-in earlier in the PATH
unset QT_QPA_PLATFORM     # a real X server this time

# Xvfb picks a free display itself and says which once it accepts clients.
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [[ -n "$app" ]] && kill "$app" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null || true
    rm -f "$displayfile"
}
trap cleanup EXIT
for _ in $(seq 200); do
    [[ -s "$displayfile" ]] && break
    sleep 0.05
done
[[ -s "$displayfile" ]] || { echo "window_smoke: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$displayfile")

fail() {
    echo "window_smoke: $*" >&2
    import -window root "$shots/failure.png" || true
    exit 1
}
# Waits for a window whose title matches, and prints its id.
window() {
    timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1
}

settings=$(mktemp -d)
# The machine's own printers (a label printer's roll as default paper) are not this test's.
CUPS_SERVER=/nonexistent/cups.sock XDG_CONFIG_HOME=$settings "$marvello" &
app=$!
main=$(window '^Marvello - Versione') || fail "the main window did not open"
xdotool windowsize --sync "$main" 1200 900 windowmove --sync "$main" 0 0
xdotool windowfocus --sync "$main"

# The text tool's button, then a click on the label places a text there.
xdotool mousemove 306 38 click 1
xdotool mousemove 120 230 click 1
sleep 0.3
# Drag it by its middle.
xdotool mousemove 140 238 mousedown 1 mousemove 170 260 mousemove 200 300 mouseup 1
sleep 0.3
import -window root "$shots/1-designer.png"

# Print to the preview: the print button, Ok, then "Video" in the destination dialog.
xdotool mousemove 167 38 click 1
request=$(window '^Stampa') || fail "the print request dialog did not open"
xdotool windowfocus --sync "$request"
xdotool key Return
destination=$(window '^Scelta destinazione di stampa') || fail "no destination dialog"
sleep 0.3
import -window root "$shots/2-destination.png"
eval "$(xdotool getwindowgeometry --shell "$destination")"
xdotool mousemove $((X + 164)) $((Y + 78)) click 1 # "Video"
xdotool key Return
preview=$(window '^Anteprima di stampa') || fail "the preview did not open"
sleep 0.5
import -window root "$shots/3-preview.png"

# The page fills the preview: a quarter of the screen or more is white paper.
white=$("$convert" "$shots/3-preview.png" -fill black +opaque white -format '%[fx:mean]' info:)
awk -v white="$white" 'BEGIN { exit !(white >= 0.15) }' ||
    fail "the preview shows no page (white area $white)"
echo "window_smoke: the preview shows the page (white area $white); screenshots in $shots"
echo "1 passed, 0 failed"
