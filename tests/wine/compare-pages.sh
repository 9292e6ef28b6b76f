#!/bin/bash
# Shoots both pages of the Linux program against a fresh simulated receiver, in the same device
# state as tests/wine/receiver-blackbox.sh shoots the Windows program's (factory memory, a fixed
# pad quality, the pointer off the window), and compares each pair: every pixel outside the
# texts must be equal.
#
#   tests/wine/compare-pages.sh VANTRELCONFIG VANTREL-DEVSIM PAGE-COMPARE SCREENSHOTS
#
# SCREENSHOTS holds windows-pc-setup.png and windows-x360-setup.png; linux-*.png and the
# difference pictures diff-*.png are written beside them. Exits 77 when a tool is missing.
set -u -o pipefail
program=$1
devsim=$2
compare=$3
shots=$4
skipped=77

for tool in Xvfb xdotool xwd convert; do
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

unset VANTREL_DEVICE
export VANTREL_DEVSIM_DIR="$work/bus" VANTREL_RUNTIME_DIR="$work/run"
mkdir -m 700 "$VANTREL_DEVSIM_DIR" "$VANTREL_RUNTIME_DIR"
"$devsim" serve --quality 170 >/dev/null 2>&1 &
daemon_pid=$!
wait_for 100 "$devsim" status || fail "the simulated receiver did not start"

start_display
# The pointer starts off where the window opens, so that no hover differs between the shots.
xdotool mousemove 0 0
"$program" >/dev/null 2>&1 &
program_pid=$!
wait_for 100 xdotool search --name "Vantrel Setup Utility V104a" || fail "the window did not open"
window=$(xdotool search --name "Vantrel Setup Utility V104a" | head -n 1)
read -r ox oy < <(xdotool getwindowgeometry --shell "$window" |
    awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } END { print x, y }')

xdotool mousemove 0 0
sleep 1.5
shoot "$ox" "$oy" "$shots/linux-pc-setup.png"
xdotool mousemove $((ox + 320)) $((oy + 36)) click 1 mousemove 0 0
sleep 1
shoot "$ox" "$oy" "$shots/linux-x360-setup.png"

status=0
for page in pc x360; do
    "$compare" "$page" "$shots/windows-$page-setup.png" "$shots/linux-$page-setup.png" \
        "$shots/diff-$page-setup.png" || status=1
done
[ $status = 0 ] || fail "the two programs' pages differ outside the texts"
echo "PASSED"
