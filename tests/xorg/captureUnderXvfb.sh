#!/bin/bash
# Runs the capture probe on a private Xvfb server, types left Ctrl + A and right Ctrl + B with
# xdotool, and checks what the probe stored: only the X keyboard's own symbols tell the two Ctrl
# keys apart. Exits 77 (skipped) when Xvfb or xdotool is missing.
set -u
probe=$1
skipped=77

for tool in Xvfb xdotool timeout; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit $skipped
    fi
done

work=$(mktemp -d)
xvfb_pid=
probe_pid=
cleanup() {
    [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $1"
    echo "--- probe output"
    cat "$work/probe.out" 2>/dev/null
    echo "--- probe errors"
    cat "$work/probe.err" 2>/dev/null
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1
    shift
    for ((i = 0; i < tenths; ++i)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
export DISPLAY=":$(head -n1 "$work/display")"

QT_QPA_PLATFORM=xcb "$probe" >"$work/probe.out" 2>"$work/probe.err" &
probe_pid=$!
wait_for 150 grep -q '^ready ' "$work/probe.out" || fail "the probe window did not appear"
window=$(sed -n 's/^ready //p' "$work/probe.out")

timeout 10 xdotool windowfocus --sync "$window" || fail "could not focus the probe window"
timeout 10 xdotool keydown Control_L key a keyup Control_L keydown Control_R key b keyup Control_R ||
    fail "xdotool could not type"

probe_ended() { ! kill -0 "$probe_pid" 2>/dev/null; }
wait_for 300 probe_ended || fail "the probe did not end"
wait "$probe_pid"
status=$?
probe_pid=
[ "$status" -eq 0 ] || fail "the probe ended with $status"

# The lone press of left Ctrl first, then the two combinations. (Before pressing a modifier
# key, xdotool presses the first key of that modifier, so right Ctrl comes with left Ctrl held;
# the scan meets the higher right key first.)
expected_first='captured 0xA2 0x00 Ctrl(left)'
expected_combinations='captured 0x41 0xA2 Ctrl(left) + A
captured 0x42 0xA3 Ctrl(right) + B'
first=$(grep -m1 '^captured ' "$work/probe.out")
combinations=$(grep '^captured ' "$work/probe.out" | grep -v '^captured 0x.. 0x00 ')
[ "$first" = "$expected_first" ] || fail "expected first: $expected_first"
[ "$combinations" = "$expected_combinations" ] || fail "expected combinations:
$expected_combinations"
grep '^captured ' "$work/probe.out"
