#!/bin/bash
# Drives the Windows program as a person would, under Wine on a private X server, with no
# receiver at all (the real device bus finds none under Wine): the window opens with its caption,
# its 800 by 600 client and its single-instance mark; a second copy ends and leaves one window;
# the PC Setup page's SAVE says the device is not found.
#
#   tests/wine/blackbox.sh PROGRAM.exe WINDOW-PROBE.exe
#
# Runs in the Wine prefix and server of its caller (WINEPREFIX). Exits 77 when Xvfb or xdotool
# is missing.
set -u -o pipefail
program=$1
probe=$2
skipped=77

for tool in Xvfb xdotool wine; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit $skipped; }
done

unset VANTREL_DEVICE
xvfb_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

source "$(dirname "$0")/common.sh"

start_display

wine "$program" >/dev/null 2>&1 &
program_pid=$!
wait_for 300 probe main || fail "the main window did not open"
main=$(probe main)
echo "$main"
grep -qx 'caption=Vantrel Setup Utility V104a' <<<"$main" || fail "the caption"
grep -qx 'client=800x600' <<<"$main" || fail "the client area is not 800 by 600"
grep -qx 'property=1' <<<"$main" || fail "the \"Vantrel Pro\" mark is not 1"
read -r ox oy < <(sed -n 's/^origin=\([0-9-]*\),\([0-9-]*\)$/\1 \2/p' <<<"$main")

# A second copy finds the mark, brings the first forward and ends.
timeout 30 wine "$program" >/dev/null 2>&1 || fail "the second copy did not end by itself"
[ "$(probe count)" = 1 ] || fail "a second main window stayed open"
echo "second copy ended; one main window"

# SAVE on the PC Setup page with no receiver.
xdotool mousemove $((ox + 551)) $((oy + 561)) click 1
wait_for 100 probe box || fail "SAVE showed no box"
box=$(probe box)
echo "$box"
expected='caption=VantrelConfig
text=Vantrel device not found. 
Plug-in your Vantrel Receiver dongle while press and hold the button on it!'
[ "$box" = "$expected" ] || fail "the box is not the not-found box titled with the program's name"
echo "PASSED"
