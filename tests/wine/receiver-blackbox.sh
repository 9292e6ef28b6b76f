#!/bin/bash
# Drives the Windows program as a person would, under Wine on a private X server, against a
# simulated receiver that its daemon serves on loopback TCP (Wine has no local sockets):
#  - the connection reads exactly the mode and the settings image;
#  - Ctrl(left)+A captured into LB through the keyboard hook, then SAVE, writes exactly the four
#    key map blocks, and the saved box says so;
#  - the 10 per second firing lamp, then SAVE on the XBox 360 page, writes exactly that one item;
#  - the receiver unplugged and plugged back is followed, and read again.
# With a screenshot folder, both pages are shot first, for the device's factory memory and a
# fixed pad quality, with the pointer off the window.
#
#   tests/wine/receiver-blackbox.sh PROGRAM.exe WINDOW-PROBE.exe VANTREL-DEVSIM [SCREENSHOTS]
#
# Runs in the Wine prefix and server of its caller (WINEPREFIX). Exits 77 when Xvfb, xdotool or
# ImageMagick is missing.
set -u -o pipefail
program=$1
probe=$2
devsim=$3
shots=${4:-}
skipped=77

for tool in Xvfb xdotool wine xwd convert; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit $skipped; }
done

work=$(mktemp -d)
xvfb_pid=
daemon_pid=
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/common.sh"

export VANTREL_DEVSIM_DIR="$work/bus"
mkdir -m 700 "$VANTREL_DEVSIM_DIR"
trace="$work/trace"
"$devsim" serve --tcp 0 --trace "$trace" --quality 170 >/dev/null 2>&1 &
daemon_pid=$!
wait_for 100 "$devsim" status || fail "the simulated receiver did not start"
address=$("$devsim" status | awk '$1 == "tcp" { print $2 }')
[ -n "$address" ] || fail "the simulated receiver names no TCP address"
echo "simulated receiver on $address"

# The trace lines after the first $1, once there are $2 of them and no more come.
lines_after() {
    wait_for 100 test "$(wc -l <"$trace")" -ge $(($1 + $2)) || true
    sleep 0.5
    tail -n +$(($1 + 1)) "$trace"
}
# expect_trace SINCE WHAT EXPECTED: the requests since line SINCE are exactly EXPECTED.
expect_trace() {
    local got
    got=$(lines_after "$1" "$(wc -l <<<"$3")")
    echo "$2:"
    sed 's/^/  /' <<<"$got"
    [ "$got" = "$3" ] || fail "$2: expected
$3"
}
at() { xdotool mousemove $((ox + $1)) $((oy + $2)); }
click_at() { at "$1" "$2"; xdotool click 1; }
expect_box() {
    wait_for 100 probe box || fail "no box after $1"
    local box
    box=$(probe box)
    echo "$box"
    [ "$box" = "caption=VantrelConfig
text=$2" ] || fail "the box after $1"
    click_box_button OK
}

start_display
# The pointer starts off where the window opens, so that no hover differs between the shots.
xdotool mousemove 0 0
VANTREL_DEVICE="tcp:$address" wine "$program" >/dev/null 2>&1 &
program_pid=$!
wait_for 300 probe main || fail "the main window did not open"
main=$(probe main)
echo "$main"
read -r ox oy < <(sed -n 's/^origin=\([0-9-]*\),\([0-9-]*\)$/\1 \2/p' <<<"$main")

connection='query
read 52 16
read 68 16
read 84 16
read 100 16
read 118 14
read 116 1
read 117 1'
expect_trace 0 "connection" "$connection"

if [ -n "$shots" ]; then
    xdotool mousemove 0 0
    sleep 1
    shoot "$ox" "$oy" "$shots/windows-pc-setup.png"
    click_at 320 36
    xdotool mousemove 0 0
    sleep 1
    shoot "$ox" "$oy" "$shots/windows-x360-setup.png"
    click_at 100 36
    echo "shot both pages into $shots"
fi

# PC Setup: LB's label, then Ctrl(left)+A held together, then SAVE.
since=$(wc -l <"$trace")
click_at 398 455
sleep 0.3
xdotool keydown ctrl
sleep 0.2
xdotool keydown a
sleep 0.2
xdotool keyup a keyup ctrl
sleep 0.3
click_at 551 561
writes=$(lines_after "$since" 4)
echo "PC Setup SAVE:"
sed 's/^/  /' <<<"$writes"
[ "$(cut -d' ' -f1-3 <<<"$writes")" = 'write 52 16
write 68 16
write 84 16
write 100 16' ] || fail "SAVE did not write exactly the four key map blocks"
# Byte 55 is LB's key, the fourth of the block at 52; byte 87 its held key, the fourth at 84.
[ "$(sed -n 1p <<<"$writes" | cut -d' ' -f4 | cut -c7-8)" = 41 ] || fail "byte 55 is not A (41)"
[ "$(sed -n 3p <<<"$writes" | cut -d' ' -f4 | cut -c7-8)" = a2 ] ||
    fail "byte 87 is not Ctrl(left) (a2)"
expect_box "PC Setup SAVE" "The new PC settings have been saved in your Vantrel sucessfully!"

# XBox 360 Setup: the 10 per second firing lamp, then SAVE.
click_at 320 36
sleep 0.3
since=$(wc -l <"$trace")
click_at 611 124
sleep 0.3
click_at 643 562
expect_trace "$since" "XBox 360 Setup SAVE" "write 117 1 0a"
expect_box "XBox 360 Setup SAVE" \
    "The new X360 settings have been saved in your Vantrel sucessfully!"

# The receiver goes and comes back: the program reads it again, as at the start.
since=$(wc -l <"$trace")
"$devsim" unplug >/dev/null || fail "unplug"
sleep 1.5
"$devsim" plug >/dev/null || fail "plug"
expect_trace "$since" "after unplug and plug" "$connection"
echo "PASSED"
