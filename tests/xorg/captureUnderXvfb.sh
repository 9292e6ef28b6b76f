#!/bin/bash
# Runs the capture probe on a private Xvfb server and checks what it stores for keys typed with
# xdotool: left Ctrl + A and right Ctrl + B (only the X keyboard's own symbols tell the two Ctrl
# keys apart), then a table of keys on several keyboard layouts set with setxkbmap, each checked
# for the physical key that was pressed and the code that Windows gives that key on that layout.
# Exits 77 (skipped) when Xvfb, xdotool or setxkbmap is missing.
set -u
probe=$1
skipped=77

for tool in Xvfb xdotool setxkbmap timeout; do
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

# Xvfb picks a free display itself and writes its number once it accepts clients. Without
# -noreset it would reset the keyboard layout whenever its last client is gone.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
export DISPLAY=":$(head -n1 "$work/display")"

QT_QPA_PLATFORM=xcb "$probe" >"$work/probe.out" 2>"$work/probe.err" &
probe_pid=$!
wait_for 150 grep -q '^ready ' "$work/probe.out" || fail "the probe window did not appear"
window=$(sed -n 's/^ready //p' "$work/probe.out")

timeout 10 xdotool windowfocus --sync "$window" || fail "could not focus the probe window"
captured_count() { grep -c '^captured ' "$work/probe.out"; }
captured_more_than() { [ "$(captured_count)" -gt "$1" ]; }

timeout 10 xdotool keydown Control_L key a keyup Control_L keydown Control_R key b keyup Control_R ||
    fail "xdotool could not type"
wait_for 100 grep -q '^captured 0x42 0xA3 ' "$work/probe.out" || fail "right Ctrl + B was not captured"

# The lone press of left Ctrl first, then the two combinations. (Before pressing a modifier
# key, xdotool presses the first key of that modifier, so right Ctrl comes with left Ctrl held;
# the scan meets the higher right key first.)
expected_first='captured 0xA2 0x00 Ctrl(left)'
expected_combinations='captured 0x41 0xA2 Ctrl(left) + A
captured 0x42 0xA3 Ctrl(right) + B'
without_keys=$(grep '^captured ' "$work/probe.out" | sed 's/ key [0-9]*//')
first=$(head -n1 <<<"$without_keys")
combinations=$(grep -v '^captured 0x.. 0x00 ' <<<"$without_keys")
[ "$first" = "$expected_first" ] || fail "expected first: $expected_first"
[ "$combinations" = "$expected_combinations" ] || fail "expected combinations:
$expected_combinations"

# layout, the symbol that the layout has unshifted on the key, the X key code of that key, and
# the code that the Windows layout gives it. The key is sent by its key code (xdotool takes a
# number that is no symbol name as one): by symbol, xdotool would pick the first key that has
# the symbol at any level, with the modifiers that reach it.
layout_table='
us 1 10 0x31
us a 38 0x41
us minus 20 0xBD
us apostrophe 48 0xDE
us grave 49 0xC0
us backslash 51 0xDC
us slash 61 0xBF
us less 94 0xE2
fr ampersand 10 0x31
fr eacute 11 0x32
fr a 24 0x41
fr q 38 0x51
fr m 47 0x4D
fr w 52 0x57
fr comma 58 0xBC
fr parenright 20 0xDB
fr equal 21 0xBB
fr dead_circumflex 34 0xDD
fr dollar 35 0xBA
fr ugrave 48 0xC0
fr twosuperior 49 0xDE
fr asterisk 51 0xDC
fr semicolon 59 0xBE
fr colon 60 0xBF
fr exclam 61 0xDF
fr less 94 0xE2
de 3 12 0x33
de numbersign 51 0xBF
de udiaeresis 34 0xBA
de plus 35 0xBB
de odiaeresis 47 0xC0
de adiaeresis 48 0xDE
de ssharp 20 0xDB
de dead_acute 21 0xDD
de dead_circumflex 49 0xDC
de z 29 0x5A
de y 52 0x59
de minus 61 0xBD
de less 94 0xE2
gb numbersign 51 0xDE
gb apostrophe 48 0xC0
gb grave 49 0xDF
gb backslash 94 0xE2
gb slash 61 0xBF
ru Cyrillic_ef 38 0x41
ru Cyrillic_ha 34 0xDB
ru Cyrillic_zhe 47 0xBA
ru Cyrillic_io 49 0xC0
ru Cyrillic_be 59 0xBC
ru period 61 0xBF
ru 1 10 0x31
es ntilde 47 0xC0
es ccedilla 51 0xBF
es apostrophe 20 0xDB
es dead_grave 34 0xBA
it egrave 34 0xBA
it ugrave 51 0xBF
it backslash 49 0xDC
se odiaeresis 47 0xC0
se plus 20 0xBB
se dead_acute 21 0xDB
se apostrophe 51 0xBF
no oslash 47 0xC0
no backslash 21 0xDB
dk ae 47 0xC0
dk oslash 48 0xDE
'

results="$work/results"
mismatches=0
current_layout=
while read -r layout symbol keycode expected; do
    [ -n "$layout" ] || continue
    if [ "$layout" != "$current_layout" ]; then
        setxkbmap "$layout" || fail "setxkbmap $layout failed"
        setxkbmap -query | grep -q "^layout: *$layout\$" || fail "the layout did not become $layout"
        current_layout=$layout
    fi
    before=$(captured_count)
    timeout 10 xdotool key "$keycode" || fail "xdotool could not type key $keycode"
    wait_for 50 captured_more_than "$before" || fail "$layout $symbol: nothing captured"
    line=$(grep '^captured ' "$work/probe.out" | tail -n1)
    read -r _ main held _ pressed label <<<"$line"
    verdict=ok
    if [ "$pressed" != "$keycode" ] || [ "$main" != "$expected" ] || [ "$held" != 0x00 ]; then
        verdict="WRONG: expected key $keycode, $expected"
        mismatches=$((mismatches + 1))
    fi
    printf '%-3s %-16s key %-3s stored %s %s "%s" %s\n' "$layout" "$symbol" "$pressed" "$main" \
        "$held" "$label" "$verdict" >>"$results"
done <<<"$layout_table"

setxkbmap us
timeout 10 xdotool key F12 || fail "xdotool could not type F12"
probe_ended() { ! kill -0 "$probe_pid" 2>/dev/null; }
wait_for 100 probe_ended || fail "the probe did not end"
wait "$probe_pid"
status=$?
probe_pid=
cat "$results"
[ "$status" -eq 0 ] || fail "the probe ended with $status"
[ "$mismatches" -eq 0 ] || fail "$mismatches keys stored the wrong code"
